#include "platform/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exceptions.h"

namespace {

// The file's identity, or false (and the descriptor closed) when it cannot be
// taken or names a folder.
bool IdentifyFile(int fd, FileIdentity *identity, struct stat *status)
{
    if (fstat(fd, status) != 0 || S_ISDIR(status->st_mode)) {
        close(fd);
        return false;
    }
    *identity = FileIdentity{status->st_dev, status->st_ino};
    return true;
}

} // namespace

TFileStream::TFileStream(const std::string &path, FileMode mode)
{
    FileIdentity identity;
    struct stat status;
    if (mode == FileMode::OpenRead) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || !IdentifyFile(fd, &identity, &status))
            throw EFOpenError(path);
        if (SharingConflicts(identity, FileAccess::Read, FileShare::DenyWrite)) {
            close(fd);
            throw EFOpenError(path);
        }
        sharing_ = SharingEntry(identity, FileAccess::Read, FileShare::DenyWrite);
        fd_ = fd;
        return;
    }

    // No O_TRUNC: an existing file is emptied only once nothing holds it.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 || !IdentifyFile(fd, &identity, &status))
        throw EFCreateError(path);
    if (SharingConflicts(identity, FileAccess::ReadWrite, FileShare::DenyReadWrite)
        || (S_ISREG(status.st_mode) && status.st_size != 0 && ftruncate(fd, 0) != 0)) {
        close(fd);
        throw EFCreateError(path);
    }
    sharing_ = SharingEntry(identity, FileAccess::ReadWrite, FileShare::DenyReadWrite);
    fd_ = fd;
}

TFileStream::~TFileStream()
{
    WriteHeldBack();
    close(fd_);
}

// Reads up to `count` bytes from the file itself, retrying short reads.
static std::size_t ReadFully(int fd, char *bytes, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break; // the end, or a failed read, which reads as the end
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t TFileStream::Read(void *buffer, std::size_t count)
{
    WriteHeldBack();
    auto *bytes = static_cast<char *>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (aheadBegin_ == aheadEnd_) {
            if (count - done >= kBufferSize)
                return done + ReadFully(fd_, bytes + done, count - done);
            if (!readAhead_)
                readAhead_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
            aheadBegin_ = 0;
            aheadEnd_ = ReadFully(fd_, readAhead_.get(), kBufferSize);
            if (aheadEnd_ == 0)
                break;
        }
        const std::size_t take = std::min(count - done, aheadEnd_ - aheadBegin_);
        std::memcpy(bytes + done, readAhead_.get() + aheadBegin_, take);
        aheadBegin_ += take;
        done += take;
    }
    return done;
}

void TFileStream::DropReadAhead()
{
    if (aheadBegin_ != aheadEnd_)
        lseek(fd_, -static_cast<off_t>(aheadEnd_ - aheadBegin_), SEEK_CUR);
    aheadBegin_ = aheadEnd_ = 0;
}

// Writes all `count` bytes to the file itself, retrying short writes;
// returns how many it took.
static std::size_t WriteFully(int fd, const char *bytes, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = write(fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

bool TFileStream::WriteHeldBack()
{
    const std::size_t size = heldBackSize_;
    heldBackSize_ = 0;
    return size == 0 || WriteFully(fd_, heldBack_.get(), size) == size;
}

std::size_t TFileStream::Write(const void *buffer, std::size_t count)
{
    DropReadAhead();
    const auto *bytes = static_cast<const char *>(buffer);
    if (heldBackSize_ + count > kBufferSize && !WriteHeldBack())
        return 0;
    if (count >= kBufferSize)
        return WriteFully(fd_, bytes, count);
    if (!heldBack_)
        heldBack_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
    std::memcpy(heldBack_.get() + heldBackSize_, bytes, count);
    heldBackSize_ += count;
    return count;
}

void TFileStream::Flush()
{
    if (!WriteHeldBack())
        throw EWriteError();
}

std::int64_t TFileStream::Position() const
{
    return lseek(fd_, 0, SEEK_CUR) - static_cast<std::int64_t>(aheadEnd_ - aheadBegin_)
           + static_cast<std::int64_t>(heldBackSize_);
}

void TFileStream::SetPosition(std::int64_t position)
{
    WriteHeldBack();
    aheadBegin_ = aheadEnd_ = 0;
    lseek(fd_, position < 0 ? 0 : position, SEEK_SET);
}

std::int64_t TFileStream::Size() const
{
    struct stat status;
    const std::int64_t onDisk = fstat(fd_, &status) == 0 ? status.st_size : 0;
    return std::max(onDisk, Position());
}
