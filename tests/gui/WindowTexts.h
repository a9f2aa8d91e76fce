#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace zv::test {

// Calls visit(place, text) for every text a user can read in a window: its title at "/title",
// and per control "Label23/caption", "AboutButton/hint", "TagList/item1". Qt's own inner widgets
// ("qt_…") carry no text of ours.
template <typename Visit> void forEachText(const QWidget* window, Visit visit)
{
    visit(QStringLiteral("/title"), window->windowTitle());
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        visit(name + QStringLiteral("/hint"), widget->toolTip());
        const QString caption = name + QStringLiteral("/caption");
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            visit(caption, label->text());
        else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            visit(caption, button->text());
        else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
            visit(caption, edit->text());
        else if (const auto* list = qobject_cast<const QComboBox*>(widget))
            for (int row = 0; row < list->count(); ++row)
                visit(name + QStringLiteral("/item") + QString::number(row), list->itemText(row));
    }
}

} // namespace zv::test
