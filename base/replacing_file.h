#pragma once
// The one writer of the program's output files: the save file, the configuration file, the
// calendar export, the batch companion's --out texts and pictures.
//
// A regular file is written under a short temporary name in its folder and takes its name only
// once complete: a write that fails leaves no partial file, and an earlier file of that name
// stays as it was. The finished file keeps the permissions, and where the system allows the
// owner and group, of the file it replaces; a new file is never writable by others. A hard link to the earlier file keeps the earlier contents.
// A symbolic link is followed and its target replaced the same way. A FIFO, a terminal or a
// device is written directly. A file without write permission (for this user, or without any
// write bit, which also holds for the superuser) is refused with "Permission denied". Any
// signal that ends the program and can be caught removes the temporary files first.
#include <cstddef>
#include <cstdio>
#include <string>

struct stat;

namespace qv {

class ReplacingFile {
public:
    // Opens the destination (its temporary file, or the FIFO or device itself); stream() is
    // null when that fails, and error() says why.
    explicit ReplacingFile(const std::string& path);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Where the text goes; it is kept in memory until commit().
    std::FILE* stream() const { return stream_; }
    // Writes what the stream holds, closes the file and gives the temporary file the
    // destination's name. False (and the temporary file removed) when anything was not written.
    bool commit();
    // The system's reason why opening or committing failed ("No space left on device", ...).
    const std::string& error() const { return error_; }

private:
    int openTemporary(const struct stat* replaced);
    int openDirectly();
    void discard();

    std::string targetPath_;     // the destination, symbolic links followed
    std::string temporaryPath_;  // empty when the destination is written directly
    int descriptor_ = -1;
    int cleanupSlot_ = -1;  // the temporary file's entry among those a signal removes
    std::FILE* stream_ = nullptr;
    char* buffer_ = nullptr;  // the stream's text
    std::size_t size_ = 0;
    std::string error_;
};

// Writes text to path through a ReplacingFile; false with the reason in *reason (when given)
// when the file could not be written.
bool writeReplacingFile(const std::string& path, const std::string& text, std::string* reason = nullptr);

}  // namespace qv
