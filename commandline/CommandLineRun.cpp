#include "commandline/CommandLineRun.h"

#include "commandline/TimeFileFormats.h"
#include "common/StoredText.h"
#include "drives/CardIdentity.h"
#include "drives/CardScan.h"
#include "drives/DriveQueries.h"
#include "drives/RemovableDriveList.h"
#include "drives/SetCardRecordsFile.h"
#include "drives/VolumeSize.h"
#include "profiles/DefaultProfiles.h"
#include "settings/OwnFormatsFile.h"
#include "settings/ProgramOptions.h"
#include "settings/SettingsFile.h"

#include <algorithm>

#ifndef ZV_VERSION
#error "ZV_VERSION, the project's version, is given by the build"
#endif

namespace zv {

namespace {

constexpr std::string_view kHelp = R"(Usage: zentrik-vesmar [COMMAND [OPTIONS]]
Sets the clock of mini video cameras: writes the camera's time file into the root of its card.
Without arguments the program opens its window.

Commands:
  list              the removable drives, one a line: ROOT<TAB>LABEL
  models            the camera models and own formats: NAME<TAB>FILE<TAB>a sample line
  set               writes the time file of one model to each drive given
  --help, -h        this help
  --version         the program's version

Options of set (as --name VALUE or --name=VALUE):
  --drive ROOT      a removable drive's root as 'list' shows it, with or without the
                    final separator (/media/user/CAM, E:); once per drive, as often as needed
  --model NAME      a model or own format as 'models' shows it, letter case aside
  --stamp yes|no    show the date and time on the video (default yes); only for the
                    models and own formats that have the time stamp
  --at "YYYY-MM-DD hh:mm:ss"
                    write this moment instead of the current one
  --lead SECONDS    write the current moment plus 0 to 600 seconds, the time from the set
                    to switching the camera on (default: the lead saved in the window's
                    settings, else 0); not with --at
  --eject           take each card written out of the system, ready to unplug

The models' files and separators come from Zentrik.ini as the window keeps them; the command
line changes no setting. Each drive set gives one line on standard output: the file written
and its content, line breaks within it written as \r and \n.

Exit status:
  0  every drive was set, and ejected when asked
  1  a drive failed: each failure is one line on standard error, 'zentrik-vesmar: ROOT: why';
     the other drives are still set
  2  the command was not understood; nothing was written

Examples:
  zentrik-vesmar set --drive /media/user/CAM --model Q5 --stamp no
  zentrik-vesmar set --drive E: --drive F: --model MD80 --lead 30 --eject
)";

void say(const CommandLineWorld& world, const std::string& line) { world.out(line + "\n"); }

void complain(const CommandLineWorld& world, const std::string& text)
{
    world.err(std::string(kCommandName) + ": " + escapedForLine(text) + "\n");
}

int usageFailure(const CommandLineWorld& world, const std::string& reason)
{
    complain(world, reason);
    world.err("Try '" + std::string(kCommandName) + " --help'.\n");
    return kExitUsage;
}

// The profiles as the window has them, read without writing: a missing file gives the
// defaults, a damaged one is validated, an unreadable one gives the defaults with a warning.
ProfileTable loadProfiles(const CommandLineWorld& world)
{
    ProfileTable table = DefaultProfiles();
    if (world.settingsPath.empty())
        return table;
    const SettingsStatus status = SettingsFile(world.settingsPath).readWithoutWriting(table);
    if (!status.ok()) {
        complain(world,
            "warning: cannot read " + world.settingsPath + " (" + status.error.message +
                "); the default settings are used");
        table = DefaultProfiles();
    }
    return table;
}

TimeFileFormats loadFormats(const CommandLineWorld& world)
{
    std::vector<OwnFormat> own;
    if (!world.ownFormatsPath.empty())
        own = loadOwnFormats(world.ownFormatsPath).formats;
    return {loadProfiles(world), std::move(own)};
}

// The drives as the window lists them: the probe's removable roots in its order, hard disks last.
std::vector<DriveEntry> removableDrives(DriveProbe& probe)
{
    std::vector<DriveEntry> drives;
    for (const std::string& root : GetDrivesOfType(probe, DriveType::Removable)) {
        DriveEntry entry{root, {}, {}, 0, probe.isHardDisk(root), {}};
        VolumeInformation volume;
        if (GetVolumeInfo(probe, root, volume)) {
            entry.label = std::move(volume.label);
            entry.identity = volume.identity;
            entry.fileSystemId = std::move(volume.fileSystemId);
        }
        drives.push_back(std::move(entry));
    }
    return drives;
}

int runList(const CommandLineWorld& world)
{
    for (const DriveEntry& drive : removableDrives(world.probe))
        say(world, escapedForLine(drive.rootPath) + "\t" + escapedForLine(drive.label));
    return kExitSuccess;
}

int runModels(const CommandLineWorld& world)
{
    const TimeFileFormats formats = loadFormats(world);
    const LocalDateTime now = world.localTimeOf(world.now());
    for (std::size_t format = 0; format < formats.size(); ++format) {
        const ComposedTimeFile file = formats.compose(format, now, true);
        say(world,
            escapedForLine(formats.name(format)) + "\t" + escapedForLine(storedTextAsUtf8(file.fileName)) + "\t" +
                escapedForLine(file.shownText));
    }
    return kExitSuccess;
}

// Each card set is remembered as the window remembers it, so the window can later tell its
// owner whether the camera took the time. A failure to remember costs no card its set.
class CardMemory final {
public:
    explicit CardMemory(const CommandLineWorld& world) : world_(world), setAt_(world.now())
    {
        if (!world_.recordsPath.empty())
            records_ = loadSetCardRecords(world_.recordsPath, setAt_);
    }

    void remember(const DriveEntry& drive, const ComposedTimeFile& file, std::string_view model, bool stamp)
    {
        if (world_.recordsPath.empty())
            return;
        const std::string identity = cardIdentity(drive.fileSystemId, drive.label, volumeTotalBytes(drive.rootPath));
        if (identity.empty())
            return;
        const std::string fileName = storedTextAsUtf8(file.fileName);
        SetCardRecord record{identity, fileName, file.bytes, setAt_, scanCard(drive.rootPath, fileName),
            std::string(model), stamp ? 0 : 1};
        changed_ = records_.remember(std::move(record), setAt_) || changed_;
    }

    void save() const
    {
        if (!changed_)
            return;
        if (const SystemError error = saveSetCardRecords(world_.recordsPath, records_, setAt_); error.failed())
            complain(world_, "warning: the cards set are not remembered (" + error.message + ")");
    }

private:
    const CommandLineWorld& world_;
    std::int64_t setAt_;
    SetCardRecords records_;
    bool changed_ = false;
};

// A card written, and how it was named.
struct WrittenCard {
    std::string given;
    const DriveEntry* drive = nullptr;
};

// The moment, the stamp and the format of one set, for every drive of it.
class SetRun final {
public:
    SetRun(const SetRequest& request, const CommandLineWorld& world, const TimeFileFormats& formats, std::size_t format)
        : request_(request), world_(world), formats_(formats), format_(format), memory_(world)
    {
        if (request.leadSeconds)
            lead_ = *request.leadSeconds;
        else if (!world.optionsPath.empty())
            lead_ = loadProgramOptions(world.optionsPath).leadSeconds;
    }

    // Writes each drive named once, says what became of it, remembers the cards; the status.
    int writeAll()
    {
        int status = kExitSuccess;
        std::vector<std::string> handled; // a drive named twice is set once
        for (const std::string& given : request_.drives) {
            const auto drive = std::find_if(
                drives_.begin(), drives_.end(), [&given](const DriveEntry& d) { return namesRoot(given, d.rootPath); });
            if (drive == drives_.end()) {
                // Only a drive the list shows is written: a folder on the computer's own disk never is.
                complain(world_, given + ": " + ioErrorText(kIoInvalidFilename));
                status = kExitFailure;
            } else if (std::find(handled.begin(), handled.end(), drive->rootPath) == handled.end()) {
                handled.push_back(drive->rootPath);
                if (!write(given, *drive))
                    status = kExitFailure;
            }
        }
        memory_.save();
        return status;
    }

    // Takes each card written out of the system; the status.
    [[nodiscard]] int ejectWritten() const
    {
        int status = kExitSuccess;
        for (const WrittenCard& card : written_) {
            const EjectReport report = world_.eject(card.drive->rootPath);
            if (!report.ejected) {
                complain(world_, card.given + ": " + (report.reason.empty() ? "cannot eject" : report.reason));
                status = kExitFailure;
            }
        }
        return status;
    }

private:
    bool write(const std::string& given, const DriveEntry& drive)
    {
        // "Now" is taken for each card as it is written, as a press of the window's button would.
        const LocalDateTime moment =
            request_.at ? *request_.at : momentAfterLead(world_.now(), lead_, world_.localTimeOf);
        const bool stamp = request_.stamp.value_or(true);
        const ComposedTimeFile file = formats_.compose(format_, moment, stamp);
        const TimeFileResult result = file.writeTo(drive.rootPath, world_.probe);
        if (!result.success) {
            complain(world_, given + ": " + result.text);
            return false;
        }
        say(world_,
            escapedForLine(drive.rootPath + storedTextAsUtf8(file.fileName)) + " " + escapedForLine(file.shownText));
        memory_.remember(drive, file, formats_.name(format_), stamp);
        written_.push_back({given, &drive});
        return true;
    }

    const SetRequest& request_;
    const CommandLineWorld& world_;
    const TimeFileFormats& formats_;
    std::size_t format_;
    int lead_ = 0;
    std::vector<DriveEntry> drives_ = removableDrives(world_.probe);
    CardMemory memory_;
    std::vector<WrittenCard> written_;
};

int runSet(const SetRequest& request, const CommandLineWorld& world)
{
    const TimeFileFormats formats = loadFormats(world);
    const std::optional<std::size_t> format = formats.find(request.model);
    if (!format)
        return usageFailure(
            world, "unknown model '" + request.model + "' ('" + std::string(kCommandName) + " models' lists them)");
    if (request.stamp && !formats.hasStamp(*format))
        return usageFailure(
            world, std::string(formats.name(*format)) + " has no time stamp to choose: leave out --stamp");
    SetRun run(request, world, formats, *format);
    const int written = run.writeAll();
    const int ejected = request.eject ? run.ejectWritten() : kExitSuccess;
    return std::max(written, ejected);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool isDriveLetterRoot(std::string_view root) { return root.size() == 3 && root[1] == ':' && root[2] == '\\'; }

} // namespace

std::string escapedForLine(std::string_view text)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            line += c;
        } else if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if (c == '\t') {
            line += "\\t";
        } else {
            line += "\\x";
            line += kHex[byte >> 4];
            line += kHex[byte & 0xF];
        }
    }
    return line;
}

bool namesRoot(std::string_view given, std::string_view root)
{
    if (given.empty() || root.empty())
        return false;
    const std::string_view bare = root.substr(0, root.size() - 1);
    if (isDriveLetterRoot(root))
        return equalsIgnoringAsciiCase(given, root) || equalsIgnoringAsciiCase(given, bare);
    return given == root || given == bare;
}

int runCommandLine(std::span<const std::string> arguments, const CommandLineWorld& world)
{
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.ok())
        return usageFailure(world, parsed.usageError);
    switch (parsed.command) {
    case Command::Help:
        world.out(kHelp);
        return kExitSuccess;
    case Command::Version:
        say(world, std::string(kCommandName) + " " + ZV_VERSION);
        return kExitSuccess;
    case Command::List:
        return runList(world);
    case Command::Models:
        return runModels(world);
    case Command::Set:
        return runSet(parsed.set, world);
    }
    return kExitUsage;
}

} // namespace zv
