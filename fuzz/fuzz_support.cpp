#include "fuzz/fuzz_support.h"

#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>

void FuzzCheckFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

FuzzInputFile::FuzzInputFile() : fd_(memfd_create("kombrel-fuzz-input", MFD_CLOEXEC))
{
    if (fd_ < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

FuzzInputFile::~FuzzInputFile()
{
    close(fd_);
}

void FuzzInputFile::Replace(std::string_view bytes)
{
    FUZZ_CHECK(ftruncate(fd_, 0) == 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        FUZZ_CHECK(wrote > 0);
        done += static_cast<std::size_t>(wrote);
    }
}

MsgResult QuietPresenter::ShowMessage(const MessageRequest &request)
{
    ++messages;
    lastText = request.text;
    return MsgResult::Ok;
}

FileDialogResult QuietPresenter::ShowFileDialog(const FileDialogRequest &)
{
    return FileDialogResult{};
}

QuietPresenter &InstallQuietPresenter()
{
    static QuietPresenter presenter;
    SetPresenter(&presenter);
    return presenter;
}

std::size_t ChecksumStream::Write(const void *buffer, std::size_t count)
{
    crc = static_cast<std::uint32_t>(crc32(crc, static_cast<const Bytef *>(buffer), static_cast<uInt>(count)));
    size_ += static_cast<std::int64_t>(count);
    ++writes;
    return count;
}

InflateVerdict InflateWithZlib(std::string_view payload)
{
    InflateVerdict verdict;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return verdict;
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(payload.data()));
    zs.avail_in = static_cast<uInt>(payload.size());
    unsigned char output[16384];
    for (;;) {
        zs.next_out = output;
        zs.avail_out = sizeof output;
        const int result = inflate(&zs, Z_NO_FLUSH);
        const std::size_t made = sizeof output - zs.avail_out;
        verdict.crc = static_cast<std::uint32_t>(crc32(verdict.crc, output, static_cast<uInt>(made)));
        verdict.size += static_cast<std::int64_t>(made);
        if (result == Z_STREAM_END) {
            verdict.ok = true;
            break;
        }
        if (result != Z_OK)
            break;
    }
    inflateEnd(&zs);
    return verdict;
}
