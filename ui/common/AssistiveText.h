#pragma once

namespace zv {

// Whether a drop-down list also tells its current row as its description. Screen readers on
// Linux find no value in Qt's lists over AT-SPI (it offers no selection there) and read only the
// caption; they do read a description, and speak it again when it changes under the keyboard.
// Windows' UI Automation reads the value itself, so there it would be said twice.
[[nodiscard]] bool listsTellTheirRowAsDescription();

} // namespace zv
