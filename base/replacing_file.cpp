#include "base/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

// Short, so that a destination name of up to 255 bytes still leaves a valid temporary name.
constexpr const char* kTemporaryName = ".qvXXXXXX";
// Permissions of a new file before the process's umask, as the shell gives them, less the
// write permission for others.
constexpr mode_t kNewFileMode = 0664;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kMaxLinks = 40;  // as the system follows them
constexpr std::size_t kLinkTextSize = 4096;

// The temporary files that a terminating signal removes before the program ends. The handler
// reads only slots whose flag is set, and a slot's path is complete before its flag is set.
constexpr int kCleanupSlots = 8;
constexpr std::size_t kCleanupPathSize = 4096;
struct CleanupSlot {
    volatile std::sig_atomic_t used;
    char path[kCleanupPathSize];
};
CleanupSlot gCleanupSlots[kCleanupSlots];
// Every signal whose standard action ends the program and that a handler may catch.
constexpr int kCleanupSignals[] = {SIGHUP,  SIGINT,    SIGQUIT, SIGTERM, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE,
                                   SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ, SIGIO,   SIGSYS,  SIGABRT};

extern "C" void removeTemporariesAndEnd(int signalNumber)
{
    for (const CleanupSlot& slot : gCleanupSlots)
        if (slot.used != 0)
            unlink(slot.path);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigaction(signalNumber, &standard, nullptr);
    raise(signalNumber);  // delivered with the standard action once this handler returns
}

// Takes over those signals where they still have their standard action (which ends the
// program), so that a program with handlers of its own or a signal ignored keeps its way.
void installCleanupHandlers()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (int signalNumber : kCleanupSignals) {
        struct sigaction current {};
        if (sigaction(signalNumber, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction cleanup {};
        cleanup.sa_handler = removeTemporariesAndEnd;
        sigemptyset(&cleanup.sa_mask);
        sigaction(signalNumber, &cleanup, nullptr);
    }
}

// The slot now holding path, or -1 when none is free or the path does not fit.
int registerTemporary(const std::string& path)
{
    installCleanupHandlers();
    if (path.size() >= kCleanupPathSize)
        return -1;
    for (int i = 0; i < kCleanupSlots; ++i) {
        CleanupSlot& slot = gCleanupSlots[i];
        if (slot.used != 0)
            continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        slot.used = 1;
        return i;
    }
    return -1;
}

void unregisterTemporary(int slot)
{
    if (slot >= 0)
        gCleanupSlots[slot].used = 0;
}

// The folder part of a path, with its final "/", or "" for a name in the current folder.
std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file path names once symbolic links are followed (a link to a missing file gives that
// file's path); 0, or the system's error number.
int followLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat status {};
        if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return 0;
        char link[kLinkTextSize];
        const ssize_t length = readlink(target.c_str(), link, sizeof link);
        if (length < 0)
            return errno;
        if (static_cast<std::size_t>(length) == sizeof link)
            return ENAMETOOLONG;
        const std::string linkText(link, static_cast<std::size_t>(length));
        target = linkText.front() == '/' ? linkText : folderOf(target) + linkText;
    }
    return ELOOP;
}

// Why an existing destination cannot be written (0: it can).
int refusalOf(const std::string& target, const struct stat& existing)
{
    if (S_ISDIR(existing.st_mode))
        return EISDIR;
    const bool readOnly = (existing.st_mode & kAnyWriteBit) == 0 ||
                          faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0;
    return S_ISREG(existing.st_mode) && readOnly ? EACCES : 0;
}

// Gives a new file the replaced file's owner and group where the system lets us (root may;
// others at least a group of theirs), so that root writing a user's file leaves it the user's.
// False when it stays the writer's, as a file written anew would be.
bool giveOwnerOf(int descriptor, const struct stat& replaced)
{
    return fchown(descriptor, replaced.st_uid, replaced.st_gid) == 0 ||
           fchown(descriptor, static_cast<uid_t>(-1), replaced.st_gid) == 0;
}

mode_t newFileMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return kNewFileMode & ~mask;
}

// Writes all bytes; 0, or the system's error number.
int writeAll(int descriptor, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path)
{
    int failure = followLinks(path, targetPath_);
    struct stat existing {};
    const bool exists = failure == 0 && stat(targetPath_.c_str(), &existing) == 0;
    if (exists)
        failure = refusalOf(targetPath_, existing);
    if (failure == 0)
        failure = exists && !S_ISREG(existing.st_mode) ? openDirectly() : openTemporary(exists ? &existing : nullptr);
    if (failure == 0) {
        stream_ = open_memstream(&buffer_, &size_);
        failure = stream_ == nullptr ? errno : 0;
    }
    if (failure != 0) {
        error_ = std::strerror(failure);
        discard();
    }
}

ReplacingFile::~ReplacingFile() { discard(); }

int ReplacingFile::openTemporary(const struct stat* replaced)
{
    std::string name = folderOf(targetPath_) + kTemporaryName;
    descriptor_ = mkostemp(name.data(), O_CLOEXEC);
    if (descriptor_ < 0)
        return errno;
    temporaryPath_ = name;
    cleanupSlot_ = registerTemporary(temporaryPath_);
    // Before the mode, which a change of owner would clear of its set-ID bits.
    if (replaced != nullptr)
        giveOwnerOf(descriptor_, *replaced);
    // mkostemp makes the file private.
    const mode_t mode = replaced != nullptr ? replaced->st_mode & kPermissionBits : newFileMode();
    return fchmod(descriptor_, mode) == 0 ? 0 : errno;
}

int ReplacingFile::openDirectly()
{
    descriptor_ = open(targetPath_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    return descriptor_ < 0 ? errno : 0;
}

bool ReplacingFile::commit()
{
    if (stream_ == nullptr)
        return false;
    // Writing into memory fails only when memory runs out.
    const bool buffered = std::ferror(stream_) == 0;
    int failure = std::fclose(stream_) == 0 && buffered ? 0 : ENOMEM;
    stream_ = nullptr;
    if (failure == 0)
        failure = writeAll(descriptor_, buffer_, size_);
    const bool replacing = !temporaryPath_.empty();
    if (failure == 0 && replacing && fsync(descriptor_) != 0)
        failure = errno;
    if (close(descriptor_) != 0 && failure == 0)
        failure = errno;
    descriptor_ = -1;
    if (failure == 0 && replacing && std::rename(temporaryPath_.c_str(), targetPath_.c_str()) != 0)
        failure = errno;
    if (failure == 0) {
        temporaryPath_.clear();
        unregisterTemporary(cleanupSlot_);
        cleanupSlot_ = -1;
        return true;
    }
    error_ = std::strerror(failure);
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    std::free(buffer_);
    buffer_ = nullptr;
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporaryPath_.empty()) {
        unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
    unregisterTemporary(cleanupSlot_);
    cleanupSlot_ = -1;
}

bool writeReplacingFile(const std::string& path, const std::string& text, std::string* reason)
{
    ReplacingFile file(path);
    if (file.stream() != nullptr) {
        std::fwrite(text.data(), 1, text.size(), file.stream());
        if (file.commit())
            return true;
    }
    if (reason != nullptr)
        *reason = file.error();
    return false;
}

}  // namespace qv
