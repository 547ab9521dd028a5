#include "platform/network/InternetHeaders.h"

#include <cctype>

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

void InternetHeaders::AppendHeader(const std::string& name, const std::string& value)
{
    m_headers.emplace_back(name, value);
}

std::string InternetHeaders::Name(int index) const
{
    return index >= 0 && index < Count() ? m_headers[index].first : std::string();
}

std::string InternetHeaders::Value(int index) const
{
    return index >= 0 && index < Count() ? m_headers[index].second : std::string();
}

std::string InternetHeaders::Value(const std::string& name) const
{
    for (const auto& [headerName, value] : m_headers)
        if (sameName(headerName, name))
            return value;
    return {};
}

void InternetHeaders::ContinueLast(const std::string& more)
{
    if (m_headers.empty())
        return;
    std::string& value = m_headers.back().second;
    if (!value.empty() && !more.empty())
        value += ' ';
    value += more;
}
