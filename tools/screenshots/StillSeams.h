#pragma once

#include "drives/DriveProbe.h"
#include "ui/common/Seams.h"

#include <string>
#include <utility>
#include <vector>

namespace zv::screenshots {

// A clock stopped at one moment, so every picture shows the same date and time.
class StillClock final : public Clock {
public:
    explicit StillClock(QDateTime moment) : moment_(std::move(moment)) { }

    qint64 currentSecsSinceEpoch() override { return moment_.toSecsSinceEpoch(); }
    QDateTime localTime(qint64 secsSinceEpoch) override { return QDateTime::fromSecsSinceEpoch(secsSinceEpoch); }

private:
    QDateTime moment_;
};

// Pictures open nothing.
class NoOpener final : public AddressOpener {
public:
    void open(const QUrl&) override { }
};

// One camera plugged in, whatever the machine really has.
class OneCameraDrive final : public DriveProbe {
public:
    OneCameraDrive(std::string root, std::string label) : roots_{std::move(root)}, label_(std::move(label)) { }

    const std::vector<std::string>& candidateRoots() override { return roots_; }
    DriveType driveType(const std::string& root) override
    {
        return root == roots_.front() ? DriveType::Removable : DriveType::NoRootDirectory;
    }
    bool volumeInformation(const std::string& root, VolumeInformation& out) override
    {
        if (root != roots_.front())
            return false;
        out.label = label_;
        out.fileSystemName = "FAT32";
        return true;
    }
    bool isRemovableRootNow(const std::string& root, std::uint64_t) override { return root == roots_.front(); }

private:
    std::vector<std::string> roots_;
    std::string label_;
};

} // namespace zv::screenshots
