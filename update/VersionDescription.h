#pragma once

#include <string>

// Reading the version-description file: its elements are found by plain text search, the
// first of each name winning, and the version is compared with the program's own.
namespace VersionDescription {
std::string StartTag(const std::string& name);
std::string EndTag(const std::string& name);
// The text between the first start tag of name and the first end tag after it.
std::string ReturnValue(const std::string& source, const std::string& name);

// Whether version ("major.minor.bug", further fields ignored) is higher than the given
// numbers; each field counts as the number Val reads from it.
bool IsNewer(const std::string& version, int major, int minor, int bug);
// Whether version starts with a number as Val reads one; a page whose version has none
// is no version-description file.
bool HasVersionNumber(const std::string& version);
}
