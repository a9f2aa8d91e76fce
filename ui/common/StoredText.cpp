#include "ui/common/StoredText.h"

#include "common/TextEncoding.h"

namespace zv {

QString shownText(const std::string& bytes)
{
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes);
#else
    return QString::fromStdString(readableUtf8(bytes));
#endif
}

QString shownName(const std::string& bytes) { return QString::fromStdString(readableUtf8(bytes)); }

std::string bytesToStore(const QString& text, const std::string& stored)
{
    if (text == shownText(stored))
        return stored;
#ifdef Q_OS_WIN
    return text.toLocal8Bit().toStdString();
#else
    return text.toStdString();
#endif
}

} // namespace zv
