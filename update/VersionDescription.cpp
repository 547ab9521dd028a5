#include "update/VersionDescription.h"

#include "platform/runtime/Strings.h"

std::string VersionDescription::StartTag(const std::string& name)
{
    return "<" + name + ">";
}

std::string VersionDescription::EndTag(const std::string& name)
{
    return "</" + name + ">";
}

std::string VersionDescription::ReturnValue(const std::string& source, const std::string& name)
{
    const int position = InStr(source, StartTag(name));
    const int start = position + Len(StartTag(name));
    const int finish = InStr(start, source, EndTag(name));
    // Without an end tag the count is negative, and Mid gives the empty text.
    return Mid(source, start, finish - start);
}

bool VersionDescription::IsNewer(const std::string& version, int major, int minor, int bug)
{
    const int own[3] = {major, minor, bug};
    for (int field = 0; field < 3; ++field) {
        const double remote = Val(NthField(version, ".", field + 1));
        const double mine = static_cast<double>(own[field]);
        if (remote != mine)
            return remote > mine;
    }
    return false;
}

bool VersionDescription::HasVersionNumber(const std::string& version)
{
    // The same number syntax as Val: blanks or line breaks, a sign, then digits or a point and digits.
    size_t i = 0;
    while (i < version.size() && (version[i] == ' ' || version[i] == '\t' || version[i] == '\r' || version[i] == '\n'))
        ++i;
    if (i < version.size() && (version[i] == '+' || version[i] == '-'))
        ++i;
    const auto digit = [&](size_t k) { return k < version.size() && version[k] >= '0' && version[k] <= '9'; };
    return digit(i) || (i < version.size() && version[i] == '.' && digit(i + 1));
}
