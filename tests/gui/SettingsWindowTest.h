#pragma once

#include "GuiHarness.h"

#include <QPushButton>
#include <QTest>

#include <vector>

namespace zv::test {

// Clicks a button of the settings window, closing and noting each modal window it opens.
inline std::vector<ModalSeen> click(GuiHarness& gui, const char* button)
{
    return closingModals(
        [&] { QTest::mouseClick(gui.find<QPushButton>(&gui.windows.settings(), button), Qt::LeftButton); });
}

} // namespace zv::test
