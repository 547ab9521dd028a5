#include "platform/runtime/Fonts.h"

#include <QFont>
#include <QStringList>

QFont Fonts::Font(const std::string& face, double size, bool bold, bool italic, bool underline)
{
    QFont font;
    if (face.empty() || face == "System" || face == "Arial") {
        // "System" is Arial's twin too: at the default 12 pixels every design text (captions,
        // buttons, the about credits) fits its box; at 13 the credits would wrap.
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
        // No sans-serif hint: it would let the default sans face win over a metric-compatible
        // substitute that the system offers for Arial when Liberation Sans is missing.
        font.setStyleHint(QFont::AnyStyle);
    } else if (face == "Courier") {
        font.setFamilies(
            {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("Courier")});
        font.setStyleHint(QFont::TypeWriter);
    } else {
        font.setFamily(QString::fromStdString(face));
    }
    font.setPixelSize(size > 0 ? static_cast<int>(size + 0.5) : kDefaultPixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}
