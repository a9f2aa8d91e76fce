#pragma once

#include <QComboBox>

namespace zv {

// A drop-down list that builds its popup list when it first opens. QComboBox builds the popup
// (a window with a list view, its scroll bars and a layout of every item) as soon as its font
// is set, and the forms set a font on every list: eight popups no one had opened, a third of a
// megabyte and part of every start. Built when opened, the popup shows in the list's font all
// the same.
class DropDownList final : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    bool popupBuilt_ = false;
};

} // namespace zv
