#include "app/CardEjector.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QUuid>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

// UDisks2 is what file managers eject with: it unmounts for the user without root, as the
// desktop's rules allow, and knows which drive holds the file system and whether it can be
// powered off.
namespace zv {

namespace {

using Outcome = CardEjector::Outcome;
using Result = CardEjector::Result;

constexpr QLatin1String kService("org.freedesktop.UDisks2");
constexpr QLatin1String kManagerPath("/org/freedesktop/UDisks2/Manager");
constexpr QLatin1String kManager("org.freedesktop.UDisks2.Manager");
constexpr QLatin1String kBlock("org.freedesktop.UDisks2.Block");
constexpr QLatin1String kFilesystem("org.freedesktop.UDisks2.Filesystem");
constexpr QLatin1String kDrive("org.freedesktop.UDisks2.Drive");
constexpr QLatin1String kProperties("org.freedesktop.DBus.Properties");

// Lookups answer at once from UDisks2's memory. An unmount first writes the card's buffers
// out, which on a slow card takes a while; powering off waits for the drive's answer.
constexpr int kLookupMs = 5000;
constexpr int kUnmountMs = 25000;
constexpr int kPowerOffMs = 25000;

[[nodiscard]] bool meansNoService(const QString& error)
{
    // Not installed, not running, gone in mid-call, or no answer in time.
    for (const char* name : {"org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.NameHasNoOwner",
             "org.freedesktop.DBus.Error.NoReply", "org.freedesktop.DBus.Error.Timeout",
             "org.freedesktop.DBus.Error.TimedOut", "org.freedesktop.DBus.Error.Disconnected",
             "org.freedesktop.DBus.Error.NoServer"}) {
        if (error == QLatin1String(name))
            return true;
    }
    return false;
}

[[nodiscard]] bool meansRefused(const QString& error)
{
    // NotAuthorized, NotAuthorizedCanObtain, NotAuthorizedDismissed: polkit's answers.
    return error.startsWith(QLatin1String("org.freedesktop.UDisks2.Error.NotAuthorized")) ||
        error == QLatin1String("org.freedesktop.DBus.Error.AccessDenied");
}

[[nodiscard]] Result resultOfError(const QDBusMessage& reply)
{
    const QString error = reply.errorName();
    std::string detail = (reply.errorMessage().isEmpty() ? error : reply.errorMessage()).toStdString();
    if (error == QLatin1String("org.freedesktop.UDisks2.Error.DeviceBusy"))
        return {Outcome::Busy, std::move(detail)};
    if (meansRefused(error))
        return {Outcome::Refused, std::move(detail)};
    if (meansNoService(error))
        return {Outcome::NoService, std::move(detail)};
    // Unmounted by someone else since the lookup: nothing of ours is at the root any more.
    if (error == QLatin1String("org.freedesktop.UDisks2.Error.NotMounted"))
        return {Outcome::NotFound, std::move(detail)};
    return {Outcome::Failed, std::move(detail)};
}

// A lookup's failure that ends the ejection; any other only means this object is not the card.
[[nodiscard]] bool endsTheSearch(const QDBusMessage& reply)
{
    return meansNoService(reply.errorName()) || meansRefused(reply.errorName());
}

// `value` when D-Bus gave it as a list of T with `signature`; a value of any other type is
// not trusted, whatever the service meant by it.
template <typename T> [[nodiscard]] std::optional<QList<T>> listOf(const QVariant& value, QLatin1String signature)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        if (argument.currentSignature() != signature)
            return std::nullopt;
        QList<T> list;
        argument >> list;
        return list;
    }
    if (value.metaType() == QMetaType::fromType<QList<T>>())
        return value.value<QList<T>>();
    return std::nullopt;
}

// A connection of its own for each ejection, closed after it: the shared system-bus
// connection, once made while the bus was down, would stay down for the program's life.
class SystemBus final {
public:
    SystemBus()
        : name_(QLatin1String("zentrik-eject-") + QUuid::createUuid().toString(QUuid::WithoutBraces)),
          bus_(QDBusConnection::connectToBus(QDBusConnection::SystemBus, name_))
    {
    }
    ~SystemBus() { QDBusConnection::disconnectFromBus(name_); }
    Q_DISABLE_COPY_MOVE(SystemBus)

    [[nodiscard]] bool connected() const { return bus_.isConnected(); }
    [[nodiscard]] QString failure() const { return bus_.lastError().message(); }

    // Blocks without running the event loop, so no click reaches a window meanwhile.
    [[nodiscard]] QDBusMessage call(const QString& path, QLatin1String interface, QLatin1String method,
        const QVariantList& arguments, int timeoutMs) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
        message.setArguments(arguments);
        return bus_.call(message, QDBus::Block, timeoutMs);
    }

    // The reply to Properties.Get; its value is valueOf(reply).
    [[nodiscard]] QDBusMessage property(const QString& path, QLatin1String interface, const char* name) const
    {
        return call(
            path, kProperties, QLatin1String("Get"), {QString(interface), QString::fromLatin1(name)}, kLookupMs);
    }

private:
    QString name_;
    QDBusConnection bus_;
};

[[nodiscard]] bool failed(const QDBusMessage& reply) { return reply.type() != QDBusMessage::ReplyMessage; }

[[nodiscard]] QVariant valueOf(const QDBusMessage& reply)
{
    const QList<QVariant> arguments = reply.arguments();
    if (arguments.size() != 1 || arguments.first().metaType() != QMetaType::fromType<QDBusVariant>())
        return {};
    return arguments.first().value<QDBusVariant>().variant();
}

[[nodiscard]] QVariantList noOptions() { return {QVariantMap()}; }

// The mount point as UDisks2 lists it: no trailing slash, except for "/" itself.
[[nodiscard]] QByteArray mountPointOf(const std::string& root)
{
    QByteArray folder = QByteArray::fromStdString(root);
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

// Where the block object for `device` is searched, or the Result that ends the ejection.
struct Search {
    QString blockPath;
    std::optional<Result> ended;
};

[[nodiscard]] Search findBlock(const SystemBus& bus, dev_t device)
{
    const QDBusMessage reply =
        bus.call(kManagerPath, kManager, QLatin1String("GetBlockDevices"), noOptions(), kLookupMs);
    if (failed(reply))
        return {{}, resultOfError(reply)};
    const auto paths = reply.arguments().size() == 1
        ? listOf<QDBusObjectPath>(reply.arguments().first(), QLatin1String("ao"))
        : std::nullopt;
    if (!paths)
        return {{}, Result{Outcome::Failed, "UDisks2 listed its block devices in an unknown form"}};
    for (const QDBusObjectPath& path : *paths) {
        const QDBusMessage number = bus.property(path.path(), kBlock, "DeviceNumber");
        if (failed(number) && endsTheSearch(number))
            return {{}, resultOfError(number)};
        const QVariant value = valueOf(number);
        if (value.metaType() == QMetaType::fromType<qulonglong>() && value.toULongLong() == device)
            return {path.path(), std::nullopt};
    }
    return {{}, Result{Outcome::NotFound, {}}};
}

// NotFound unless the block holds a file system mounted at `mountPoint`.
[[nodiscard]] std::optional<Result> checkMountedAt(
    const SystemBus& bus, const QString& blockPath, const QByteArray& mountPoint)
{
    const QDBusMessage reply = bus.property(blockPath, kFilesystem, "MountPoints");
    if (failed(reply)) // no file system on it, most likely: a whole disk or a partition table
        return endsTheSearch(reply) ? resultOfError(reply) : Result{Outcome::NotFound, {}};
    const auto mountPoints = listOf<QByteArray>(valueOf(reply), QLatin1String("aay"));
    if (mountPoints) {
        for (QByteArray listed : *mountPoints) {
            if (listed.endsWith('\0'))
                listed.chop(1);
            if (listed == mountPoint)
                return std::nullopt;
        }
    }
    return Result{Outcome::NotFound, {}};
}

// After the unmount the card is safe to pull whatever happens here, so every way this ends
// is Ejected; a drive that stayed powered says why in the detail.
[[nodiscard]] Result powerOffDriveOf(const SystemBus& bus, const QString& blockPath)
{
    const QVariant drive = valueOf(bus.property(blockPath, kBlock, "Drive"));
    if (drive.metaType() != QMetaType::fromType<QDBusObjectPath>() ||
        drive.value<QDBusObjectPath>().path() == QLatin1String("/"))
        return {Outcome::Ejected, {}};
    const QString drivePath = drive.value<QDBusObjectPath>().path();
    const QVariant canPowerOff = valueOf(bus.property(drivePath, kDrive, "CanPowerOff"));
    if (canPowerOff.metaType() != QMetaType::fromType<bool>() || !canPowerOff.toBool())
        return {Outcome::Ejected, {}};
    const QDBusMessage reply = bus.call(drivePath, kDrive, QLatin1String("PowerOff"), noOptions(), kPowerOffMs);
    if (failed(reply))
        return {Outcome::Ejected, resultOfError(reply).detail};
    return {Outcome::Ejected, {}};
}

class UDisksCardEjector final : public CardEjector {
public:
    Result eject(const std::string& root) override
    {
        // The block device is the one the file system at the root lives on, never one guessed
        // from a name: another card with the same label may be plugged in too.
        struct stat folder { };
        if (::stat(root.c_str(), &folder) != 0)
            return {Outcome::NotFound, std::strerror(errno)};
        if (!S_ISDIR(folder.st_mode))
            return {Outcome::NotFound, {}};

        const SystemBus bus;
        if (!bus.connected())
            return {Outcome::NoService, bus.failure().toStdString()};
        const Search search = findBlock(bus, folder.st_dev);
        if (search.ended)
            return *search.ended;
        if (const auto notThere = checkMountedAt(bus, search.blockPath, mountPointOf(root)))
            return *notThere;

        const QDBusMessage unmounted =
            bus.call(search.blockPath, kFilesystem, QLatin1String("Unmount"), noOptions(), kUnmountMs);
        if (failed(unmounted))
            return resultOfError(unmounted);
        return powerOffDriveOf(bus, search.blockPath);
    }
};

} // namespace

std::unique_ptr<CardEjector> makeSystemCardEjector() { return std::make_unique<UDisksCardEjector>(); }

} // namespace zv
