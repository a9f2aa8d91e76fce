#pragma once

#include <cstdint>
#include <string>

namespace zv {

// The moment to write as six zero-padded texts: a four-digit year, then two digits each for
// month, day, hours (00 to 23), minutes and seconds. It is set only whole, so its texts and the
// one number it is known by always agree: a reader tells a new moment from the one it saw by
// that number, which a tick compares far cheaper than six texts. Empty until first set.
class DateTimeParts {
public:
    DateTimeParts() = default;
    DateTimeParts(int year, int month, int day, int hour, int minute, int second)
    {
        set(year, month, day, hour, minute, second);
    }

    // Splits a moment into its padded texts; reuses their storage, since it runs every tick.
    void set(int year, int month, int day, int hour, int minute, int second);

    [[nodiscard]] const std::string& year() const { return year_; }
    [[nodiscard]] const std::string& month() const { return month_; }
    [[nodiscard]] const std::string& day() const { return day_; }
    [[nodiscard]] const std::string& hour() const { return hour_; }
    [[nodiscard]] const std::string& minute() const { return minute_; }
    [[nodiscard]] const std::string& second() const { return second_; }

    // The moment as one number, YYYYMMDDhhmmss + 1; 0 while empty.
    [[nodiscard]] std::uint64_t key() const { return key_; }

    friend bool operator==(const DateTimeParts& a, const DateTimeParts& b) { return a.key_ == b.key_; }

private:
    std::string year_;
    std::string month_;
    std::string day_;
    std::string hour_;
    std::string minute_;
    std::string second_;
    std::uint64_t key_ = 0;
};

} // namespace zv
