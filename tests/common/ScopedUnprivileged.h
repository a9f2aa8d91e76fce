#pragma once

// POSIX only: a Windows process cannot give up an administrator's rights for one call. The
// Windows tests see read-only files through the READONLY attribute, which binds everyone.
#ifdef _WIN32
#error "ScopedUnprivileged is for POSIX systems"
#endif

#include <unistd.h>

namespace zv::test {

// Root ignores permission bits, and CI runs as root: to see a read-only folder fail the way a
// user sees it, the test gives up its rights for the duration of one call.
class ScopedUnprivileged {
public:
    static constexpr uid_t kNobody = 65534;

    ScopedUnprivileged()
    {
        if (::geteuid() != 0)
            return;
        if (::setegid(kNobody) != 0)
            return;
        if (::seteuid(kNobody) != 0) {
            (void)::setegid(0);
            return;
        }
        dropped_ = true;
    }
    ~ScopedUnprivileged()
    {
        if (dropped_) {
            (void)::seteuid(0);
            (void)::setegid(0);
        }
    }
    ScopedUnprivileged(const ScopedUnprivileged&) = delete;
    ScopedUnprivileged& operator=(const ScopedUnprivileged&) = delete;

    // False when the process still runs as root, so permission bits will not stop it.
    [[nodiscard]] bool effective() const { return ::geteuid() != 0; }

private:
    bool dropped_ = false;
};

} // namespace zv::test
