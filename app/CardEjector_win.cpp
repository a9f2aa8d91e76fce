#include "app/CardEjector.h"

#include "common/SystemError.h"
#include "common/WideText_win.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>
#include <winioctl.h>

#include <cctype>
#include <optional>
#include <vector>

// What Explorer's "Eject" does: find the disk the volume lies on and ask the configuration
// manager to take out the device that can be removed. Every program is asked first; one that
// holds a file open vetoes, and the answer names it.
namespace zv {

namespace {

using Outcome = CardEjector::Outcome;
using Result = CardEjector::Result;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct DeviceListCloser {
    void operator()(HDEVINFO list) const { ::SetupDiDestroyDeviceInfoList(list); }
};
using DeviceList = std::unique_ptr<void, DeviceListCloser>;

// No "insert a disk" box for an empty card reader while the volume is asked about.
class QuietCriticalErrors final {
public:
    QuietCriticalErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous_); }
    ~QuietCriticalErrors() { ::SetThreadErrorMode(previous_, nullptr); }
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

private:
    DWORD previous_ = 0;
};

// "E:\" (or "E:") as the volume's device path "\\.\E:"; empty for anything else.
[[nodiscard]] std::wstring volumePathOf(const std::string& root)
{
    const bool letterRoot = (root.size() == 2 || (root.size() == 3 && (root[2] == '\\' || root[2] == '/'))) &&
        root[1] == ':' && std::isalpha(static_cast<unsigned char>(root[0])) != 0;
    if (!letterRoot)
        return {};
    return std::wstring(LR"(\\.\)") + static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(root[0]))) + L':';
}

// Opened to be asked questions only: no access right, so no medium is read and no one is kept
// out. Closed before the eject request, which it would veto itself.
[[nodiscard]] Handle openForQueries(const wchar_t* path)
{
    const HANDLE handle =
        ::CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

[[nodiscard]] std::optional<STORAGE_DEVICE_NUMBER> deviceNumberOf(HANDLE device)
{
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!::DeviceIoControl(
            device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number, &returned, nullptr) ||
        returned < sizeof number)
        return std::nullopt;
    return number;
}

// The device instance of the present disk with the volume's device number; 0 when none has it.
[[nodiscard]] DEVINST diskWithNumber(const STORAGE_DEVICE_NUMBER& volume)
{
    const HDEVINFO list =
        ::SetupDiGetClassDevsW(&GUID_DEVINTERFACE_DISK, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE)
        return 0;
    const DeviceList owner(list);
    SP_DEVICE_INTERFACE_DATA entry{};
    entry.cbSize = sizeof entry;
    for (DWORD index = 0; ::SetupDiEnumDeviceInterfaces(list, nullptr, &GUID_DEVINTERFACE_DISK, index, &entry);
         ++index) {
        DWORD size = 0;
        (void)::SetupDiGetDeviceInterfaceDetailW(list, &entry, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        std::vector<DWORD> buffer((size + sizeof(DWORD) - 1) / sizeof(DWORD)); // aligned as the struct needs
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!::SetupDiGetDeviceInterfaceDetailW(list, &entry, detail, size, nullptr, &device))
            continue;
        const Handle disk = openForQueries(detail->DevicePath);
        const auto number = disk ? deviceNumberOf(disk.get()) : std::nullopt;
        if (number && number->DeviceType == volume.DeviceType && number->DeviceNumber == volume.DeviceNumber)
            return device.DevInst;
    }
    return 0;
}

// A card reader's disk cannot be removed by itself: the USB device it hangs on can, and that
// is what Windows takes out.
[[nodiscard]] DEVINST removableDeviceOf(DEVINST disk)
{
    ULONG status = 0;
    ULONG problem = 0;
    if (::CM_Get_DevNode_Status(&status, &problem, disk, 0) == CR_SUCCESS && (status & DN_REMOVABLE) != 0)
        return disk;
    DEVINST parent = 0;
    return ::CM_Get_Parent(&parent, disk, 0) == CR_SUCCESS ? parent : disk;
}

[[nodiscard]] Outcome outcomeOfVeto(PNP_VETO_TYPE veto)
{
    switch (veto) {
    case PNP_VetoOutstandingOpen: // a file or the volume is open
    case PNP_VetoWindowsApp: // a program said no
    case PNP_VetoWindowsService:
    case PNP_VetoPendingClose:
        return Outcome::Busy;
    case PNP_VetoAlreadyRemoved:
        return Outcome::NotFound;
    default: // a driver, the rights, a device that is not to be removed
        return Outcome::Refused;
    }
}

[[nodiscard]] Result requestEject(DEVINST device)
{
    PNP_VETO_TYPE veto = PNP_VetoTypeUnknown;
    wchar_t vetoName[MAX_PATH] = {};
    // Given a place for the veto, Windows shows no box of its own: the window says what happened.
    const CONFIGRET answer = ::CM_Request_Device_EjectW(device, &veto, vetoName, MAX_PATH, 0);
    if (answer == CR_SUCCESS && veto == PNP_VetoTypeUnknown)
        return {Outcome::Ejected, {}};
    vetoName[MAX_PATH - 1] = L'\0';
    const std::string vetoedBy = narrowToUtf8(vetoName);
    if (answer == CR_REMOVE_VETOED || veto != PNP_VetoTypeUnknown)
        return {outcomeOfVeto(veto), vetoedBy};
    switch (answer) {
    case CR_ACCESS_DENIED:
        return {Outcome::Refused, {}};
    case CR_NO_SUCH_DEVNODE:
        return {Outcome::NotFound, {}};
    case CR_CALL_NOT_IMPLEMENTED:
        return {Outcome::NoService, {}};
    default:
        return {Outcome::Failed, "The configuration manager answered " + std::to_string(answer)};
    }
}

class ConfigurationManagerCardEjector final : public CardEjector {
public:
    Result eject(const std::string& root) override
    {
        const std::wstring volumePath = volumePathOf(root);
        if (volumePath.empty())
            return {Outcome::NotFound, {}};
        const QuietCriticalErrors quiet;
        std::optional<STORAGE_DEVICE_NUMBER> volume;
        {
            const Handle volumeHandle = openForQueries(volumePath.c_str());
            if (!volumeHandle)
                return {Outcome::NotFound, lastSystemError().message};
            volume = deviceNumberOf(volumeHandle.get());
            if (!volume) // a network, substituted or emulated drive: no disk of the system's
                return {Outcome::NotFound, lastSystemError().message};
        }
        const DEVINST disk = diskWithNumber(*volume);
        if (disk == 0)
            return {Outcome::NotFound, {}};
        return requestEject(removableDeviceOf(disk));
    }
};

} // namespace

std::unique_ptr<CardEjector> makeSystemCardEjector() { return std::make_unique<ConfigurationManagerCardEjector>(); }

} // namespace zv
