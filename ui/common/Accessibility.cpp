#include "ui/common/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariant>

namespace zv {

namespace {

bool isHidden(const QWidget* widget) { return widget->property("accessibleHidden").toBool(); }

// A window of ours, its hidden controls left out. Qt's own exclusions are kept: other windows,
// focus frames, menus and its inner widgets.
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window)
        : QAccessibleWidget(window, qobject_cast<QDialog*>(window) ? QAccessible::Dialog : QAccessible::Window)
    {
    }

    int childCount() const override { return static_cast<int>(children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> shown = children();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child == nullptr ? -1 : static_cast<int>(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !isHidden(child) && !qobject_cast<QFocusFrame*>(child) &&
                !child->objectName().startsWith(QLatin1String("qt_")))
                shown << child;
        }
        return shown;
    }
};

// A control presented with another role than its class has: the moment options as radio
// buttons, a clickable picture or address line as a link. Pressing it is what a click does.
class RoleAccessible final : public QAccessibleWidget {
public:
    RoleAccessible(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) { }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget())) {
            state.checkable = true;
            state.checked = button->isChecked();
        }
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty()) // a picture: what it opens
            text = widget()->toolTip();
        if (kind == QAccessible::Description && text == this->text(QAccessible::Name))
            return {}; // the hint that names a picture is not read again
        return text;
    }

    // A moment option's caption is its name. Told as a label too, screen readers read it first
    // as the name of a group the option belongs to, and so say it twice.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto all = QAccessibleWidget::relations(match);
        if (role() == QAccessible::RadioButton)
            all.removeIf([](const auto& relation) { return relation.second & QAccessible::Label; });
        return all;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& name) override
    {
        if (name != pressAction() || !widget()->isEnabled())
            return;
        if (auto* button = qobject_cast<QAbstractButton*>(widget()))
            button->click();
        else
            activate(widget());
    }

    static void activate(QWidget* widget)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }
};

QAccessibleInterface* accessibleOf(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class from the object's own up: answer for its own class only, so Qt's
    // interface serves every control we leave alone.
    if (widget == nullptr || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (widget->isWindow() && className.startsWith(QLatin1String("zv::")))
        return new WindowAccessible(widget);
    const QString role = widget->property("accessibleRole").toString();
    if (role == QLatin1String("radio"))
        return new RoleAccessible(widget, QAccessible::RadioButton);
    if (role == QLatin1String("link"))
        return new RoleAccessible(widget, QAccessible::Link);
    return nullptr;
}

// Return or Space on a focused link clicks it.
class KeyActivation final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                RoleAccessible::activate(static_cast<QWidget*>(watched));
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// What a screen reader would hear of changes it cannot see: a window not shown follows the main
// window's choices and its sample follows the clock, and a shadow copy follows its caption.
bool isUnseenChange(const QAccessibleEvent* event)
{
    switch (event->type()) {
    case QAccessible::NameChanged:
    case QAccessible::DescriptionChanged:
    case QAccessible::ValueChanged:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::Selection:
    case QAccessible::SelectionAdd:
    case QAccessible::SelectionRemove:
    case QAccessible::SelectionWithin:
        break;
    default:
        return false;
    }
    const auto* widget = qobject_cast<const QWidget*>(event->object());
    if (widget == nullptr || widget->isWindow())
        return false;
    if (!widget->window()->isVisible())
        return true;
    for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget())
        if (isHidden(widget))
            return true;
    return false;
}

// Qt hands every change to this handler while one is installed, and to the system otherwise.
void passOnSeenChanges(QAccessibleEvent* event)
{
    if (isUnseenChange(event))
        return;
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOnSeenChanges);
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleOf);
    QAccessible::installUpdateHandler(passOnSeenChanges);
}

void makeKeyboardActivated(QWidget* widget)
{
    widget->setFocusPolicy(Qt::TabFocus);
    widget->installEventFilter(new KeyActivation(widget));
}

} // namespace zv
