#pragma once

// POSIX only: a file-size limit is the one way to make a write fail halfway without a real full
// medium. While it lives, writes past `bytes` fail with "file too large" instead of a signal.
#ifdef _WIN32
#error "ScopedFileSizeLimit is for POSIX systems"
#endif

#include <csignal>
#include <sys/resource.h>

namespace zv::test {

class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes) : oldHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &oldLimit_);
        rlimit small = oldLimit_;
        small.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~ScopedFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    void (*oldHandler_)(int);
    rlimit oldLimit_{};
};

} // namespace zv::test
