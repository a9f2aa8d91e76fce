#pragma once

#include <QTranslator>

namespace zv {

// The program's English texts, read from the resources the first time a window turns English
// and kept for the rest of the run, so six windows cost one load (and a Russian run none).
// A missing or unreadable table is an error, never a silent Russian window.
class EnglishTable final {
public:
    EnglishTable() = default;
    EnglishTable(const EnglishTable&) = delete;
    EnglishTable& operator=(const EnglishTable&) = delete;

    [[nodiscard]] QTranslator& translator();

private:
    QTranslator translator_;
    bool loaded_ = false;
};

// A text of the program's own, written in Russian as `source` under `context` (the class that
// says it), in the user's language: as it stands, or its English form for English windows.
[[nodiscard]] QString userText(EnglishTable& table, bool english, const char* context, const char* source);

// While it lives, Qt's translation calls give the English texts, so a window's
// retranslation turns it English; windows made Russian stay as designed.
class EnglishTexts final {
public:
    explicit EnglishTexts(EnglishTable& table);
    ~EnglishTexts();
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;

private:
    QTranslator& translator_;
};

} // namespace zv
