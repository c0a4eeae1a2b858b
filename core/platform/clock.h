#pragma once

namespace kordex {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

class Clock {
  public:
    virtual ~Clock() = default;

    // A monotonic high-resolution reading in seconds, for elapsed times.
    virtual double Seconds() = 0;
    // The local date and time, for time-stamped file names.
    virtual LocalDateTime Now() = 0;
};

}  // namespace kordex
