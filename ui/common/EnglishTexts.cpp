#include "ui/common/EnglishTexts.h"

#include <QCoreApplication>

#include <stdexcept>

namespace zv {

QTranslator& EnglishTable::translator()
{
    if (!loaded_) {
        if (!translator_.load(QStringLiteral(":/i18n/zentrik_en.qm")) || translator_.isEmpty())
            throw std::runtime_error("The English texts of the program are missing");
        loaded_ = true;
    }
    return translator_;
}

QString userText(EnglishTable& table, bool english, const char* context, const char* source)
{
    return english ? table.translator().translate(context, source) : QString::fromUtf8(source);
}

EnglishTexts::EnglishTexts(EnglishTable& table) : translator_(table.translator())
{
    QCoreApplication::installTranslator(&translator_);
}

EnglishTexts::~EnglishTexts() { QCoreApplication::removeTranslator(&translator_); }

} // namespace zv
