#pragma once

#include <string>

class QFont;

namespace Fonts {
// The font for a face name ("System" is the desktop's own), a size in pixels (0: the
// default size) and its style. The same names give the same look in every window.
QFont Font(const std::string& face, double size, bool bold, bool italic = false, bool underline = false);
}
