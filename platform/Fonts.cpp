#include "platform/Fonts.h"

#include <QApplication>
#include <QFont>

QFont Fonts::Font(const std::string& face, double size, bool bold, bool italic, bool underline)
{
    QFont font = QApplication::font();
    if (face != "System" && !face.empty()) {
        font.setFamily(QString::fromStdString(face));
        // No sans-serif hint: it would let the default sans face win over the system's
        // metric-compatible substitute for a named face such as Arial.
        font.setStyleHint(face == "Courier" ? QFont::TypeWriter : QFont::AnyStyle);
    }
    if (size > 0)
        font.setPixelSize(static_cast<int>(size + 0.5));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}
