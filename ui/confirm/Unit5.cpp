#include "ui/confirm/Unit5.h"

#include "ui/common/AppContext.h"
#include "ui/common/EnglishTexts.h"

#include <QWheelEvent>

namespace zv {

namespace {

constexpr char kMessage[] =
    QT_TRANSLATE_NOOP("zv::TForm5", "Пользовательские параметры настройки для ВСЕХ минивидео камер успешно сохранены");

} // namespace

TForm5::TForm5(AppContext& context)
    : ConfirmationWindow(context, {MessageHeight::TwoLines, Centring::OnScreen, TitleButtons::CloseOnly})
{
    setObjectName(QStringLiteral("TForm5"));
    setMessage(tr(kMessage));
    if (context.isEnglish())
        English_LANG_Form5();
}

void TForm5::English_LANG_Form5()
{
    const EnglishTexts english(context().english);
    translate(tr(kMessage));
}

void TForm5::wheelEvent(QWheelEvent* event) { event->accept(); }

} // namespace zv
