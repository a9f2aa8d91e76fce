#pragma once

namespace zv {

// The windows need a desktop session to show in. Without one Qt ends the start in a core dump
// ("could not connect to display"); the program says instead, in one line, what is missing
// and that its command line needs none.

// False only when the windows could not show: Qt's platform is one that needs a display (the
// default, xcb or wayland), and neither DISPLAY nor WAYLAND_DISPLAY leads to a server that
// takes a connection. A display it cannot judge (on another host) counts as there: Qt tries it.
// Always true on Windows.
[[nodiscard]] bool desktopSessionAnswers();

// Says on standard error that there is no desktop session; gives the exit status to end with.
int reportNoDesktopSession();

// While it lives, Qt's fatal "no platform plugin" message, for a display the check above
// could not rule out, ends the program with reportNoDesktopSession() instead of a core dump.
// Held only while the application object is made; other messages are printed as Qt prints them.
class NoDisplayCatcher final {
public:
    NoDisplayCatcher();
    ~NoDisplayCatcher();
    NoDisplayCatcher(const NoDisplayCatcher&) = delete;
    NoDisplayCatcher& operator=(const NoDisplayCatcher&) = delete;
};

} // namespace zv
