#pragma once
// A file written under a temporary name beside its destination that takes the destination's
// name only once it is complete: a write that fails leaves no partial file, and an earlier
// file of that name stays as it was (and passes its permissions on to the new one).
#include <cstdio>
#include <string>

namespace qv {

class ReplacingFile {
public:
    // Creates the temporary file in the destination's folder; stream() is null when that fails.
    explicit ReplacingFile(std::string path);
    // Removes the temporary file unless commit() succeeded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    std::FILE* stream() const { return stream_; }
    // Flushes and closes the temporary file and renames it to the destination. False (and the
    // temporary file removed) when anything was not written.
    bool commit();
    // Why creating or committing the file failed ("No space left on device", ...).
    const std::string& error() const { return error_; }

private:
    void discard();

    std::string path_;
    std::string temporaryPath_;
    std::FILE* stream_ = nullptr;
    std::string error_;
};

// Writes text to path through a ReplacingFile; false when the file could not be written.
bool writeReplacingFile(const std::string& path, const std::string& text);

}  // namespace qv
