#include "ui/common/DropDownList.h"

#include <QEvent>

namespace zv {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this](int row) { row_ = row; });
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
    while (count() > fixedRows)
        removeItem(count() - 1);
    addItems(extra);
}

void DropDownList::showPopup()
{
    popupBuilt_ = true;
    QComboBox::showPopup();
}

} // namespace zv
