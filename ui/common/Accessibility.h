#pragma once

class QWidget;

namespace zv {

// How the windows present themselves to assistive technology (a screen reader, over AT-SPI or
// UI Automation), installed once before the first window:
// * a window of ours is a frame (a dialog stays a dialog), and a control the form marks
//   `accessibleHidden` (the black copy under each coloured caption and clock value, the focus
//   ring) is left out of it, so each text is read once;
// * a control the form gives an `accessibleRole` is presented so: "radio" for the two moment
//   options, which act as one choice; "link" for a picture or address line that opens a page;
// * a window that is not shown, and a hidden control, tell no changes.
void installAccessibility();

// The picture or address line `widget` opens a page when activated: it takes the keyboard's
// focus by the tab key, and Return or Space there does what a click does.
void makeKeyboardActivated(QWidget* widget);

} // namespace zv
