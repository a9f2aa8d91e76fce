#pragma once

#include "common/UserLanguage.h"
#include "profiles/SharedValues.h"
#include "profiles/TimeFileComposer.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/Pictures.h"
#include "ui/common/Seams.h"

namespace zv {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;

// The one way windows reach each other. Each window puts itself here as the first thing it
// does, so code that runs while it is being built can already reach it.
struct Forms {
    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
};

// What every window is handed when it is built: the seams, the shared values, the one
// composer that keeps its separator texts from tick to tick, the registry, the pictures and the
// English texts.
struct AppContext {
    explicit AppContext(Seams outside) : seams(std::move(outside)) { }
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // True when the windows are English: the user's language is not Russian as used in Russia.
    [[nodiscard]] bool isEnglish() const { return seams.languageId() != kRussianLanguageId; }

    Seams seams;
    SharedValues values;
    TimeFileComposer composer{values};
    Forms forms;
    Pictures pictures;
    EnglishTable english;
};

inline constexpr char kApplicationTitle[] = "Zentrik Vesmar";
inline constexpr char kWindowCaption[] = "Zentrik Vesmar by Dalvenor";

} // namespace zv
