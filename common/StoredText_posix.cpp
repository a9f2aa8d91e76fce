#include "common/StoredText.h"

#include "common/TextEncoding.h"

namespace zv {

std::string storedTextAsUtf8(const std::string& bytes) { return readableUtf8(bytes); }

std::string storedTextFromUtf8(const std::string& text) { return text; }

} // namespace zv
