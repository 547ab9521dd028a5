#pragma once

#include <cstdint>
#include <string>

// A moment in local time, the current one when made.
class Date {
public:
    Date();
    explicit Date(std::int64_t millisecondsSinceEpoch);

    std::int64_t MillisecondsSinceEpoch() const { return m_msecs; }
    // The time and the date in the system's short formats.
    std::string ShortTime() const;
    std::string ShortDate() const;

private:
    std::int64_t m_msecs;
};
