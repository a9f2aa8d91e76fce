#include "GuiHarness.h"

#include "ui/main/Unit1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>

namespace zv::test {

GuiHarness::GuiHarness(std::uint16_t languageId, std::optional<std::string> settingsFolder)
    : language(languageId),
      settingsFolder_(settingsFolder.value_or(folder.path())),
      context(Seams{clock, opener, probe, [this] { return language; }, settingsPath(), ejector,
          folder.path() + "/state/set-cards"}),
      windows(context)
{
}

GuiHarness::~GuiHarness() = default;

void GuiHarness::tick()
{
    windows.main().Timer1Timer();
    windows.main().Timer2Timer();
}

namespace {

ModalSeen describe(QWidget* modal)
{
    ModalSeen seen{modal->objectName(), {}};
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        seen.text = box->text();
    else if (auto* message = modal->findChild<QLabel*>(QStringLiteral("Label1")))
        seen.text = message->text();
    return seen;
}

} // namespace

void choose(QComboBox* list, int row)
{
    list->setCurrentIndex(row);
    emit list->activated(row);
}

void makeReadOnly(const std::string& folder)
{
    using std::filesystem::perms;
    std::filesystem::permissions(
        folder, perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
}

std::vector<ModalSeen> closingModals(const std::function<void()>& action, const QWidget* keep)
{
    std::vector<ModalSeen> seen;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&seen, keep] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == keep)
            return;
        seen.push_back(describe(modal));
        if (auto* exit = modal->findChild<QAbstractButton*>(QStringLiteral("ExitButton")))
            exit->click();
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Accepted);
        else
            modal->close();
    });
    watcher.start();
    action();
    return seen;
}

} // namespace zv::test
