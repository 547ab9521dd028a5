#include "platform/runtime/Strings.h"

#include <charconv>
#include <cmath>

namespace {

// Length in bytes of the character that starts at text[i].
size_t charSize(const std::string& text, size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t size = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (size == 1 || i + size > text.size())
        return 1;
    for (size_t k = 1; k < size; ++k)
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
            return 1;
    return size;
}

bool isAscii(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Byte offset of the character at 0-based index, or text.size() past the end.
size_t byteOffset(const std::string& text, long index)
{
    if (index <= 0)
        return 0;
    size_t i = 0;
    for (long n = 0; n < index && i < text.size(); ++n)
        i += charSize(text, i);
    return i;
}

long charIndex(const std::string& text, size_t offset)
{
    long n = 0;
    for (size_t i = 0; i < offset && i < text.size(); ++n)
        i += charSize(text, i);
    return n;
}

} // namespace

int Len(const std::string& text)
{
    if (isAscii(text))
        return static_cast<int>(text.size());
    return static_cast<int>(charIndex(text, text.size()));
}

std::string Left(const std::string& text, int count)
{
    if (count <= 0)
        return {};
    return text.substr(0, byteOffset(text, count));
}

std::string Mid(const std::string& text, int start)
{
    if (start < 1)
        start = 1;
    return text.substr(byteOffset(text, start - 1));
}

std::string Mid(const std::string& text, int start, int count)
{
    if (count <= 0)
        return {};
    if (start < 1)
        start = 1;
    const size_t begin = byteOffset(text, start - 1);
    if (begin >= text.size())
        return {};
    size_t end = begin;
    for (int n = 0; n < count && end < text.size(); ++n)
        end += charSize(text, end);
    return text.substr(begin, end - begin);
}

int InStr(const std::string& source, const std::string& find)
{
    return InStr(1, source, find);
}

int InStr(int start, const std::string& source, const std::string& find)
{
    if (start < 1)
        start = 1;
    const bool ascii = isAscii(source);
    const size_t from = ascii ? static_cast<size_t>(start - 1) : byteOffset(source, start - 1);
    if (find.empty() || from > source.size())
        return 0;
    size_t at = source.find(find, from);
    if (ascii)
        return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
    // Only a match that begins a character counts; one inside a character is passed over.
    size_t boundary = from;
    long index = start - 1;
    while (at != std::string::npos) {
        while (boundary < at) {
            boundary += charSize(source, boundary);
            ++index;
        }
        if (boundary == at)
            return static_cast<int>(index + 1);
        at = source.find(find, at + 1);
    }
    return 0;
}

std::string NthField(const std::string& text, const std::string& separator, int n)
{
    if (n < 1 || separator.empty())
        return n == 1 ? text : std::string();
    size_t begin = 0;
    for (int field = 1; field < n; ++field) {
        const size_t at = text.find(separator, begin);
        if (at == std::string::npos)
            return {};
        begin = at + separator.size();
    }
    const size_t end = text.find(separator, begin);
    return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

double Val(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
        ++i;
    // Take the longest prefix that reads as a decimal number; anything after it is ignored.
    size_t end = i;
    if (end < text.size() && (text[end] == '+' || text[end] == '-'))
        ++end;
    const size_t digitsStart = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
    }
    if (end == digitsStart || (end == digitsStart + 1 && text[digitsStart] == '.'))
        return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t e = end + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-'))
            ++e;
        if (e < text.size() && text[e] >= '0' && text[e] <= '9') {
            while (e < text.size() && text[e] >= '0' && text[e] <= '9')
                ++e;
            end = e;
        }
    }
    // from_chars reads the same in every locale; it takes no plus sign.
    const char* first = text.data() + i;
    if (*first == '+')
        ++first;
    double value = 0.0;
    const std::from_chars_result read = std::from_chars(first, text.data() + end, value);
    return read.ec == std::errc() && std::isfinite(value) ? value : 0.0;
}

std::string Str(int value)
{
    return std::to_string(value);
}

std::string Str(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    // Like "%.7g", with a decimal point whatever the locale.
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}
