#include "profiles/OwnFormatStartingPoints.h"

#include <array>

namespace zv {

namespace {

// Each carries a short name that reads the same in both languages; the owner may keep or change it.
std::array<OwnFormatStartingPoint, 4> buildStartingPoints()
{
    return {{
        {"808 #8 брелок: tag.txt, [date] и две строки", "808 #8 key-chain: tag.txt, [date] and two lines",
            {"808 #8", "tag.txt", "[date]\n{year}/{month}/{day}\n{hour}:{minute}:{second}", LineBreak::CrLf, true}},
        {"808 #11 брелок: TIMESET.TXT", "808 #11 key-chain: TIMESET.TXT",
            {"808 #11", "TIMESET.TXT", "{year}-{month}-{day} {hour}:{minute}:{second}", LineBreak::CrLf, true}},
        {"без расширения: TIME", "no extension: TIME",
            {"TIME", "TIME", "{year}.{month}.{day} {hour}:{minute}:{second}", LineBreak::CrLf, true}},
        {"пустой", "empty", {}},
    }};
}

} // namespace

std::span<const OwnFormatStartingPoint> ownFormatStartingPoints()
{
    static const std::array<OwnFormatStartingPoint, 4> startingPoints = buildStartingPoints();
    return startingPoints;
}

} // namespace zv
