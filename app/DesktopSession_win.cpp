#include "app/DesktopSession.h"

namespace zv {

// A Windows session always has a desktop to show on.
bool desktopSessionAnswers() { return true; }

} // namespace zv
