#include "SystemCodePage.h"

#include <QByteArray>

namespace zv::test {

QString shownBytes(const std::string& bytes, const QString& /*onLinux*/)
{
    return QString::fromLocal8Bit(QByteArray::fromStdString(bytes));
}

std::string storedBytes(const std::string& utf8)
{
    return QString::fromUtf8(QByteArray::fromStdString(utf8)).toLocal8Bit().toStdString();
}

} // namespace zv::test
