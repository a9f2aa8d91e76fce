#pragma once

#include <QString>

#include <string>

namespace zv {

// The one place where the program's bytes (profile values, mount points, labels,
// messages) become text in a window and back.

// Linux: UTF-8 as it is, other bytes as the Russian Windows code page (a Zentrik.ini carried
// over from Windows). Windows: the ANSI code page, as every single-byte text there.
[[nodiscard]] QString shownText(const std::string& bytes);

// A name the system gave (a mount point, a drive's label): UTF-8 on every platform, read as
// shownText() reads it where it is not. Control characters show as "\n", "\t", "\r" or
// "\xHH", so two cards whose names differ only in them never look alike.
[[nodiscard]] QString shownName(const std::string& bytes);

// The bytes to store for `text` in place of `stored`: `stored` itself while `text` is just how
// `stored` is shown, so a value nobody edited keeps its bytes, whatever their code page.
[[nodiscard]] std::string bytesToStore(const QString& text, const std::string& stored);

} // namespace zv
