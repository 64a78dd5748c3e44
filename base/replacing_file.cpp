#include "base/replacing_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace qv {

namespace {

constexpr const char* kTemporarySuffix = ".XXXXXX";
// Permissions of a new file before the process's umask, as fopen gives them.
constexpr mode_t kNewFileMode = 0666;

mode_t currentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string path) : path_(std::move(path))
{
    std::vector<char> name(path_.begin(), path_.end());
    name.insert(name.end(), kTemporarySuffix, kTemporarySuffix + std::char_traits<char>::length(kTemporarySuffix) + 1);
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return;
    temporaryPath_ = name.data();
    // mkstemp makes the file private; the finished file gets the permissions of any new file.
    fchmod(fd, kNewFileMode & ~currentUmask());
    stream_ = fdopen(fd, "w");
    if (stream_ == nullptr) {
        close(fd);
        discard();
    }
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::commit()
{
    if (stream_ == nullptr)
        return false;
    bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0 && fsync(fileno(stream_)) == 0;
    written = std::fclose(stream_) == 0 && written;
    stream_ = nullptr;
    if (written && std::rename(temporaryPath_.c_str(), path_.c_str()) == 0) {
        temporaryPath_.clear();
        return true;
    }
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporaryPath_.empty()) {
        std::remove(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

bool writeReplacingFile(const std::string& path, const std::string& text)
{
    ReplacingFile file(path);
    if (file.stream() == nullptr)
        return false;
    std::fwrite(text.data(), 1, text.size(), file.stream());
    return file.commit();
}

}  // namespace qv
