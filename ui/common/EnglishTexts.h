#pragma once

#include <QTranslator>

namespace zv {

// While it lives, Qt's translation calls give the English texts, so a window's
// retranslation turns it English; windows made Russian stay as designed.
// A missing or unreadable English table is an error, never a silent Russian window.
class EnglishTexts final {
public:
    EnglishTexts();
    ~EnglishTexts();
    EnglishTexts(const EnglishTexts&) = delete;
    EnglishTexts& operator=(const EnglishTexts&) = delete;

private:
    QTranslator translator_;
};

} // namespace zv
