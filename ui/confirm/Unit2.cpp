#include "ui/confirm/Unit2.h"

#include "ui/common/AppContext.h"
#include "ui/common/EnglishTexts.h"

namespace zv {

namespace {

constexpr char kMessage[] = QT_TRANSLATE_NOOP("zv::TForm2", "Дата и время успешно установлены");

} // namespace

TForm2::TForm2(AppContext& context)
    : ConfirmationWindow(context, {MessageHeight::OneLine, Centring::OnWholeDesktop, TitleButtons::None})
{
    setObjectName(QStringLiteral("TForm2"));
    setMessage(tr(kMessage));
    if (context.isEnglish())
        English_LANG_Form2();
}

void TForm2::English_LANG_Form2()
{
    const EnglishTexts english(context().english);
    translate(tr(kMessage));
}

} // namespace zv
