#pragma once

#include "common/UserLanguage.h"
#include "profiles/SharedValues.h"
#include "profiles/TimeFileComposer.h"
#include "ui/common/EnglishTexts.h"
#include "ui/common/Pictures.h"
#include "ui/common/Seams.h"

namespace zv {

// What every window is handed when it is built: the seams, the shared values, the one
// composer that keeps its separator texts from tick to tick, the pictures and the English
// texts. Windows never reach each other through it: the window set connects them.
struct AppContext {
    explicit AppContext(Seams outside) : seams(std::move(outside)) { }
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // True when the windows are English: the user's language is not Russian as used in Russia.
    [[nodiscard]] bool isEnglish() const { return seams.languageId() != kRussianLanguageId; }

    Seams seams;
    SharedValues values;
    TimeFileComposer composer{values};
    Pictures pictures;
    EnglishTable english;
};

inline constexpr char kApplicationTitle[] = "Zentrik Vesmar";
inline constexpr char kWindowCaption[] = "Zentrik Vesmar by Dalvenor";

} // namespace zv
