#include "ui/common/DropDownList.h"

#include "ui/common/AssistiveText.h"

#include <QAbstractItemModel>
#include <QEvent>

namespace zv {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) {
        row_ = row;
        tellRow();
    });
    // A form names its rows after adding them, and the drive list renames a row in place.
    connect(model(), &QAbstractItemModel::dataChanged, this, &DropDownList::tellRow);
}

void DropDownList::tellRow()
{
    if (listsTellTheirRowAsDescription() && accessibleDescription() != currentText())
        setAccessibleDescription(currentText());
}

void DropDownList::select(int row)
{
    if (row != row_)
        setCurrentIndex(row);
}

void DropDownList::changeEvent(QEvent* event)
{
    // QComboBox answers a font change by building its popup to hand it the font, but a popup
    // built later takes the list's font by itself. An editable list also places its edit field
    // then, so it keeps QComboBox's way.
    if (event->type() == QEvent::FontChange && !popupBuilt_ && !isEditable()) {
        QWidget::changeEvent(event);
        updateGeometry();
        return;
    }
    QComboBox::changeEvent(event);
}

void DropDownList::setRowsAfter(int fixedRows, const QStringList& extra)
{
    QStringList now;
    for (int row = fixedRows; row < count(); ++row)
        now << itemText(row);
    if (now == extra)
        return;
    // The chosen extra row by its name: one above it may be gone. Renamed in place, it keeps its row.
    const int chosen = currentIndex() - fixedRows;
    int kept = chosen < 0 ? chosen : static_cast<int>(extra.indexOf(now.value(chosen)));
    if (kept < 0 && chosen >= 0 && extra.size() == now.size())
        kept = chosen;
    while (count() > fixedRows)
        removeItem(count() - 1);
    addItems(extra);
    if (chosen >= 0)
        setCurrentIndex(kept < 0 ? -1 : fixedRows + kept);
}

void DropDownList::showPopup()
{
    popupBuilt_ = true;
    QComboBox::showPopup();
}

} // namespace zv
