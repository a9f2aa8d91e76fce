#pragma once

#include <QPointer>
#include <QWidget>

namespace zv {

// A clear frame around the control that has the keyboard, drawn over the window: the style's
// own focus marks are faint on the windows' khaki background. It follows the focus, lets every
// click through, and costs nothing while the focus stays where it is.
class FocusRing final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FocusRing)

public:
    // Draws the ring in `window`, which owns it.
    explicit FocusRing(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Puts the ring round `focused`, or hides it where `quiet`.
    void follow(QWidget* focused, bool quiet);

    QPointer<QWidget> target_;
    bool quiet_ = false;
};

} // namespace zv
