#include "drives/SetCardRecordsFile.h"

#include "common/AtomicFile.h"
#include "common/CappedFile.h"
#include "common/Paths.h"
#include "drives/PercentEscape.h"

#include <charconv>
#include <map>
#include <optional>
#include <type_traits>

namespace zv {

namespace {

constexpr std::string_view kHeader = "# Zentrik Vesmar: cards whose clock was set, newest first\r\n";
constexpr std::string_view kLineEnd = "\r\n";

// Decimal digits with a minus sign only where the type has one; nothing else around them.
template <typename Number> std::optional<Number> numberIn(std::string_view text)
{
    if (text.empty() || text.front() == '+' || (std::is_unsigned_v<Number> && text.front() == '-'))
        return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string recordLine(const SetCardRecord& record)
{
    const CardContents& then = record.contentsAtSet;
    std::string line = "card=" + percentEscaped(record.cardIdentity);
    line += "\tfile=" + percentEscaped(record.timeFileName);
    line += "\tbytes=" + percentEscaped(record.timeFileBytes);
    line += "\tset=" + std::to_string(record.setAt);
    if (then.newestModified)
        line += "\tnewest=" + std::to_string(*then.newestModified);
    line += "\tfiles=" + std::to_string(then.fileCount);
    line += "\tcomplete=" + std::string(then.complete ? "1" : "0");
    line += "\tmodel=" + percentEscaped(record.modelKey);
    line += "\trow=" + std::to_string(record.timeStampRow);
    if (record.answered)
        line += "\tanswered=1";
    return line + std::string(kLineEnd);
}

// The line's fields by key, the values unescaped; none when the line is damaged.
std::optional<std::map<std::string, std::string, std::less<>>> fieldsOf(std::string_view line)
{
    std::map<std::string, std::string, std::less<>> fields;
    while (true) {
        const auto tab = line.find('\t');
        const std::string_view field = line.substr(0, tab);
        const auto equals = field.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        auto value = percentUnescaped(field.substr(equals + 1));
        if (!value || !fields.emplace(std::string(field.substr(0, equals)), std::move(*value)).second)
            return std::nullopt; // a broken escape or a key given twice
        if (tab == std::string_view::npos)
            return fields;
        line.remove_prefix(tab + 1);
    }
}

std::optional<SetCardRecord> recordFrom(std::string_view line)
{
    const auto fields = fieldsOf(line);
    if (!fields)
        return std::nullopt;
    const auto text = [&](std::string_view key) -> const std::string* {
        const auto found = fields->find(key);
        return found == fields->end() ? nullptr : &found->second;
    };
    const std::string* card = text("card");
    const std::string* file = text("file");
    const std::string* bytes = text("bytes");
    const std::string* model = text("model");
    const std::string* set = text("set");
    const std::string* files = text("files");
    const std::string* complete = text("complete");
    const std::string* row = text("row");
    const std::string* newest = text("newest"); // absent when the card held no file
    const std::string* answered = text("answered"); // absent while the answer is awaited
    if (!card || !file || !bytes || !model || !set || !files || !complete || !row)
        return std::nullopt;

    SetCardRecord record{*card, *file, *bytes, 0, {}, *model, 0};
    const auto setAt = numberIn<std::int64_t>(*set);
    const auto fileCount = numberIn<std::uint64_t>(*files);
    const auto timeStampRow = numberIn<int>(*row);
    const auto newestModified = newest ? numberIn<std::int64_t>(*newest) : std::nullopt;
    if (!setAt || !fileCount || *fileCount > kMostCardEntries || !timeStampRow || (newest && !newestModified) ||
        (*complete != "0" && *complete != "1") || (answered && *answered != "1"))
        return std::nullopt;
    record.answered = answered != nullptr;
    record.setAt = *setAt;
    record.contentsAtSet = {newestModified, static_cast<std::size_t>(*fileCount), *complete == "1"};
    record.timeStampRow = *timeStampRow;
    return record;
}

} // namespace

std::string setCardRecordsFileText(const SetCardRecords& records)
{
    std::string text(kHeader);
    for (const SetCardRecord& record : records.records()) {
        const std::string line = recordLine(record);
        if (text.size() + line.size() > kMostSetCardRecordsFileBytes)
            break; // newest first, so the oldest are the ones left out
        text += line;
    }
    return text;
}

std::vector<SetCardRecord> parseSetCardRecords(std::string_view bytes)
{
    std::vector<SetCardRecord> records;
    while (!bytes.empty()) {
        const auto feed = bytes.find('\n');
        std::string_view line = bytes.substr(0, feed);
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        if (auto record = recordFrom(line))
            records.push_back(std::move(*record));
    }
    return records;
}

SetCardRecords loadSetCardRecords(const std::string& path, std::int64_t now)
{
    std::string bytes;
    if (readCappedFile(path, kMostSetCardRecordsFileBytes, bytes).failed())
        return {};
    return SetCardRecords(parseSetCardRecords(bytes), now);
}

SystemError saveSetCardRecords(const std::string& path, const SetCardRecords& records, std::int64_t now)
{
    SetCardRecords kept = records;
    kept.dropExpired(now);
    if (SystemError error = createParentFolders(path); error.failed())
        return error;
    AtomicWriteResult result = writeFileAtomically(path, setCardRecordsFileText(kept));
    if (!result.ok() && !result.error.failed())
        return systemErrorFrom(std::make_error_code(std::errc::io_error)); // never a failure as success
    return std::move(result.error);
}

} // namespace zv
