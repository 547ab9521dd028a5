// Arbitrary text and element names into the tag extraction and the string functions it is
// built on. Needs no Qt: build with update/VersionDescription.cpp and platform/runtime/Strings.cpp.
#include "platform/runtime/Strings.h"
#include "update/VersionDescription.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

int smallInt(const uint8_t* data, size_t size, size_t at)
{
    if (at >= size)
        return 0;
    return static_cast<int>(static_cast<int8_t>(data[at])); // -128 .. 127, negatives included
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    // Layout: two numbers, the name's length, the name, then the source.
    const int a = smallInt(data, size, 0);
    const int b = smallInt(data, size, 1);
    const size_t nameLength = data[2] % 24;
    const size_t nameEnd = 3 + nameLength < size ? 3 + nameLength : size;
    const std::string name(reinterpret_cast<const char*>(data + 3), nameEnd - 3);
    const std::string source(reinterpret_cast<const char*>(data + nameEnd), size - nameEnd);

    // The extraction: a piece of the source, and exactly the text between the tags when both are there.
    const std::string value = VersionDescription::ReturnValue(source, name);
    check(value.empty() || source.find(value) != std::string::npos);
    const std::string start = VersionDescription::StartTag(name);
    const std::string end = VersionDescription::EndTag(name);
    const size_t at = source.find(start);
    if (at != std::string::npos) {
        const size_t from = at + start.size();
        const size_t finish = source.find(end, from);
        check(value == (finish == std::string::npos ? std::string() : source.substr(from, finish - from)));
    }
    (void)VersionDescription::IsNewer(source, a, b, a - b);
    (void)VersionDescription::HasVersionNumber(source);

    // The string functions on any bytes and any positions or counts.
    const int length = Len(source);
    check(length >= 0 && static_cast<size_t>(length) <= source.size());
    const std::string mid = Mid(source, a, b);
    check(Len(mid) <= (b > 0 ? b : 0));
    check(mid.empty() || source.find(mid) != std::string::npos);
    const std::string rest = Mid(source, a);
    check(source.size() >= rest.size() && source.compare(source.size() - rest.size(), rest.size(), rest) == 0);
    const std::string left = Left(source, a);
    check(source.compare(0, left.size(), left) == 0);
    const int position = InStr(a, source, name);
    check(position >= 0 && position <= length);
    const std::string field = NthField(source, name, b);
    check(field.empty() || source.find(field) != std::string::npos);
    check(std::isfinite(Val(source)));
    (void)Str(Val(source));
    (void)Str(a * 1000003);
    return 0;
}
