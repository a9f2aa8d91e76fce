#include "profiles/DateTimeParts.h"

namespace zv {

namespace {

void putPadded(std::string& text, int value, int width)
{
    text.assign(static_cast<std::size_t>(width), '0');
    for (int position = width - 1; position >= 0 && value > 0; --position, value /= 10)
        text[static_cast<std::size_t>(position)] = static_cast<char>('0' + value % 10);
}

} // namespace

void DateTimeParts::set(int year, int month, int day, int hour, int minute, int second)
{
    putPadded(year_, year, 4);
    putPadded(month_, month, 2);
    putPadded(day_, day, 2);
    putPadded(hour_, hour, 2);
    putPadded(minute_, minute, 2);
    putPadded(second_, second, 2);
    const auto at = [](int value, std::uint64_t scale) { return static_cast<std::uint64_t>(value) * scale; };
    key_ = at(year, 10'000'000'000ULL) + at(month, 100'000'000ULL) + at(day, 1'000'000ULL) + at(hour, 10'000ULL) +
        at(minute, 100ULL) + at(second, 1ULL) + 1;
}

} // namespace zv
