#include "ui/common/AssistiveText.h"

namespace zv {

bool listsTellTheirRowAsDescription() { return true; }

} // namespace zv
