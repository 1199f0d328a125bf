// A byte stream over a disk file, opened the two ways the program needs, with
// the sharing rules of file_sharing.h. The destructor closes the file.
#ifndef KOMBREL_PLATFORM_FILE_STREAM_H
#define KOMBREL_PLATFORM_FILE_STREAM_H

#include <memory>
#include <string>

#include "platform/file_sharing.h"
#include "platform/stream.h"

enum class FileMode {
    // An existing file, for reading, denying others write access. Raises
    // EFOpenError when the file is missing, is a folder, cannot be opened, or
    // is held open for writing by this process.
    OpenRead,
    // A new file, or an existing one replaced, for reading and writing,
    // shared with nobody. Raises EFCreateError when it cannot be created or
    // this process holds the file open at all; an existing file is then left
    // untouched.
    Create,
};

class TFileStream : public TStream {
public:
    TFileStream(const std::string &path, FileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream &) = delete;
    TFileStream &operator=(const TFileStream &) = delete;

    std::size_t Read(void *buffer, std::size_t count) override;
    std::size_t Write(const void *buffer, std::size_t count) override;
    std::int64_t Position() const override;
    void SetPosition(std::int64_t position) override;
    std::int64_t Size() const override;

private:
    // Bytes read ahead of the caller: callers read in small pieces, the file
    // is read in large ones. Writing and positioning drop what is left.
    static constexpr std::size_t kReadAhead = 256 * 1024;
    void DropReadAhead();

    int fd_ = -1;
    SharingEntry sharing_;
    std::unique_ptr<char[]> readAhead_;
    std::size_t aheadBegin_ = 0;
    std::size_t aheadEnd_ = 0;
};

#endif
