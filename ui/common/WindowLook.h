#pragma once

class QWidget;

namespace zv {

class Pictures;

enum class TitleButtons {
    CloseOnly, // the close box and the window menu
    None, // no button and no window menu: the window's own exit button closes it
};

// The look every window shares: the caption, the program's icon, the buttons' glyphs, the plain
// warm-grey background and a fixed size taken from the form.
void applyWindowLook(QWidget* window, const Pictures& pictures, TitleButtons buttons = TitleButtons::CloseOnly);

enum class Centring {
    OnScreen, // the screen the window shows on
    OnWholeDesktop, // all screens together
};

// Centres a window as `centring` says.
void centreOnScreen(QWidget* window, Centring centring = Centring::OnScreen);

// The windows are drawn for a small sans-serif face: the first of the classic ones the system has.
void applyWindowFont();

} // namespace zv
