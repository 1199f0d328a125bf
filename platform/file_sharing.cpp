#include "platform/file_sharing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct HeldOpen {
    std::uint64_t token;
    FileIdentity file;
    FileAccess access;
    FileShare share;
};

// A stdio file of the container unit: its place in the table, and the buffer
// it reads and writes through.
struct StdioOpen {
    SharingEntry entry;
    std::unique_ptr<char[]> buffer;
};

struct Table {
    std::mutex mutex;
    std::vector<HeldOpen> opens;
    std::uint64_t lastToken = 0;
    std::map<FILE *, StdioOpen> stdioFiles;
};

Table &TheTable()
{
    static Table table;
    return table;
}

bool Reads(FileAccess access)
{
    return access != FileAccess::Write;
}

bool Writes(FileAccess access)
{
    return access != FileAccess::Read;
}

// Whether an open that shares as `share` lets another open take `access`.
bool Allows(FileShare share, FileAccess access)
{
    if (Reads(access) && share == FileShare::DenyReadWrite)
        return false;
    if (Writes(access) && share != FileShare::DenyNone)
        return false;
    return true;
}

bool SameFile(const FileIdentity &a, const FileIdentity &b)
{
    return a.device == b.device && a.inode == b.inode;
}

} // namespace

bool SharingConflicts(const FileIdentity &file, FileAccess access, FileShare share)
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    for (const HeldOpen &held : table.opens) {
        if (SameFile(held.file, file) && (!Allows(held.share, access) || !Allows(share, held.access)))
            return true;
    }
    return false;
}

SharingEntry::SharingEntry(const FileIdentity &file, FileAccess access, FileShare share)
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    token_ = ++table.lastToken;
    table.opens.push_back(HeldOpen{token_, file, access, share});
}

SharingEntry::~SharingEntry()
{
    Release();
}

SharingEntry::SharingEntry(SharingEntry &&other) noexcept : token_(other.token_)
{
    other.token_ = 0;
}

SharingEntry &SharingEntry::operator=(SharingEntry &&other) noexcept
{
    if (this != &other) {
        Release();
        token_ = other.token_;
        other.token_ = 0;
    }
    return *this;
}

void SharingEntry::Release()
{
    if (token_ == 0)
        return;
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    std::erase_if(table.opens, [this](const HeldOpen &held) { return held.token == token_; });
    token_ = 0;
}

namespace {

struct StdioMode {
    int flags;
    FileAccess access;
    bool truncate;
};

bool ParseMode(const char *mode, StdioMode *parsed)
{
    const bool plus = std::strchr(mode, '+') != nullptr;
    switch (mode[0]) {
    case 'r':
        *parsed = {plus ? O_RDWR : O_RDONLY, plus ? FileAccess::ReadWrite : FileAccess::Read, false};
        return true;
    case 'w':
        *parsed = {(plus ? O_RDWR : O_WRONLY) | O_CREAT, plus ? FileAccess::ReadWrite : FileAccess::Write, true};
        return true;
    case 'a':
        *parsed = {(plus ? O_RDWR : O_WRONLY) | O_CREAT | O_APPEND,
                   plus ? FileAccess::ReadWrite : FileAccess::Write, false};
        return true;
    default:
        return false;
    }
}

int FailWith(int fd, int error)
{
    close(fd);
    errno = error;
    return -1;
}

} // namespace

FILE *OpenSharedStdio(const char *path, const char *mode)
{
    StdioMode parsed;
    if (path == nullptr || mode == nullptr || !ParseMode(mode, &parsed)) {
        errno = EINVAL;
        return nullptr;
    }
    int fd = open(path, parsed.flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat status;
    if (fstat(fd, &status) != 0) {
        FailWith(fd, errno);
        return nullptr;
    }
    const FileIdentity identity{status.st_dev, status.st_ino};
    if (SharingConflicts(identity, parsed.access, FileShare::DenyNone)) {
        FailWith(fd, EACCES);
        return nullptr;
    }
    if (parsed.truncate && S_ISREG(status.st_mode) && ftruncate(fd, 0) != 0) {
        FailWith(fd, errno);
        return nullptr;
    }
    FILE *file = fdopen(fd, mode);
    if (file == nullptr) {
        FailWith(fd, errno);
        return nullptr;
    }
    // The unit moves its data in small pieces; a large buffer turns them into
    // few system calls.
    StdioOpen open{SharingEntry(identity, parsed.access, FileShare::DenyNone),
                   std::make_unique_for_overwrite<char[]>(kStdioBufferSize)};
    setvbuf(file, open.buffer.get(), _IOFBF, kStdioBufferSize);
    StdioOpen stale; // of a FILE * closed without CloseSharedStdio; released after the lock
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    auto [slot, inserted] = table.stdioFiles.try_emplace(file);
    if (!inserted)
        stale = std::move(slot->second);
    slot->second = std::move(open);
    return file;
}

int CloseSharedStdio(FILE *file)
{
    if (file == nullptr)
        return EOF;
    StdioOpen open;
    {
        Table &table = TheTable();
        std::lock_guard lock(table.mutex);
        const auto found = table.stdioFiles.find(file);
        if (found != table.stdioFiles.end()) {
            open = std::move(found->second);
            table.stdioFiles.erase(found);
        }
    }
    // `open` leaves the table and frees the buffer when this function
    // returns: after the lock, and after fclose has flushed the buffer.
    return fclose(file);
}
