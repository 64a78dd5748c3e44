#pragma once
// A file path in a fresh temporary directory; the directory and what it holds go with the
// object.
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace qv::testing {

struct TempFile {
    std::string dir;
    std::string path;
    explicit TempFile(const std::string& name = "save.txt")
    {
        char pattern[] = "/tmp/quorvel_test_XXXXXX";
        dir = mkdtemp(pattern) ? pattern : "/tmp";
        path = (std::filesystem::path(dir) / name).string();
    }
    ~TempFile()
    {
        std::error_code ignored;
        if (dir != "/tmp")
            std::filesystem::remove_all(dir, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
};

}  // namespace qv::testing
