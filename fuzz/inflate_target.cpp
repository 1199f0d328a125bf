// Fuzz target: arbitrary bytes as the payload of a compressed entry, inflated
// through the codec and judged against zlib run directly; then the same bytes
// deflated by the codec and inflated back, which must give them again.
#include <cstdint>
#include <string>
#include <string_view>

#include <zlib.h>

#include "container/kfile.h"
#include "fuzz/fuzz_support.h"
#include "platform/memory_stream.h"

namespace {

QuietPresenter *presenter;

void PutLE32(std::string &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

// A container whose one entry is `payload`, compressed bit set.
std::string CompressedEntryContainer(std::string_view payload)
{
    std::string bytes("KOMBREL", 8);
    bytes.resize(KFILE_HEADER_SIZE - 4, '\0');
    PutLE32(bytes, 1);
    bytes.append("payload");
    bytes.resize(KFILE_HEADER_SIZE + KFILE_NAME_SIZE, '\0');
    PutLE32(bytes, KFILE_FLAG_COMPRESSED);
    PutLE32(bytes, 0);
    PutLE32(bytes, 0);
    PutLE32(bytes, static_cast<std::uint32_t>(payload.size()));
    bytes.append(payload);
    return bytes;
}

// Inflates `payload` as the entry of a container file and checks the result
// against zlib's own verdict.
void CheckInflate(FuzzInputFile &file, std::string_view payload)
{
    file.Replace(CompressedEntryContainer(payload));
    KFileReader reader;
    FUZZ_CHECK(KFile_Open(file.Path(), &reader) == 1);
    FUZZ_CHECK(KFile_SelectIndex(0, &reader) == 1);

    ChecksumStream out;
    const long before = presenter->messages;
    const bool ok = KFile_InflateEntry(&out, &reader);
    const InflateVerdict verdict = InflateWithZlib(payload);
    FUZZ_CHECK(ok == verdict.ok);
    if (ok) {
        FUZZ_CHECK(presenter->messages == before);
        FUZZ_CHECK(out.Size() == verdict.size && out.crc == verdict.crc);
        // 1024-byte writes, then one of 1 to 1024 bytes unless nothing was made.
        FUZZ_CHECK(out.writes == (out.Size() + 1023) / 1024);
    } else {
        FUZZ_CHECK(presenter->messages == before + 1 && presenter->lastText == "zlib decompress fail");
        FUZZ_CHECK(out.Size() % 1024 == 0 && out.Size() <= verdict.size);
    }
    FUZZ_CHECK(KFile_Close(&reader) == 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    presenter = &InstallQuietPresenter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static FuzzInputFile file;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckInflate(file, bytes);

    // Whatever the bytes, deflating them gives one zlib stream of them.
    TMemoryStream source;
    source.WriteBuffer(bytes.data(), bytes.size());
    source.SetPosition(0);
    TMemoryStream compressed;
    FUZZ_CHECK(KFile_DeflateStream(&source, &compressed));
    const InflateVerdict back = InflateWithZlib(compressed.Bytes());
    FUZZ_CHECK(back.ok && back.size == static_cast<std::int64_t>(size));
    FUZZ_CHECK(back.crc == crc32(0, data, static_cast<unsigned>(size)));
    return 0;
}
