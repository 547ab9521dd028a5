#pragma once

#include <string>

class QFont;

namespace Fonts {
// The font for a face name, a size in pixels (0: the default size) and its style. The
// windows were laid out for Arial's metrics: "Arial" and "System" ask for Liberation Sans,
// "Courier" for Liberation Mono, by name, so that design texts keep their widths whatever
// face the desktop would pick for the name. The same names give the same look everywhere.
QFont Font(const std::string& face, double size, bool bold, bool italic = false, bool underline = false);

// The size in pixels of a text whose size is not set.
constexpr int kDefaultPixelSize = 12;
}
