#include "platform/runtime/Date.h"

#include "platform/runtime/Testing.h"

#include <QDateTime>
#include <QLocale>

#include <optional>

namespace {
std::optional<std::int64_t>& fixedNow()
{
    static std::optional<std::int64_t> now;
    return now;
}
} // namespace

Date::Date() : m_msecs(fixedNow() ? *fixedNow() : QDateTime::currentMSecsSinceEpoch()) {}

Date::Date(std::int64_t millisecondsSinceEpoch) : m_msecs(millisecondsSinceEpoch) {}

std::string Date::ShortTime() const
{
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(m_msecs);
    return QLocale::system().toString(moment.time(), QLocale::ShortFormat).toStdString();
}

std::string Date::ShortDate() const
{
    const QDateTime moment = QDateTime::fromMSecsSinceEpoch(m_msecs);
    return QLocale::system().toString(moment.date(), QLocale::ShortFormat).toStdString();
}

void testing::FixNow(std::optional<std::int64_t> millisecondsSinceEpoch)
{
    fixedNow() = millisecondsSinceEpoch;
}
