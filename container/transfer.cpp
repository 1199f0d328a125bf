// Entry transfer: adds entries from streams, plain or compressed, and writes
// entries to streams, inflated when their compressed bit is set. Plain copies
// move 2048 bytes at a time; memory streams live only inside one call.
#include "container/kfile.h"
#include "container/load_limit.h"
#include "platform/exceptions.h"
#include "platform/graphic.h"
#include "platform/memory_stream.h"
#include "platform/string_list.h"

namespace {

std::size_t loadLimit = KFILE_LOAD_LIMIT;

} // namespace

std::size_t KFile_SetLoadLimit(std::size_t limit)
{
    const std::size_t previous = loadLimit;
    loadLimit = limit;
    return previous;
}

bool KFile_AddStreamFlagged(KFileWriter *writer, TStream *source, const char *name, bool compressed)
{
    KFile_EntryBegin(writer, name);
    if (compressed)
        writer->current.flags |= KFILE_FLAG_COMPRESSED;
    unsigned char buffer[KFILE_CHUNK];
    for (;;) {
        const std::size_t got = source->Read(buffer, sizeof buffer);
        if (got == 0)
            break;
        KFile_EntryWrite(buffer, 1, static_cast<int>(got), writer);
        if (got < sizeof buffer)
            break;
    }
    KFile_EntryEnd(writer);
    return true;
}

bool KFile_AddStream(KFileWriter *writer, TStream *source, const char *name)
{
    return KFile_AddStreamFlagged(writer, source, name, false);
}

bool KFile_AddStreamCompressed(KFileWriter *writer, TStream *source, const char *name)
{
    // The whole payload is made before the entry begins, so a failed
    // compression leaves no partial entry.
    TMemoryStream payload;
    if (!KFile_DeflateStream(source, &payload))
        return false;
    payload.SetPosition(0);
    return KFile_AddStreamFlagged(writer, &payload, name, true);
}

bool KFile_ExtractToStream(TStream *destination, const char *name, KFileReader *reader)
{
    return KFile_ExtractIndexToStream(destination, KFile_FindIndex(reader, name), reader);
}

bool KFile_ExtractIndexToStream(TStream *destination, int32_t index, KFileReader *reader)
{
    if (!KFile_SelectIndex(index, reader))
        return false;
    if (reader->current->flags & KFILE_FLAG_COMPRESSED)
        return KFile_InflateEntry(destination, reader);
    unsigned char buffer[KFILE_CHUNK];
    for (;;) {
        const int32_t got = KFile_Read(buffer, 1, sizeof buffer, reader);
        if (got == 0)
            break;
        destination->WriteBuffer(buffer, static_cast<std::size_t>(got));
        if (got < static_cast<int32_t>(sizeof buffer))
            break;
    }
    return true;
}

bool KFile_ExtractToGraphic(const char *name, TGraphic *graphic, KFileReader *reader)
{
    TMemoryStream content(loadLimit);
    if (!KFile_ExtractToStream(&content, name, reader))
        return false;
    content.SetPosition(0);
    graphic->LoadFromStream(content);
    return true;
}

bool KFile_ExtractToStrings(const char *name, TStrings *strings, KFileReader *reader)
{
    TMemoryStream content(loadLimit);
    if (!KFile_ExtractToStream(&content, name, reader))
        return false;
    // Each line costs a string record besides its bytes, so a text of empty
    // lines would cost thirty times the bound; the records get the same bound.
    if (LineCount(content.Bytes()) > loadLimit / sizeof(std::string))
        throw EOutOfMemory();
    content.SetPosition(0);
    strings->LoadFromStream(content);
    return true;
}
