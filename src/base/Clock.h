#pragma once
// The date and time as the program sees them. Injected so that tests and the log are
// deterministic; the platform layer may format the texts in the user's locale.

#include <string>

namespace tintora {

struct LocalTime {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
    // The short date text of the user's locale (the log file name is made from it).
    virtual std::string DateText(const LocalTime& t) const;
    // The time of day with hours, minutes and seconds, as the log lines begin.
    virtual std::string TimeText(const LocalTime& t) const;
};

// Local time from the C++ clock; dates as dd.mm.yyyy and times as HH:MM:SS.
class SystemClock : public Clock {
public:
    LocalTime Now() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(LocalTime t) : t_(t) {}
    LocalTime Now() const override { return t_; }
    void Set(LocalTime t) { t_ = t; }

private:
    LocalTime t_;
};

// "5.12.2026 9:3:7": day.month.year hour:minute:second, no leading zeros.
std::string MakeCreationStamp(const LocalTime& t);

}  // namespace tintora
