#include "ui/common/StoredText.h"

#include "common/StoredText.h"
#include "common/TextEncoding.h"

namespace zv {

QString shownText(const std::string& bytes) { return QString::fromStdString(storedTextAsUtf8(bytes)); }

namespace {

QString withVisibleControls(QString text)
{
    for (qsizetype at = text.size() - 1; at >= 0; --at) {
        const char16_t c = text[at].unicode();
        if (c >= 0x20 && c != 0x7F)
            continue;
        QString shown;
        switch (c) {
        case u'\n':
            shown = QStringLiteral("\\n");
            break;
        case u'\t':
            shown = QStringLiteral("\\t");
            break;
        case u'\r':
            shown = QStringLiteral("\\r");
            break;
        default:
            shown = QStringLiteral("\\x%1").arg(static_cast<int>(c), 2, 16, QLatin1Char('0'));
        }
        text.replace(at, 1, shown);
    }
    return text;
}

} // namespace

QString shownName(const std::string& bytes) { return withVisibleControls(QString::fromStdString(readableUtf8(bytes))); }

std::string bytesToStore(const QString& text, const std::string& stored)
{
    if (text == shownText(stored))
        return stored;
    return storedTextFromUtf8(text.toStdString());
}

} // namespace zv
