#include "ui/confirm/Unit6.h"

#include "ui/common/AppContext.h"
#include "ui/common/EnglishTexts.h"

namespace zv {

namespace {

constexpr char kMessage[] =
    QT_TRANSLATE_NOOP("zv::TForm6", "Параметры настройки по умолчанию для ВСЕХ минивидео камер успешно сохранены");

} // namespace

TForm6::TForm6(AppContext& context)
    : ConfirmationWindow(context, {MessageHeight::TwoLines, Centring::OnScreen, TitleButtons::CloseOnly})
{
    setObjectName(QStringLiteral("TForm6"));
    setMessage(tr(kMessage));
    if (context.isEnglish())
        English_LANG_Form6();
}

void TForm6::English_LANG_Form6()
{
    const EnglishTexts english(context().english);
    translate(tr(kMessage));
}

} // namespace zv
