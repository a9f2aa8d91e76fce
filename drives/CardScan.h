#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>

namespace zv {

// What a card holds, as far as a bounded look tells: enough to see later whether a camera has
// recorded on it since.
struct CardContents {
    std::optional<std::int64_t> newestModified; // of the newest file, seconds since the epoch (UTC)
    std::size_t fileCount = 0;
    // Every entry down to kDeepestCardFolder was seen. Folders below it are never looked at, on
    // any scan, so two complete scans of one card count the same files.
    bool complete = false;

    bool operator==(const CardContents&) const = default;
};

// Cameras keep their files one or two folders down (DCIM/100MEDIA/VID0001.AVI); the limits
// keep a card full of other things, or a damaged file system, from costing more than a moment.
inline constexpr int kDeepestCardFolder = 3; // files in A/B/C/ are seen, A/B/C/D/ is not entered
inline constexpr std::size_t kMostCardEntries = 5000;

// Looks at the regular files on a card one folder at a time. Links are never followed and
// special files never opened, so nothing on the card can send it elsewhere or make it wait.
// A folder that cannot be read is skipped; once the card's root is gone the scan ends. It
// touches nothing but its own members, so it may run on a thread of its own.
class CardScanner final {
public:
    // `ignoredRootName` is a file in the root that does not count (our own time file), matched
    // without regard to ASCII case, as the card's file system matches names.
    CardScanner(const std::string& root, std::string ignoredRootName);

    // Reads the next folder; `stop` is checked at every entry. False once the scan is over.
    bool readNextFolder(const std::stop_token& stop = {});

    // What was found so far; complete only when the scan ended with nothing missed.
    [[nodiscard]] CardContents contents() const;

private:
    struct PendingFolder {
        std::filesystem::path path;
        int level = 0; // 0 for the root
    };

    void readFolder(const PendingFolder& folder, const std::stop_token& stop);
    void noteFile(const std::filesystem::directory_entry& entry);
    void noteFailedFolder();

    std::filesystem::path root_;
    std::string ignoredRootName_;
    std::deque<PendingFolder> pending_;
    CardContents found_;
    std::size_t entriesVisited_ = 0;
    bool missedSomething_ = false;
    bool ended_ = false;
};

// Scans the card at `root` to the end, or until `stop` is requested.
[[nodiscard]] CardContents scanCard(
    const std::string& root, const std::string& ignoredRootName, const std::stop_token& stop = {});

} // namespace zv
