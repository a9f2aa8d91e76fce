#pragma once

#include <cstdint>
#include <string>

namespace zv {

// The moment to write as six zero-padded texts: a four-digit year, then two digits each.
struct DateTimeParts {
    std::string year;
    std::string month;
    std::string day;
    std::string hour; // 00 to 23
    std::string minute;
    std::string second;
    // Counts the fills, so a reader can tell a new moment from the one it saw by one number.
    std::uint32_t revision = 0;

    // The moment's texts; the fill count is no part of the moment.
    friend bool operator==(const DateTimeParts& a, const DateTimeParts& b)
    {
        return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
            a.second == b.second;
    }
};

// Splits a moment into its padded texts; reuses the strings' storage, since it runs every tick.
void fillDateTimeParts(DateTimeParts& parts, int year, int month, int day, int hour, int minute, int second);

} // namespace zv
