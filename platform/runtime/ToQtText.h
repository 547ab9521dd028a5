#pragma once

#include <QString>
#include <string>

// The program's texts break lines with a lone CR (a CR LF pair counts as one break);
// Qt's widgets want LF.
inline QString ToQtText(const std::string& text)
{
    QString string = QString::fromStdString(text);
    string.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    string.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return string;
}
