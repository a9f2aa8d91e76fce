#include "ui/common/AssistiveText.h"

namespace zv {

bool listsTellTheirRowAsDescription() { return false; }

} // namespace zv
