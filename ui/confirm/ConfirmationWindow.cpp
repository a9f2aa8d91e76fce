#include "ui/confirm/ConfirmationWindow.h"

#include "ui/common/AppContext.h"
#include "ui/common/WindowLook.h"
#include "ui_ConfirmationWindow.h"

namespace zv {

ConfirmationWindow::ConfirmationWindow(
    AppContext& context, MessageHeight height, bool centreOnWholeDesktop, bool closeBox)
    : context_(context), ui_(std::make_unique<Ui::ConfirmationWindow>()), centreOnWholeDesktop_(centreOnWholeDesktop)
{
    ui_->setupUi(this);
    applyWindowLook(this, context.pictures, closeBox ? TitleButtons::CloseOnly : TitleButtons::None);
    setModal(true);
    ui_->Image1->setPixmap(context.pictures.information());
    if (height == MessageHeight::TwoLines)
        ui_->Label1->setGeometry(0, 16, 322, 41);
    connect(ui_->ExitButton, &QPushButton::clicked, this, &QDialog::accept);
}

ConfirmationWindow::~ConfirmationWindow() = default;

void ConfirmationWindow::showModally()
{
    centreOnScreen(this, centreOnWholeDesktop_);
    exec();
}

void ConfirmationWindow::setMessage(const QString& text) { ui_->Label1->setText(text); }

void ConfirmationWindow::translate(const QString& message)
{
    ui_->retranslateUi(this);
    setMessage(message);
}

} // namespace zv
