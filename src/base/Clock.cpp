#include "base/Clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tintora {

std::string Clock::DateText(const LocalTime& t) const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
    return buf;
}

std::string Clock::TimeText(const LocalTime& t) const {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

LocalTime SystemClock::Now() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string MakeCreationStamp(const LocalTime& t) {
    return std::to_string(t.day) + "." + std::to_string(t.month) + "." + std::to_string(t.year) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

}  // namespace tintora
