#include "common/StoredText.h"

#include "common/WideText_win.h"

namespace zv {

std::string storedTextAsUtf8(const std::string& bytes) { return utf8FromAnsi(bytes); }

std::string storedTextFromUtf8(const std::string& text) { return ansiFromUtf8(text); }

} // namespace zv
