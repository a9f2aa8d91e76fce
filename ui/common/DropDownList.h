#pragma once

#include <QComboBox>

namespace zv {

// A drop-down list that keeps its current row at hand and builds its popup list when it first
// opens.
// * The ticks ask the lists for their rows a thousand times a second, and QComboBox answers
//   through a persistent model index; the row is kept here as the list reports each change.
// * QComboBox builds the popup (a window with a list view, its scroll bars and a layout of every
//   item) as soon as its font is set, and the forms set a font on every list: eight popups no
//   one had opened, a third of a megabyte and part of every start. Built when opened, the popup
//   shows in the list's font all the same.
class DropDownList final : public QComboBox {
public:
    explicit DropDownList(QWidget* parent = nullptr);

    [[nodiscard]] int row() const { return row_; }
    // Selects `row` unless it is the current one. Selecting from code runs no change handler:
    // the handlers listen to `activated`, which only the user's choice sends.
    void select(int row);

    void showPopup() override;

    // Keeps the first `fixedRows` items and puts `extra` after them, as they are. A chosen extra
    // row stays chosen where it now stands (renamed, where it stood); one that is gone leaves no
    // row chosen. Touches nothing when the items are already these.
    void setRowsAfter(int fixedRows, const QStringList& extra);

protected:
    void changeEvent(QEvent* event) override;

private:
    void tellRow();
    int row_ = -1;
    bool popupBuilt_ = false;
};

} // namespace zv
