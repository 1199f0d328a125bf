// File sharing as Windows enforces it, kept by this process for itself.
//
// Every open of a file names what it asks for (reading, writing or both) and
// what it denies to other opens of the same file while it lasts. An open is
// refused when it would take an access that an earlier open denies, or deny an
// access that an earlier open holds. Linux enforces none of this, so the
// process keeps a table of its own opens (by device and inode) and checks it
// before a file is used, and before a file that is being replaced is
// truncated. Other processes are not seen.
//
// The program's file streams and the container unit's stdio files both go
// through this table, so a file being built cannot be read as a source and a
// container being read cannot be replaced by an extracted file.
#ifndef KOMBREL_PLATFORM_FILE_SHARING_H
#define KOMBREL_PLATFORM_FILE_SHARING_H

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

enum class FileAccess { Read, Write, ReadWrite };

// What an open denies to every other open of the same file.
enum class FileShare { DenyNone, DenyWrite, DenyReadWrite };

struct FileIdentity {
    dev_t device;
    ino_t inode;
};

// Whether an open with this access and sharing conflicts with one that this
// process holds on the same file.
bool SharingConflicts(const FileIdentity &file, FileAccess access, FileShare share);

// One open held in the table for the lifetime of the object.
class SharingEntry {
public:
    SharingEntry() = default;
    SharingEntry(const FileIdentity &file, FileAccess access, FileShare share);
    ~SharingEntry();
    SharingEntry(SharingEntry &&other) noexcept;
    SharingEntry &operator=(SharingEntry &&other) noexcept;
    SharingEntry(const SharingEntry &) = delete;
    SharingEntry &operator=(const SharingEntry &) = delete;

private:
    void Release();
    std::uint64_t token_ = 0; // 0: holds nothing
};

// Size of the buffer that OpenSharedStdio gives every file it opens.
inline constexpr std::size_t kStdioBufferSize = 256 * 1024;

// fopen for the container unit's files, each with a buffer of
// kStdioBufferSize bytes. The C runtime denies nothing to other
// opens, so the open is refused only when an open this process holds denies
// its access. Mode strings are those of fopen ("rb", "wb", "w+b", ...); a
// file opened with "w" is truncated only after the check. Returns null with
// errno set (EACCES on a sharing conflict) when the open fails.
FILE *OpenSharedStdio(const char *path, const char *mode);

// Removes the file from the table and closes it; fclose's result.
int CloseSharedStdio(FILE *file);

#endif
