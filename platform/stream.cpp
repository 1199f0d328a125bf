#include "platform/stream.h"

#include "platform/exceptions.h"

void TStream::WriteBuffer(const void *buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError();
}

std::string ReadToEnd(TStream &stream)
{
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const std::size_t got = stream.Read(buffer, sizeof buffer);
        if (got == 0)
            return bytes;
        bytes.append(buffer, got);
    }
}
