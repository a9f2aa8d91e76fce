#include "drives/CardScan.h"

#include "common/Paths.h"

#include <algorithm>
#include <chrono>

namespace zv {

namespace {

namespace fs = std::filesystem;

bool sameNameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::int64_t secondsSinceEpoch(fs::file_time_type time)
{
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::floor<std::chrono::seconds>(system).time_since_epoch().count();
}

} // namespace

CardScanner::CardScanner(const std::string& root, std::string ignoredRootName)
    : root_(pathFromUtf8(root)), ignoredRootName_(std::move(ignoredRootName))
{
    pending_.push_back({root_, 0});
}

bool CardScanner::readNextFolder(const std::stop_token& stop)
{
    if (stop.stop_requested()) {
        missedSomething_ = true;
        ended_ = true;
    }
    if (!ended_ && !pending_.empty()) {
        const PendingFolder folder = std::move(pending_.front());
        pending_.pop_front();
        readFolder(folder, stop);
    }
    if (pending_.empty())
        ended_ = true;
    return !ended_;
}

CardContents CardScanner::contents() const
{
    CardContents contents = found_;
    contents.complete = ended_ && pending_.empty() && !missedSomething_;
    return contents;
}

void CardScanner::readFolder(const PendingFolder& folder, const std::stop_token& stop)
{
    std::error_code error;
    fs::directory_iterator entry(folder.path, error);
    for (const fs::directory_iterator end; !error && entry != end; entry.increment(error)) {
        if (stop.stop_requested() || entriesVisited_ == kMostCardEntries) {
            missedSomething_ = true;
            ended_ = true;
            return;
        }
        ++entriesVisited_;
        std::error_code typeError;
        const fs::file_type type = entry->symlink_status(typeError).type();
        if (typeError)
            missedSomething_ = true;
        else if (type == fs::file_type::directory && folder.level < kDeepestCardFolder)
            pending_.push_back({entry->path(), folder.level + 1});
        else if (type == fs::file_type::regular &&
            !(folder.level == 0 && sameNameIgnoringAsciiCase(utf8FromPath(entry->path().filename()), ignoredRootName_)))
            noteFile(*entry);
        // Links, pipes, devices and sockets are not a camera's recordings.
    }
    if (error)
        noteFailedFolder();
}

void CardScanner::noteFile(const fs::directory_entry& entry)
{
    ++found_.fileCount;
    std::error_code error;
    const fs::file_time_type modified = entry.last_write_time(error);
    if (error) {
        missedSomething_ = true;
        return;
    }
    const std::int64_t seconds = secondsSinceEpoch(modified);
    if (!found_.newestModified || seconds > *found_.newestModified)
        found_.newestModified = seconds;
}

// A folder taken away or unreadable costs only itself; once the root is gone the card was
// pulled, and every folder still to read could only fail.
void CardScanner::noteFailedFolder()
{
    missedSomething_ = true;
    std::error_code error;
    if (!fs::is_directory(fs::status(root_, error)))
        ended_ = true;
}

CardContents scanCard(const std::string& root, const std::string& ignoredRootName, const std::stop_token& stop)
{
    CardScanner scanner(root, ignoredRootName);
    while (scanner.readNextFolder(stop)) {
    }
    return scanner.contents();
}

} // namespace zv
