// Fuzz target: arbitrary bytes opened as a container. Every entry is listed,
// looked up by its name, read through KFile_Read and extracted to memory by
// index, by name and through both loaders, and each result is checked against
// what the bytes themselves say.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

#include "container/kfile.h"
#include "container/load_limit.h"
#include "fuzz/fuzz_support.h"
#include "platform/exceptions.h"
#include "platform/graphic.h"
#include "platform/memory_stream.h"
#include "platform/string_list.h"

namespace {

// Small, so that inputs of a few kilobytes can reach it.
constexpr std::size_t kLoadLimit = 1 << 20;

QuietPresenter *presenter;

// The bytes of the file that belong to entry `info`: its stored range, cut
// at the end of the file.
std::string_view StoredPayload(std::string_view file, const KFileReader &reader, const KFileInfo &info)
{
    const std::int64_t start = reader.base + std::int64_t{info.offset};
    const std::int64_t end = start + std::int64_t{info.size};
    const auto fileSize = static_cast<std::int64_t>(file.size());
    if (start >= fileSize)
        return {};
    return file.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(std::min(end, fileSize) - start));
}

// Reads the selected entry to its end with KFile_Read, as a caller would.
std::string ReadSelected(KFileReader &reader)
{
    std::string bytes;
    char buffer[700]; // not a divisor of the codec's or the copies' pieces
    for (;;) {
        const int32_t got = KFile_Read(buffer, 1, sizeof buffer, &reader);
        FUZZ_CHECK(got >= 0 && got <= static_cast<int32_t>(sizeof buffer));
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// The outcome of extracting one entry, to compare the ways of extracting it.
struct Extraction {
    bool ok;
    std::int64_t size;
    std::uint32_t crc;
};

Extraction ExtractIndex(KFileReader &reader, int32_t index)
{
    ChecksumStream out;
    const long before = presenter->messages;
    const bool ok = KFile_ExtractIndexToStream(&out, index, &reader);
    const long shown = presenter->messages - before;
    FUZZ_CHECK(shown == (ok ? 0 : 1));
    return {ok, out.Size(), out.crc};
}

void CheckEntry(std::string_view file, KFileReader &reader, int32_t index, std::vector<Extraction> &done)
{
    const KFileInfo *info = KFile_GetInfo(&reader, index);
    FUZZ_CHECK(info == &reader.directory[index]);
    FUZZ_CHECK(memchr(info->name, '\0', KFILE_NAME_SIZE) != nullptr);
    const std::string name(info->name);

    // The first entry of this name is this one or an earlier one.
    const int32_t first = KFile_FindIndex(&reader, name.c_str());
    FUZZ_CHECK(first >= 0 && first <= index);
    FUZZ_CHECK(KFile_CompareName(reader.directory[first].name, name.c_str()) == 0);
    FUZZ_CHECK(KFile_FindInfo(&reader, name.c_str()) == &reader.directory[first]);
    FUZZ_CHECK(KFile_SelectName(name.c_str(), &reader) == 1 && reader.current == &reader.directory[first]);

    // KFile_Read yields the stored range exactly, as far as the file holds it.
    const std::string_view stored = StoredPayload(file, reader, *info);
    FUZZ_CHECK(KFile_SelectIndex(index, &reader) == 1 && reader.current == info);
    FUZZ_CHECK(ReadSelected(reader) == stored);
    FUZZ_CHECK(KFile_Read(nullptr, 0, 1, &reader) == 0);

    Extraction result = ExtractIndex(reader, index);
    if ((info->flags & KFILE_FLAG_COMPRESSED) == 0) {
        FUZZ_CHECK(result.ok);
        FUZZ_CHECK(result.size == static_cast<std::int64_t>(stored.size()));
        FUZZ_CHECK(result.crc == crc32(0, reinterpret_cast<const unsigned char *>(stored.data()),
                                       static_cast<unsigned>(stored.size())));
    } else {
        const InflateVerdict verdict = InflateWithZlib(stored);
        FUZZ_CHECK(result.ok == verdict.ok);
        if (verdict.ok)
            FUZZ_CHECK(result.size == verdict.size && result.crc == verdict.crc);
        else
            FUZZ_CHECK(result.size % 1024 == 0 && result.size <= verdict.size);
    }
    done.push_back(result);

    // By name: always the first entry of the name.
    ChecksumStream byName;
    const long before = presenter->messages;
    const bool ok = KFile_ExtractToStream(&byName, name.c_str(), &reader);
    FUZZ_CHECK(presenter->messages - before == (ok ? 0 : 1));
    FUZZ_CHECK(ok == done[first].ok && byName.Size() == done[first].size && byName.crc == done[first].crc);

    if (first != index)
        return;
    // The loaders: the whole content in memory, up to the bound, and the
    // object untouched unless it loaded.
    const bool tooLarge = result.size > static_cast<std::int64_t>(kLoadLimit);
    std::size_t lineCount = 0;
    if (result.ok && !tooLarge) {
        TMemoryStream content;
        FUZZ_CHECK(KFile_ExtractIndexToStream(&content, index, &reader));
        lineCount = LineCount(content.Bytes());
    }
    const bool tooManyLines = lineCount > kLoadLimit / sizeof(std::string);
    TStringList lines;
    lines.Add("before");
    bool threw = false;
    try {
        const bool loaded = KFile_ExtractToStrings(name.c_str(), &lines, &reader);
        FUZZ_CHECK(loaded == result.ok);
        if (loaded)
            FUZZ_CHECK(static_cast<std::size_t>(lines.Count()) == lineCount);
    } catch (const EOutOfMemory &) {
        threw = true;
    }
    FUZZ_CHECK(threw == (tooLarge || tooManyLines));
    if (threw || !result.ok)
        FUZZ_CHECK(lines.Count() == 1 && lines.Strings(0) == "before");

    TBitmap bitmap;
    threw = false;
    try {
        FUZZ_CHECK(KFile_ExtractToGraphic(name.c_str(), &bitmap, &reader) == result.ok);
        FUZZ_CHECK(static_cast<std::int64_t>(bitmap.Data().size()) == (result.ok ? result.size : 0));
    } catch (const EInvalidGraphic &) {
        FUZZ_CHECK(result.ok && !tooLarge);
    } catch (const EOutOfMemory &) {
        threw = true;
    }
    FUZZ_CHECK(threw == tooLarge);
    if (!result.ok || threw)
        FUZZ_CHECK(bitmap.Empty());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    presenter = &InstallQuietPresenter();
    KFile_SetLoadLimit(kLoadLimit);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FuzzInputFile input;
    const std::string_view file(reinterpret_cast<const char *>(data), size);
    input.Replace(file);

    const bool signature = file.substr(0, 7) == "KOMBREL";
    FUZZ_CHECK(KFile_CheckSignature(input.Path(), "KOMBREL") == (signature ? 1 : 0));

    KFileReader reader;
    if (!KFile_Open(input.Path(), &reader)) {
        // A refused file leaves an empty record that closes harmlessly.
        FUZZ_CHECK(reader.file == nullptr && reader.count == 0 && reader.directory == nullptr);
        FUZZ_CHECK(KFile_GetInfo(&reader, 0) == nullptr && KFile_FindIndex(&reader, "") == -1);
        FUZZ_CHECK(KFile_Close(&reader) == 0);
        return 0;
    }
    // The directory lies within the file: nothing was allocated for more.
    FUZZ_CHECK(reader.count >= 0);
    FUZZ_CHECK(reader.base == KFILE_HEADER_SIZE + std::int64_t{KFILE_INFO_SIZE} * reader.count);
    FUZZ_CHECK(reader.base <= static_cast<std::int64_t>(size));
    FUZZ_CHECK(reader.current == nullptr);

    KFileHeader header;
    FUZZ_CHECK(KFile_ReadHeader(&reader, &header) == 1);
    FUZZ_CHECK((KFile_CompareSignature(&header, "KOMBREL") == 0) == signature);
    FUZZ_CHECK(header.count == reader.count);

    std::vector<Extraction> done;
    for (int32_t i = 0; i < reader.count; ++i)
        CheckEntry(file, reader, i, done);

    FUZZ_CHECK(KFile_GetInfo(&reader, reader.count) == nullptr);
    FUZZ_CHECK(KFile_SelectIndex(reader.count, &reader) == 0 && reader.current == nullptr);
    FUZZ_CHECK(KFile_SelectIndex(-1, &reader) == 0 && reader.current == nullptr);
    FUZZ_CHECK(KFile_Close(&reader) == 0);
    return 0;
}
