#include "app/DesktopSession.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zv {

namespace {

std::string_view environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

// Whether a server takes a connection at the local socket `path`; in the abstract namespace
// when asked (where an X server listens too, out of reach of a cleaned /tmp). A socket that
// cannot even be made is no proof of anything: then Qt is left to try.
bool socketAnswers(std::string_view path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;
    if (path.empty() || offset + path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return true;
    const bool answers = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(socket);
    return answers;
}

// DISPLAY as ":N", ":N.S" or "unix:N": the X server's socket of display N. Any other form
// (another host, a launcher's path) is not judged here.
bool xDisplayAnswers(std::string_view display)
{
    if (display.empty())
        return false;
    if (display.starts_with("unix:"))
        display.remove_prefix(4);
    if (!display.starts_with(':'))
        return true;
    display.remove_prefix(1);
    const std::string_view number = display.substr(0, display.find('.'));
    if (number.empty() || !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return true;
    const std::string path = "/tmp/.X11-unix/X" + std::string(number);
    return socketAnswers(path, true) || socketAnswers(path, false);
}

// WAYLAND_DISPLAY as libwayland finds it: a path, or a name in XDG_RUNTIME_DIR ("wayland-0"
// when unset).
bool waylandDisplayAnswers(std::string_view display)
{
    if (display.empty())
        display = "wayland-0";
    if (display.starts_with('/'))
        return socketAnswers(display, false);
    const std::string_view runtime = environment("XDG_RUNTIME_DIR");
    return !runtime.empty() && socketAnswers(std::string(runtime) + "/" + std::string(display), false);
}

// Qt's platform, by QT_QPA_PLATFORM: a list of names tried in turn. Offscreen, minimal, vnc,
// eglfs and the like show without a display server.
bool platformNeedsDisplay()
{
    std::string_view platforms = environment("QT_QPA_PLATFORM");
    if (platforms.empty())
        return true;
    while (!platforms.empty()) {
        const std::size_t end = std::min(platforms.find(';'), platforms.size());
        const std::string_view name = platforms.substr(0, end);
        if (!name.starts_with("xcb") && !name.starts_with("wayland"))
            return false;
        platforms.remove_prefix(std::min(end + 1, platforms.size()));
    }
    return true;
}

} // namespace

bool desktopSessionAnswers()
{
    return !platformNeedsDisplay() || xDisplayAnswers(environment("DISPLAY")) ||
        waylandDisplayAnswers(environment("WAYLAND_DISPLAY"));
}

} // namespace zv
