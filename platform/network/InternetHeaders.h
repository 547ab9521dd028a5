#pragma once

#include <string>
#include <utility>
#include <vector>

// The header lines of an HTTP reply, in the order they came. Names compare without regard
// to letter case, as HTTP wants.
class InternetHeaders {
public:
    void AppendHeader(const std::string& name, const std::string& value);
    int Count() const { return static_cast<int>(m_headers.size()); }
    // 0-based index; empty outside the range.
    std::string Name(int index) const;
    std::string Value(int index) const;
    // The value of the first header of that name; empty when there is none.
    std::string Value(const std::string& name) const;

private:
    friend class HttpReplyParser;
    // Continues the last header's value (a folded line).
    void ContinueLast(const std::string& more);

    std::vector<std::pair<std::string, std::string>> m_headers;
};
