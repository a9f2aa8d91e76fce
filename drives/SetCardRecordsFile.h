#pragma once

#include "common/SystemError.h"
#include "drives/SetCardRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The records live in a file of their own in the user's state folder, never on a card. A
// line per record, newest first, of tab-separated `key=value` fields whose values escape
// control bytes and '%' as %XX. A line that does not read as a whole record costs only that
// record; keys a later version adds are passed over.
inline constexpr std::size_t kMostSetCardRecordsFileBytes = 256 * 1024;

// The file's bytes: as many of the records, newest first, as fit kMostSetCardRecordsFileBytes.
[[nodiscard]] std::string setCardRecordsFileText(const SetCardRecords& records);

// The records of the well-formed lines of `bytes`, unchecked against the limits.
[[nodiscard]] std::vector<SetCardRecord> parseSetCardRecords(std::string_view bytes);

// The records in the file at `path`, without the expired ones. A missing, damaged or
// unreadable file, or one longer than this program writes, gives none, silently.
[[nodiscard]] SetCardRecords loadSetCardRecords(const std::string& path, std::int64_t now);

// Replaces the file at `path` in one step with the unexpired `records`, creating its folders
// when missing (but never a new folder directly in a file system's root). On failure nothing
// is remembered, and the caller goes on without.
[[nodiscard]] SystemError saveSetCardRecords(const std::string& path, const SetCardRecords& records, std::int64_t now);

} // namespace zv
