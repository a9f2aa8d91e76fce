#pragma once

#include "app/WindowSet.h"
#include "common/TempFolder.h"
#include "fakes/FakeCardEjector.h"
#include "fakes/FakeDriveProbe.h"
#include "fakes/FakeSeams.h"
#include "ui/common/AppContext.h"

#include <QDateTime>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace zv::test {

// The six windows over fakes: a still clock, a drive probe the test plugs, a recording
// address opener and a settings file in a temporary folder.
class GuiHarness {
public:
    explicit GuiHarness(std::uint16_t languageId = 1049, std::optional<std::string> settingsFolder = std::nullopt);
    ~GuiHarness();
    GuiHarness(const GuiHarness&) = delete;
    GuiHarness& operator=(const GuiHarness&) = delete;

    // One tick of both 1 ms timers, as the event loop would run them.
    void tick();

    template <typename T> [[nodiscard]] T* find(const QWidget* window, const char* name) const;

    // No settings folder given as "": the user has no place for settings.
    [[nodiscard]] std::string settingsPath() const
    {
        return settingsFolder_.empty() ? std::string() : settingsFolder_ + "/Zentrik.ini";
    }

    TempFolder folder;
    FakeClock clock;
    RecordingOpener opener;
    FakeDriveProbe probe;
    FakeCardEjector ejector;
    std::uint16_t language;

private:
    std::string settingsFolder_;

public:
    AppContext context;
    WindowSet windows;
};

// What a modal window showed while a test action ran: its object name and its main text.
struct ModalSeen {
    QString objectName;
    QString text;
};

// Chooses a row the way a user does, so the change handler runs.
void choose(QComboBox* list, int row);

// Leaves `folder` readable but not writable; with ScopedUnprivileged, even root cannot write there.
void makeReadOnly(const std::string& folder);

// Runs `action`, closing every modal window it opens as a user would and noting each; a window
// `keep` (one already open, say) is left alone.
std::vector<ModalSeen> closingModals(const std::function<void()>& action, const QWidget* keep = nullptr);

} // namespace zv::test

#include <QWidget>

template <typename T> T* zv::test::GuiHarness::find(const QWidget* window, const char* name) const
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}
