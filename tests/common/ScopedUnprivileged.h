#pragma once

#include <unistd.h>

namespace zv::test {

// Root ignores permission bits, and CI runs as root: to see a read-only folder fail the way a
// user sees it, the test gives up its rights for the duration of one call.
class ScopedUnprivileged {
public:
    static constexpr uid_t kNobody = 65534;

    ScopedUnprivileged() : wasRoot_(::geteuid() == 0)
    {
        if (wasRoot_ && (::setegid(kNobody) != 0 || ::seteuid(kNobody) != 0))
            wasRoot_ = false;
    }
    ~ScopedUnprivileged()
    {
        if (wasRoot_) {
            (void)::seteuid(0);
            (void)::setegid(0);
        }
    }
    ScopedUnprivileged(const ScopedUnprivileged&) = delete;
    ScopedUnprivileged& operator=(const ScopedUnprivileged&) = delete;

private:
    bool wasRoot_;
};

} // namespace zv::test
