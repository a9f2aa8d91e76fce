#include "ui/common/ClickFilter.h"

#include "ui/common/Accessibility.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zv {

namespace {

class ClickFilter final : public QObject {
public:
    ClickFilter(QWidget* widget, std::function<void()> action) : QObject(widget), action_(std::move(action)) { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const auto* widget = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void onClick(QWidget* widget, std::function<void()> action)
{
    widget->installEventFilter(new ClickFilter(widget, std::move(action)));
    // What opens on a click opens from the keyboard too, and reads as the link it is.
    widget->setProperty("accessibleRole", QStringLiteral("link"));
    makeKeyboardActivated(widget);
}

} // namespace zv
