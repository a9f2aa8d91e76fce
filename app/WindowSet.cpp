#include "app/WindowSet.h"

#include "ui/about/Unit3.h"
#include "ui/common/AppContext.h"
#include "ui/confirm/Unit2.h"
#include "ui/confirm/Unit5.h"
#include "ui/confirm/Unit6.h"
#include "ui/main/Unit1.h"
#include "ui/settings/Unit4.h"

namespace zv {

WindowSet::WindowSet(AppContext& context)
    : context_(context),
      form1_(std::make_unique<TForm1>(context)),
      form2_(std::make_unique<TForm2>(context)),
      form3_(std::make_unique<TForm3>(context)),
      form4_(std::make_unique<TForm4>(context)),
      form5_(std::make_unique<TForm5>(context)),
      form6_(std::make_unique<TForm6>(context))
{
}

// The registry must never point at a window that is gone.
WindowSet::~WindowSet()
{
    form6_.reset();
    form5_.reset();
    form4_.reset();
    form3_.reset();
    form2_.reset();
    form1_.reset();
    context_.forms = {};
}

} // namespace zv
