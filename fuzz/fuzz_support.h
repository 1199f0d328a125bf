// What the fuzz targets share: the input as a file that the container unit can
// open by path, a presenter that keeps the codec's boxes off the terminal, a
// stream that keeps only a checksum of what it is given, and zlib run
// directly as the independent judge of what a payload inflates to.
#ifndef KOMBREL_FUZZ_FUZZ_SUPPORT_H
#define KOMBREL_FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/presenter.h"
#include "platform/stream.h"

// Ends the process with a message when a property of the unit does not hold;
// libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))
[[noreturn]] void FuzzCheckFailed(const char *condition, const char *file, int line);

// One file for the life of the process, rewritten with every input. It lives
// in memory (memfd) and has a path under /proc/self/fd, so the unit opens it
// like any file while nothing is left on disk, whatever way the process ends.
class FuzzInputFile {
public:
    FuzzInputFile();
    ~FuzzInputFile();
    FuzzInputFile(const FuzzInputFile &) = delete;
    FuzzInputFile &operator=(const FuzzInputFile &) = delete;

    void Replace(std::string_view bytes);
    const char *Path() const { return path_.c_str(); }

private:
    int fd_;
    std::string path_;
};

// Answers every box at once and counts them, so a codec failure costs no
// output and can be checked: each false result of the codec shows exactly one.
class QuietPresenter : public Presenter {
public:
    MsgResult ShowMessage(const MessageRequest &request) override;
    FileDialogResult ShowFileDialog(const FileDialogRequest &request) override;

    long messages = 0;
    std::string lastText;
};

// Installs one QuietPresenter for the process and returns it.
QuietPresenter &InstallQuietPresenter();

// Takes every byte and keeps only their number and CRC-32, so that an entry
// inflating to gigabytes costs no memory.
class ChecksumStream : public TStream {
public:
    std::size_t Read(void *, std::size_t) override { return 0; }
    std::size_t Write(const void *buffer, std::size_t count) override;
    std::int64_t Position() const override { return size_; }
    void SetPosition(std::int64_t) override {}
    std::int64_t Size() const override { return size_; }

    std::uint32_t crc = 0;
    std::int64_t writes = 0;

private:
    std::int64_t size_ = 0;
};

// What zlib itself makes of a payload fed to inflate with no flushing: ok when
// the zlib stream ends inside the payload; then size and crc describe all of
// its output. Bytes after the stream's end are not looked at.
struct InflateVerdict {
    bool ok = false;
    std::int64_t size = 0;
    std::uint32_t crc = 0;
};
InflateVerdict InflateWithZlib(std::string_view payload);

#endif
