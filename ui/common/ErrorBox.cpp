#include "ui/common/ErrorBox.h"

#include "ui/common/AppContext.h"

#include <QMessageBox>

namespace zv {

namespace {

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QString::fromLatin1(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(icon == QMessageBox::Critical ? QStringLiteral("ErrorBox")
            : icon == QMessageBox::Information      ? QStringLiteral("NoticeBox")
                                                    : QStringLiteral("MessageBox"));
    box.exec();
}

} // namespace

QString errorBoxText(const QString& text)
{
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void showErrorBox(QWidget* parent, const QString& text) { showBox(parent, QMessageBox::Critical, errorBoxText(text)); }

void showNotice(QWidget* parent, const QString& text) { showBox(parent, QMessageBox::Information, text); }

void showSettingsFileError(QWidget* parent)
{
    showBox(parent, QMessageBox::NoIcon, QStringLiteral("Ошибка обращения к файлу"));
}

} // namespace zv
