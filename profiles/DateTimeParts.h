#pragma once

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

    friend bool operator==(const DateTimeParts&, const DateTimeParts&) = default;
};

// Splits a moment into its padded texts; reuses the strings' storage, since it runs every tick.
void fillDateTimeParts(DateTimeParts& parts, int year, int month, int day, int hour, int minute, int second);

} // namespace zv
