#include "base/replacing_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// Permissions for the finished file: those of the file it replaces, else those of any new file.
mode_t finishedFileMode(const std::string& path)
{
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    return kNewFileMode & ~currentUmask();
}

std::string reasonOf(int savedErrno)
{
    return savedErrno != 0 ? std::strerror(savedErrno) : "the file could not be written";
}

}  // namespace

ReplacingFile::ReplacingFile(std::string path) : path_(std::move(path))
{
    // mkstemp replaces the X's of the writable, NUL-terminated name.
    const std::string pattern = path_ + kTemporarySuffix;
    std::vector<char> name(pattern.c_str(), pattern.c_str() + pattern.size() + 1);
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error_ = reasonOf(errno);
        return;
    }
    temporaryPath_ = name.data();
    // mkstemp makes the file private.
    fchmod(fd, finishedFileMode(path_));
    stream_ = fdopen(fd, "w");
    if (stream_ == nullptr) {
        error_ = reasonOf(errno);
        close(fd);
        discard();
    }
}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::commit()
{
    if (stream_ == nullptr)
        return false;
    errno = 0;
    bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0 && fsync(fileno(stream_)) == 0;
    int failure = written ? 0 : errno;
    if (std::fclose(stream_) != 0 && written) {
        written = false;
        failure = errno;
    }
    stream_ = nullptr;
    if (written && std::rename(temporaryPath_.c_str(), path_.c_str()) == 0) {
        temporaryPath_.clear();
        return true;
    }
    error_ = reasonOf(written ? errno : failure);
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
