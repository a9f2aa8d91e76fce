#include "ui/confirm/ConfirmationWindow.h"

#include "ui/common/AppContext.h"
#include "ui/common/WindowLook.h"
#include "ui_ConfirmationWindow.h"

namespace zv {

ConfirmationWindow::ConfirmationWindow(AppContext& context, const ConfirmationLook& look)
    : context_(context), ui_(std::make_unique<Ui::ConfirmationWindow>()), centring_(look.centring)
{
    ui_->setupUi(this);
    applyWindowLook(this, context.pictures, look.titleButtons);
    setModal(true);
    ui_->Image1->setPixmap(context.pictures.information());
    if (look.height == MessageHeight::TwoLines)
        ui_->Label1->setGeometry(ui_->Label1->property("twoLineGeometry").toRect());
    else if (look.height == MessageHeight::ThreeLines)
        ui_->Label1->setGeometry(ui_->Label1->property("threeLineGeometry").toRect());
    connect(ui_->ExitButton, &QPushButton::clicked, this, &QDialog::accept);
}

ConfirmationWindow::~ConfirmationWindow() = default;

void ConfirmationWindow::showModally()
{
    centreOnScreen(this, centring_);
    exec();
}

void ConfirmationWindow::setMessage(const QString& text) { ui_->Label1->setText(text); }

QPushButton* ConfirmationWindow::secondButton() const { return ui_->EjectButton; }

QPushButton* ConfirmationWindow::exitButton() const { return ui_->ExitButton; }

void ConfirmationWindow::translate(const QString& message)
{
    ui_->retranslateUi(this);
    setMessage(message);
}

} // namespace zv
