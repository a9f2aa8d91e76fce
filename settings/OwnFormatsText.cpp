#include "settings/OwnFormatsText.h"

#include "common/AsciiText.h"

#include <algorithm>
#include <array>
#include <optional>

namespace zv {

namespace {

constexpr std::string_view kHeading = "# Zentrik Vesmar: own time-file formats";
constexpr std::string_view kBlockStart = "[format]";
constexpr std::string_view kBlockEnd = "[end]";
constexpr std::string_view kLineEnd = "\r\n";
// Editors on Windows put one before the text.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

void appendEscaped(std::string& out, std::string_view value)
{
    for (const char byte : value) {
        const auto code = static_cast<unsigned char>(byte);
        if (byte == '\\')
            out += "\\\\";
        else if (byte == '\n')
            out += "\\n";
        else if (byte == '\r')
            out += "\\r";
        else if (byte == '\t')
            out += "\\t";
        else if (code < 0x20 || code == 0x7F)
            out.append("\\x").append(1, kHexDigits[code >> 4]).append(1, kHexDigits[code & 0x0F]);
        else
            out += byte;
    }
}

void appendEntry(std::string& out, std::string_view key, std::string_view value)
{
    out.append(key).append("=");
    appendEscaped(out, value);
    out.append(kLineEnd);
}

// What a backslash before `kind` stands for, \xHH aside.
std::optional<char> escapedByte(char kind)
{
    switch (kind) {
    case '\\':
        return '\\';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    default:
        return std::nullopt;
    }
}

// Appends the bytes `value` stands for to `out`; returns why it cannot be read, if it cannot.
// A raw control byte is damage: the file never holds one.
std::optional<std::string_view> unescapeInto(std::string_view value, std::string& out)
{
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char byte = value[at];
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x20 || code == 0x7F)
            return "control byte not escaped";
        if (byte != '\\') {
            out += byte;
            continue;
        }
        const char kind = at + 1 < value.size() ? value[at + 1] : '\0';
        if (const auto escaped = escapedByte(kind)) {
            out += *escaped;
            ++at;
        } else if (kind == 'x' && at + 3 < value.size() && hexDigitValue(value[at + 2]) >= 0 &&
            hexDigitValue(value[at + 3]) >= 0) {
            out += static_cast<char>(hexDigitValue(value[at + 2]) * 16 + hexDigitValue(value[at + 3]));
            at += 3;
        } else {
            return "bad escape";
        }
    }
    return std::nullopt;
}

// The keys a block takes once each; "line" comes any number of times.
enum class SingleKey : std::size_t { Name, File, Break, Final };
constexpr std::array<std::string_view, 4> kSingleKeys = {"name", "file", "break", "final"};

// Reads the file line by line, one block at a time.
class OwnFormatsReader final {
public:
    void takeLine(std::string_view line)
    {
        if (line == kBlockStart) {
            if (inBlock_)
                skipBlock("cut short: no [end]");
            block_ = Block{};
            block_.number = ++blocksSeen_;
            inBlock_ = true;
            return;
        }
        if (!inBlock_)
            return; // headings, blank lines and whatever a later version puts between blocks
        if (line == kBlockEnd) {
            endBlock();
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            takeEntry(line.substr(0, equals), line.substr(equals + 1));
    }

    OwnFormatsRead finish()
    {
        if (inBlock_)
            skipBlock("cut short: no [end]");
        return std::move(read_);
    }

private:
    struct Block {
        std::size_t number = 0;
        OwnFormat format;
        std::size_t lineCount = 0;
        std::array<bool, kSingleKeys.size()> seen{};
        std::string_view damage; // the first thing found wrong, if any
    };

    void takeEntry(std::string_view key, std::string_view rawValue)
    {
        Block& block = block_;
        if (!block.damage.empty())
            return;
        std::string value;
        if (const auto damage = unescapeInto(rawValue, value)) {
            block.damage = *damage;
            return;
        }
        if (key == "line") {
            takeTemplateLine(block, value);
            return;
        }
        for (std::size_t k = 0; k < kSingleKeys.size(); ++k) {
            if (key != kSingleKeys[k])
                continue;
            if (block.seen[k]) {
                block.damage = "a key given twice";
                return;
            }
            block.seen[k] = true;
            takeSingle(block, static_cast<SingleKey>(k), value);
            return;
        }
    }

    static void takeTemplateLine(Block& block, std::string_view value)
    {
        // Each line after the first adds a byte to the text, so more lines than this never fit.
        if (++block.lineCount > kMostTemplateTextBytes + 1) {
            block.damage = "too many lines";
            return;
        }
        if (block.lineCount > 1)
            block.format.templateText += '\n';
        block.format.templateText += value;
    }

    // `value` by reference, not by value and moved: GCC 12 at -O3 takes the moved-in string for
    // uninitialised, as it does an optional's, and stops a build with -Werror.
    static void takeSingle(Block& block, SingleKey key, std::string& value)
    {
        OwnFormat& format = block.format;
        switch (key) {
        case SingleKey::Name:
            format.name = std::move(value);
            break;
        case SingleKey::File:
            format.fileName = std::move(value);
            break;
        case SingleKey::Break:
            if (value == "crlf" || value == "lf")
                format.lineBreak = value == "lf" ? LineBreak::Lf : LineBreak::CrLf;
            else
                block.damage = "bad break value";
            break;
        case SingleKey::Final:
            if (value == "yes" || value == "no")
                format.breakAfterLast = value == "yes";
            else
                block.damage = "bad final value";
            break;
        }
    }

    void endBlock()
    {
        inBlock_ = false;
        Block block = std::move(block_);
        if (!block.damage.empty()) {
            report(block.number, block.damage);
            return;
        }
        const OwnFormatCheck check = checkOwnFormat(block.format, read_.formats);
        if (!check.ok())
            report(block.number, englishReason(check));
        else if (read_.formats.size() == kMostOwnFormats)
            report(block.number, "more than 20 formats");
        else
            read_.formats.push_back(std::move(block.format));
    }

    void skipBlock(std::string_view reason)
    {
        report(block_.number, reason);
        inBlock_ = false;
    }

    void report(std::size_t block, std::string_view reason) { read_.problems.push_back({block, std::string(reason)}); }

    OwnFormatsRead read_;
    // The block being read. A plain member, not an optional: GCC 12 at -O3 takes an optional's
    // strings for uninitialised and stops a build with -Werror.
    Block block_;
    bool inBlock_ = false;
    std::size_t blocksSeen_ = 0;
};

} // namespace

OwnFormatsRead readOwnFormatsText(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    OwnFormatsReader reader;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        reader.takeLine(bytes.substr(0, end));
        const bool crLf = end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n';
        bytes.remove_prefix(std::min(end + (crLf ? 2 : 1), bytes.size()));
    }
    return reader.finish();
}

std::string ownFormatsText(std::span<const OwnFormat> formats)
{
    std::string text;
    text.append(kHeading).append(kLineEnd);
    for (const OwnFormat& format : formats) {
        text.append(kLineEnd).append(kBlockStart).append(kLineEnd);
        appendEntry(text, "name", format.name);
        appendEntry(text, "file", format.fileName);
        appendEntry(text, "break", format.lineBreak == LineBreak::Lf ? "lf" : "crlf");
        appendEntry(text, "final", format.breakAfterLast ? "yes" : "no");
        std::string_view rest = format.templateText;
        for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
            appendEntry(text, "line", rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
        appendEntry(text, "line", rest);
        text.append(kBlockEnd).append(kLineEnd);
    }
    return text;
}

} // namespace zv
