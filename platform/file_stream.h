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

    // Writes what is held back; raises EWriteError when the file does not
    // take it all. Call it before destroying a stream whose content matters:
    // the destructor writes what is left too, but cannot report a failure.
    void Flush();

private:
    // Callers read and write in small pieces; the file is read and written in
    // large ones. Bytes read ahead are dropped by writing and positioning;
    // bytes held back are written when the buffer fills, before reading or
    // positioning, by Flush and by the destructor. A write that cannot pass
    // held-back bytes to the file takes nothing, so WriteBuffer raises.
    static constexpr std::size_t kBufferSize = 256 * 1024;
    void DropReadAhead();
    bool WriteHeldBack();

    int fd_ = -1;
    SharingEntry sharing_;
    std::unique_ptr<char[]> readAhead_;
    std::size_t aheadBegin_ = 0;
    std::size_t aheadEnd_ = 0;
    std::unique_ptr<char[]> heldBack_;
    std::size_t heldBackSize_ = 0;
};

#endif
