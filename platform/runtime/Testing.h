#pragma once

#include <cstdint>
#include <optional>

class Application;
struct VersionInfo;

// For tests and benchmarks only: the program itself never calls these.
namespace testing {
// Gives the application object another version than the build's.
void SetVersion(Application& app, const VersionInfo& version);
// Fixes the clock that new Dates read (nothing: the real clock again).
void FixNow(std::optional<std::int64_t> millisecondsSinceEpoch);
} // namespace testing
