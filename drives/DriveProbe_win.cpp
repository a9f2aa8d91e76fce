#include "drives/DriveProbe.h"

#include "common/WideText_win.h"
#include "drives/CardIdentity.h"

#include <array>
#include <windows.h>

namespace zv {

namespace {

constexpr int kLetterCount = 26;
constexpr UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// Keeps Windows from asking the user to insert a disk when a call meets an empty card reader.
class QuietErrorMode final {
public:
    QuietErrorMode() : previous_(SetErrorMode(kQuietErrorMode)) { SetErrorMode(previous_ | kQuietErrorMode); }
    ~QuietErrorMode() { SetErrorMode(previous_); }
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;

private:
    UINT previous_;
};

std::string rootOfLetter(int index) { return {static_cast<char>('A' + index), ':', '\\'}; }

// The letter index of a root written as "E:\", or -1 for any other path.
int letterIndexOf(const std::string& root)
{
    if (root.size() != 3 || root[1] != ':' || root[2] != '\\')
        return -1;
    const char letter = root[0];
    if (letter >= 'A' && letter <= 'Z')
        return letter - 'A';
    if (letter >= 'a' && letter <= 'z')
        return letter - 'a';
    return -1;
}

DriveType asDriveType(UINT code)
{
    return code <= static_cast<UINT>(DriveType::RamDisk) ? static_cast<DriveType>(code) : DriveType::Unknown;
}

DriveType queryDriveType(const std::string& root)
{
    const QuietErrorMode quiet;
    return asDriveType(GetDriveTypeW(widenUtf8(root).c_str()));
}

// Drive letters A to Z. A tick costs one GetLogicalDrives(): the type of a letter cannot
// change while the letter stays, so GetDriveTypeW is asked only for letters that came.
class WindowsDriveProbe final : public DriveProbe {
public:
    WindowsDriveProbe()
    {
        types_.fill(DriveType::NoRootDirectory);
        refresh();
    }

    const std::vector<std::string>& candidateRoots() override
    {
        refresh();
        return roots_;
    }

    DriveType driveType(const std::string& root) override
    {
        const int index = letterIndexOf(root);
        return index >= 0 ? types_[static_cast<std::size_t>(index)] : queryDriveType(root);
    }

    bool volumeInformation(const std::string& root, VolumeInformation& out) override
    {
        std::array<wchar_t, MAX_PATH + 1> label{};
        std::array<wchar_t, MAX_PATH + 1> fileSystemName{};
        DWORD serialNumber = 0;
        DWORD maxComponentLength = 0;
        DWORD fileSystemFlags = 0;
        const QuietErrorMode quiet;
        if (!GetVolumeInformationW(widenUtf8(root).c_str(), label.data(), static_cast<DWORD>(label.size()),
                &serialNumber, &maxComponentLength, &fileSystemFlags, fileSystemName.data(),
                static_cast<DWORD>(fileSystemName.size())))
            return false;
        out.label = narrowToUtf8(label.data());
        out.fileSystemName = narrowToUtf8(fileSystemName.data());
        out.serialNumber = serialNumber;
        out.maxComponentLength = maxComponentLength;
        out.fileSystemFlags = fileSystemFlags;
        out.identity = serialNumber;
        out.fileSystemId = volumeSerialText(serialNumber);
        return true;
    }

    // Asked afresh, not from the letters' cached types: the card may have gone since the tick.
    // `device` is not needed: a letter's root cannot be swapped for a folder of another disk.
    bool isRemovableRootNow(const std::string& root, std::uint64_t) override
    {
        return queryDriveType(root) == DriveType::Removable;
    }

private:
    void refresh()
    {
        const DWORD mask = GetLogicalDrives();
        const DWORD changed = mask ^ mask_;
        if (changed == 0)
            return;
        for (int index = 0; index < kLetterCount; ++index) {
            const DWORD bit = DWORD{1} << index;
            if ((changed & bit) != 0)
                types_[static_cast<std::size_t>(index)] =
                    (mask & bit) != 0 ? queryDriveType(rootOfLetter(index)) : DriveType::NoRootDirectory;
        }
        mask_ = mask;
        rebuildRoots();
    }

    void rebuildRoots()
    {
        roots_.clear();
        for (int index = 0; index < kLetterCount; ++index) {
            if ((mask_ & (DWORD{1} << index)) != 0)
                roots_.push_back(rootOfLetter(index));
        }
    }

    DWORD mask_ = 0;
    std::array<DriveType, kLetterCount> types_{};
    std::vector<std::string> roots_;
};

} // namespace

std::unique_ptr<DriveProbe> makeSystemDriveProbe() { return std::make_unique<WindowsDriveProbe>(); }

} // namespace zv
