#pragma once
// Writes beyond a size fail ("File too large") while the object lives, as on a full disk; a
// failure even the superuser meets, unlike permissions.
#include <sys/resource.h>

#include <csignal>

namespace qv::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limitBytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = limitBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
};

}  // namespace qv::testing
