#include "ui/confirm/CameraAnswerWindow.h"

#include "common/StoredText.h"
#include "ui/common/AppContext.h"
#include "ui/common/EnglishTexts.h"

namespace zv {

namespace {

constexpr char kContext[] = "zv::CameraAnswerWindow";
constexpr char kTaken[] = QT_TRANSLATE_NOOP("zv::CameraAnswerWindow", "Камера приняла время");
constexpr char kNotRead[] = QT_TRANSLATE_NOOP(
    "zv::CameraAnswerWindow", "Камера записывала, но не прочитала файл %1. Проверьте модель и имя файла в настройках.");

// The moment as the camera's file gave it, its lines on one line.
QString writtenMoment(const std::string& bytes)
{
    QString moment = QString::fromStdString(storedTextAsUtf8(bytes)).trimmed();
    moment.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return moment;
}

} // namespace

CameraAnswerWindow::CameraAnswerWindow(AppContext& context)
    : ConfirmationWindow(context, {MessageHeight::ThreeLines, Centring::OnScreen, TitleButtons::CloseOnly})
{
    setObjectName(QStringLiteral("CameraAnswer"));
    if (context.isEnglish()) {
        const EnglishTexts english(context.english);
        translate({});
    }
}

void CameraAnswerWindow::showAnswer(CardVerdict verdict, const SetCardRecord& record)
{
    const auto text = [this](const char* source) {
        return userText(context().english, context().isEnglish(), kContext, source);
    };
    if (verdict == CardVerdict::Taken)
        setMessage(text(kTaken) + QLatin1Char('\n') + writtenMoment(record.timeFileBytes));
    else
        setMessage(text(kNotRead).arg(QString::fromStdString(record.timeFileName))); // as on the card: UTF-8
    showModally();
}

} // namespace zv
