#include "drives/CardIdentity.h"

#include "common/AsciiText.h"
#include "drives/PercentEscape.h"

#include <algorithm>
#include <string_view>

namespace zv {

namespace {

// The same id in either case is the same id: "1234-abcd" and "1234-ABCD".
std::string upperAscii(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), asciiUpper);
    return out;
}

bool identifiesSomething(std::string_view id)
{
    return std::any_of(id.begin(), id.end(), [](char c) { return c != '0' && c != '-'; });
}

} // namespace

std::string cardIdentity(std::string_view fileSystemId, std::string_view label, std::optional<std::uint64_t> totalBytes)
{
    const std::string_view id = trimmed(fileSystemId, " \t\r\n");
    if (identifiesSomething(id))
        return "fs:" + percentEscaped(upperAscii(id));
    if (totalBytes && *totalBytes > 0)
        return "size:" + std::to_string(*totalBytes) + ":" + percentEscaped(label);
    return {};
}

std::string volumeSerialText(std::uint32_t serial)
{
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += std::string_view("0123456789ABCDEF")[(serial >> shift) & 0x0F];
        if (shift == 16)
            text += '-';
    }
    return text;
}

} // namespace zv
