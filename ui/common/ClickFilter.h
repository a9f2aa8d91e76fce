#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace zv {

// Turns a left click on a plain widget (a picture, an address line) into a call, and Return or
// Space on it when the tab key has brought the focus there; a screen reader presents it as a
// link. The filter belongs to the widget and goes with it.
void onClick(QWidget* widget, std::function<void()> action);

} // namespace zv
