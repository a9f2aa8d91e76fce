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

void fillDateTimeParts(DateTimeParts& parts, int year, int month, int day, int hour, int minute, int second)
{
    putPadded(parts.year, year, 4);
    putPadded(parts.month, month, 2);
    putPadded(parts.day, day, 2);
    putPadded(parts.hour, hour, 2);
    putPadded(parts.minute, minute, 2);
    putPadded(parts.second, second, 2);
    ++parts.revision;
}

} // namespace zv
