#include "ui/about/Unit3.h"

#include "ui/about/MakerDetails.h"
#include "ui/common/AppContext.h"
#include "ui/common/ClickFilter.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/WindowLook.h"
#include "ui_Unit3.h"

namespace zv {

namespace {

QString mailTo(const char* address) { return QStringLiteral("mailto:") + QString::fromLatin1(address); }

} // namespace

TForm3::TForm3(AppContext& context) : context_(context), ui_(std::make_unique<Ui::TForm3>())
{
    ui_->setupUi(this);
    applyWindowLook(this, context_.pictures);
    setModal(true);
    ui_->Image12->setPixmap(context_.pictures.banner());
    const QString web = QString::fromLatin1(maker::kWebAddress);
    makeOpener(ui_->Image12, web);
    makeOpener(ui_->Label1, web);
    makeOpener(ui_->Label3, mailTo(maker::kInfoMail));
    makeOpener(ui_->Label15, mailTo(maker::kComplaintsMail));
    makeOpener(ui_->Label2, mailTo(maker::kAuthorMail));
    fillMakerDetails();
    if (context_.isEnglish())
        English_LANG_Form3();
}

TForm3::~TForm3() = default;

// The hint shows the bare address; the click hands the system its full target.
void TForm3::makeOpener(QWidget* widget, const QString& target)
{
    QString hint = target;
    hint.remove(QStringLiteral("mailto:"));
    widget->setToolTip(hint);
    onClick(widget, [this, target] { context_.seams.opener.open(QUrl(target)); });
}

void TForm3::fillMakerDetails()
{
    ui_->Label1->setText(QString::fromLatin1(maker::kWebAddress));
    ui_->Label3->setText(QString::fromLatin1(maker::kInfoMail));
    ui_->Label5->setText(QString::fromLatin1(maker::kTelephones));
    ui_->Label7->setText(QString::fromLatin1(maker::kHotLine));
    ui_->Label15->setText(QString::fromLatin1(maker::kComplaintsMail));
    ui_->Label12->setText(tr(maker::kWeekdayHours));
    ui_->Label13->setText(tr(maker::kWeekendHours));
    ui_->Label2->setText(tr(maker::kAuthorLine).arg(QString::fromLatin1(maker::kAuthorMail)));
}

void TForm3::English_LANG_Form3()
{
    const EnglishTexts english(context_.english);
    ui_->retranslateUi(this);
    fillMakerDetails();
}

void TForm3::showModally()
{
    centreOnScreen(this);
    exec();
}

} // namespace zv
