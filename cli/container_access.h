// Opening a container for the read-side commands, and the facts about its
// entries that they check before trusting them.
#ifndef KOMBREL_CLI_CONTAINER_ACCESS_H
#define KOMBREL_CLI_CONTAINER_ACCESS_H

#include <cstdint>
#include <string>

#include "container/kfile.h"
#include "platform/stream.h"

// Opens the container after testing its signature; complains and returns
// false when the file cannot be opened, is not a container, or its directory
// does not fit in it. The reader closes itself.
class OpenedContainer {
public:
    bool Open(const std::string &path);
    ~OpenedContainer();

    KFileReader reader{};
    std::int64_t fileSize = 0;
};

// The entry's name: its field up to the first zero, or all 256 bytes.
std::string EntryName(const KFileInfo &info);

// Whether the entry's payload lies wholly inside the file.
bool PayloadInsideFile(const OpenedContainer &container, const KFileInfo &info);

// A stream that takes every byte and keeps only their number.
class CountingStream : public TStream {
public:
    std::size_t Read(void *, std::size_t) override { return 0; }
    std::size_t Write(const void *, std::size_t count) override
    {
        size_ += static_cast<std::int64_t>(count);
        return count;
    }
    std::int64_t Position() const override { return size_; }
    void SetPosition(std::int64_t) override {}
    std::int64_t Size() const override { return size_; }

private:
    std::int64_t size_ = 0;
};

#endif
