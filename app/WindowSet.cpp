#include "app/WindowSet.h"

#include "ui/common/AppContext.h"

namespace zv {

WindowSet::WindowSet(AppContext& context)
    : form1_(context),
      form2_(context),
      form3_(context),
      form4_(context),
      form5_(context),
      form6_(context),
      cameraAnswer_(context),
      ownFormats_(context)
{
    connectWindows(form1_, form2_, form3_, form4_, form5_, form6_, cameraAnswer_, ownFormats_);
}

void connectWindows(TForm1& main, TForm2& setConfirmation, TForm3& about, TForm4& settings, TForm5& userSaved,
    TForm6& defaultsSaved, CameraAnswerWindow& cameraAnswer, OwnFormatsWindow& ownFormats)
{
    // The two large windows share one model and one time-stamp choice, a picture and the lamps.
    QObject::connect(&main, &TForm1::modelChosen, &settings, &TForm4::followMainWindowModel);
    QObject::connect(&main, &TForm1::stampRowChanged, &settings, &TForm4::setTagRow);
    QObject::connect(&main, &TForm1::sampleComposed, &settings, &TForm4::showSample);
    QObject::connect(&main, &TForm1::cameraShown, &settings, &TForm4::showCameraPicture);
    QObject::connect(&settings, &TForm4::modelChosen, &main, &TForm1::followSettingsModel);
    QObject::connect(&settings, &TForm4::tagRowChanged, &main, &TForm1::setTimeStampRow);
    main.lights().addStrip(settings.unlitLamps(), settings.litLamps());
    QObject::connect(&settings, &TForm4::ownFormatsChanged, &main, &TForm1::showOwnFormats);
    // The settings window filled its choices and read the own formats while it was built,
    // before it could tell.
    main.setTimeStampRow(settings.tagRow());
    main.showOwnFormats();

    // The windows each one opens; a modal one returns once closed, as the caller expects.
    QObject::connect(&main, &TForm1::setConfirmed, &setConfirmation, &TForm2::showAfterSet);
    QObject::connect(&setConfirmation, &TForm2::ejecting, &main, &TForm1::releaseCard);
    QObject::connect(&main, &TForm1::cameraAnswered, &cameraAnswer, &CameraAnswerWindow::showAnswer);
    QObject::connect(&main, &TForm1::aboutAsked, &about, &TForm3::showModally);
    QObject::connect(&main, &TForm1::settingsAsked, &settings, &TForm4::bringForward);
    QObject::connect(&settings, &TForm4::aboutAsked, &about, &TForm3::showModally);
    QObject::connect(&settings, &TForm4::userSettingsSaved, &userSaved, &TForm5::showModally);
    QObject::connect(&settings, &TForm4::defaultsSaved, &defaultsSaved, &TForm6::showModally);
    QObject::connect(&settings, &TForm4::ownFormatsAsked, &ownFormats, [&settings, &ownFormats] {
        if (auto edited = ownFormats.edit(settings.ownFormats()))
            settings.keepOwnFormats(std::move(*edited));
    });
}

} // namespace zv
