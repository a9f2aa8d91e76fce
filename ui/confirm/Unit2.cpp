#include "ui/confirm/Unit2.h"

#include "ui/common/AppContext.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/ErrorBox.h"

#include <QApplication>
#include <QMetaObject>
#include <QPushButton>

namespace zv {

namespace {

constexpr char kContext[] = "zv::TForm2";
constexpr char kMessage[] = QT_TRANSLATE_NOOP("zv::TForm2", "Дата и время успешно установлены");
constexpr char kEjected[] = QT_TRANSLATE_NOOP("zv::TForm2", "Камеру можно отключить");
constexpr char kBusy[] = QT_TRANSLATE_NOOP("zv::TForm2",
    "Карту сейчас извлечь нельзя: её файлы открыты в другой программе. Закройте их и нажмите «Извлечь» ещё раз.");
constexpr char kRefused[] = QT_TRANSLATE_NOOP("zv::TForm2", "Система не позволила извлечь карту.");
constexpr char kNoService[] = QT_TRANSLATE_NOOP(
    "zv::TForm2", "Здесь нечем извлечь карту: в системе нет службы UDisks2. Извлеките её в файловом менеджере.");
constexpr char kNotFound[] = QT_TRANSLATE_NOOP("zv::TForm2", "Карты уже нет в системе: её отключили или извлекли.");
constexpr char kFailed[] = QT_TRANSLATE_NOOP("zv::TForm2", "Карту не удалось извлечь.");

} // namespace

TForm2::TForm2(AppContext& context)
    : ConfirmationWindow(context, {MessageHeight::OneLine, Centring::OnWholeDesktop, TitleButtons::None})
{
    setObjectName(QStringLiteral("TForm2"));
    setMessage(tr(kMessage));
    if (context.isEnglish())
        English_LANG_Form2();
    connect(secondButton(), &QPushButton::clicked, this, &TForm2::EjectButtonClick);
}

void TForm2::English_LANG_Form2()
{
    const EnglishTexts english(context().english);
    translate(tr(kMessage));
}

QString TForm2::text(const char* source) const
{
    return userText(context().english, context().isEnglish(), kContext, source);
}

// Each showing starts as the first: the message of the set and an eject button to press.
void TForm2::showAfterSet(const std::string& root)
{
    root_ = root;
    setMessage(text(kMessage));
    secondButton()->setVisible(true);
    secondButton()->setEnabled(true);
    showModally();
}

// The eject may wait for the card's buffers to be written, seconds on a slow card: it runs on a
// thread of its own while the window waits with both buttons off, so nothing closes under it.
void TForm2::EjectButtonClick()
{
    emit ejecting(root_);
    secondButton()->setEnabled(false);
    exitButton()->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    eject_ = std::jthread([this, root = root_, &ejector = context().seams.ejector] {
        const CardEjector::Result result = ejector.eject(root);
        QMetaObject::invokeMethod(
            this, [this, result] { ejected(result); }, Qt::QueuedConnection);
    });
}

void TForm2::ejected(const CardEjector::Result& result)
{
    QApplication::restoreOverrideCursor();
    exitButton()->setEnabled(true);
    using Outcome = CardEjector::Outcome;
    if (result.outcome == Outcome::Ejected) {
        setMessage(text(kEjected));
        exitButton()->setFocus();
        return;
    }
    secondButton()->setEnabled(true);
    const char* reason = result.outcome == Outcome::Busy ? kBusy
        : result.outcome == Outcome::Refused             ? kRefused
        : result.outcome == Outcome::NoService           ? kNoService
        : result.outcome == Outcome::NotFound            ? kNotFound
                                                         : kFailed;
    QString shown = text(reason);
    if (result.outcome == Outcome::Failed && !result.detail.empty())
        shown += QLatin1Char(' ') + QString::fromStdString(result.detail);
    showErrorBox(this, shown);
}

} // namespace zv
