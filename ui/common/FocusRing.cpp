#include "ui/common/FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace zv {

namespace {

constexpr int kWidth = 2; // pixels around the control

bool isLink(const QWidget* widget) { return widget->property("accessibleRole").toString() == QLatin1String("link"); }
const QColor kColour(0, 0, 128); // navy: plain against the khaki and the white of the lists

} // namespace

FocusRing::FocusRing(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("FocusRing"));
    setProperty("accessibleHidden", true); // drawn for the eye; the focus itself is told by the system
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* before, QWidget* now) {
        // A link that the window hands the keyboard as it comes up is no place the user went:
        // its ring shows once the keyboard moves within the window.
        const bool movedHere = before != nullptr && before->window() == parentWidget();
        follow(now, now != nullptr && isLink(now) && !movedHere);
    });
}

void FocusRing::follow(QWidget* focused, bool quiet)
{
    quiet_ = quiet;
    if (target_ != nullptr)
        target_->removeEventFilter(this);
    const bool ours = focused != nullptr && focused != parentWidget() && focused->window() == parentWidget();
    target_ = ours ? focused : nullptr;
    if (target_ == nullptr) {
        hide();
        return;
    }
    target_->installEventFilter(this); // a control that moves, hides or is disabled takes the ring along
    const QRect area(target_->mapTo(parentWidget(), QPoint(0, 0)), target_->size());
    setGeometry(area.adjusted(-kWidth - 1, -kWidth - 1, kWidth + 1, kWidth + 1));
    setVisible(target_->isVisible() && !quiet_);
    raise();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        if (watched == target_)
            follow(target_, quiet_);
        break;
    default:
        break;
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(kColour, kWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
}

} // namespace zv
