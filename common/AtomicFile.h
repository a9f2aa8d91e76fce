#pragma once

#include "common/SystemError.h"

#include <string>
#include <string_view>

namespace zv {

struct AtomicWriteResult {
    enum class Stage {
        Done,
        Create, // the file could not be created: read-only file or folder, no rights, bad path
        Write, // writing, flushing or the final rename failed
    };
    Stage stage = Stage::Done;
    SystemError error;

    [[nodiscard]] bool ok() const { return stage == Stage::Done; }
};

// Replaces the file at `path` with `bytes` so that it is never seen half written: the bytes go
// to a new file in the same folder, are flushed to the medium, and the new file is renamed
// over the old one. On any failure the old file stays as it was and the new one is removed.
// A path that is a symbolic link replaces the file it points to.
[[nodiscard]] AtomicWriteResult writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace zv
