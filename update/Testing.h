#pragma once

#include <string>

// For tests only: the program itself never calls these.
namespace testing {
// Points the update check at another server ("127.0.0.1:port"); empty: the maker's host again.
void SetUpdateHost(const std::string& host);
} // namespace testing
