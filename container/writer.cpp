// The container writer: spools finished directory records and payload bytes
// into two temporaries in the current directory and assembles the container
// when the last entry has been added, since the data area's start depends on
// the final count.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "container/kfile.h"
#include "container/kfile_record.h"
#include "platform/codepage.h"
#include "platform/file_sharing.h"

static const char kHeaderTempName[] = "$LHTEMP$.TMP";
static const char kDataTempName[] = "$LDTEMP$.TMP";
static const char kDefaultSignature[] = "KOMBREL";
static const char kDefaultComment[] = "Create by \"Kombrel file unit Rev.8\"";

void KFile_InfoClear(KFileInfo *info)
{
    info->name[0] = '\0';
    info->flags = 0;
    info->reserved = 0;
    info->offset = 0;
    info->size = 0;
}

void KFile_HeaderInit(KFileHeader *header)
{
    memset(header->signature, 0, sizeof header->signature);
    memset(header->comment, 0, sizeof header->comment);
    memcpy(header->signature, kDefaultSignature, sizeof kDefaultSignature);
    memcpy(header->comment, kDefaultComment, sizeof kDefaultComment);
    header->count = 0;
}

int KFile_SetSignature(char *signature, const char *text)
{
    memset(signature, 0, KFILE_SIGNATURE_SIZE);
    int copied = 0;
    while (copied < KFILE_SIGNATURE_SIZE && text[copied] != '\0') {
        signature[copied] = text[copied];
        ++copied;
    }
    return copied;
}

void KFile_FileKombrel_Init(KFileWriter *writer)
{
    writer->file = nullptr;
    writer->headerTemp = nullptr;
    writer->dataTemp = nullptr;
    KFile_HeaderInit(&writer->header);
    memset(&writer->current, 0, sizeof writer->current);
    writer->failed = 0;
}

static void CloseIfOpen(FILE **file)
{
    if (*file != nullptr)
        CloseSharedStdio(*file);
    *file = nullptr;
}

int KFile_FileKombrel_Start(KFileWriter *writer, const char *path)
{
    writer->failed = 0;
    writer->file = OpenSharedStdio(path, "wb");
    if (writer->file == nullptr)
        return 0;
    writer->headerTemp = OpenSharedStdio(kHeaderTempName, "w+b");
    if (writer->headerTemp == nullptr) {
        CloseIfOpen(&writer->file);
        return 0;
    }
    writer->dataTemp = OpenSharedStdio(kDataTempName, "w+b");
    if (writer->dataTemp == nullptr) {
        CloseIfOpen(&writer->headerTemp);
        CloseIfOpen(&writer->file);
        return 0;
    }
    return 1;
}

// Position of the data temporary as a format offset; marks the build failed
// when it cannot be taken or no longer fits the format.
static uint32_t DataPosition(KFileWriter *writer)
{
    const long position = ftell(writer->dataTemp);
    if (position < 0 || position > KFILE_MAX_POSITION) {
        writer->failed = 1;
        return 0;
    }
    return static_cast<uint32_t>(position);
}

void KFile_EntryBegin(KFileWriter *writer, const char *name)
{
    KFile_InfoClear(&writer->current);
    const std::string_view text = name != nullptr ? name : "";
    // A name longer than the field is cut on a character boundary, so the
    // stored name is always whole characters and always zero-terminated.
    const std::size_t length = CharBoundaryAtOrBefore(text, KFILE_NAME_SIZE - 1, RunningCodePage());
    memcpy(writer->current.name, text.data(), length);
    writer->current.name[length] = '\0';
    writer->current.offset = DataPosition(writer);
}

int KFile_EntryWrite(const void *buffer, int size, int count, KFileWriter *writer)
{
    if (size <= 0 || count <= 0)
        return 0;
    const size_t written = fwrite(buffer, static_cast<size_t>(size), static_cast<size_t>(count), writer->dataTemp);
    if (written < static_cast<size_t>(count))
        writer->failed = 1;
    return static_cast<int>(written);
}

void KFile_EntryEnd(KFileWriter *writer)
{
    writer->current.size = DataPosition(writer) - writer->current.offset;
    if (!KFile_WriteInfoFields(writer->headerTemp, &writer->current))
        writer->failed = 1;
    if (writer->header.count == INT32_MAX)
        writer->failed = 1;
    else
        ++writer->header.count;
}

int KFile_AddFile(KFileWriter *writer, const char *path, const char *name)
{
    FILE *source = OpenSharedStdio(path, "rb");
    if (source == nullptr)
        return 0;
    KFile_EntryBegin(writer, name);
    unsigned char buffer[KFILE_CHUNK];
    for (;;) {
        const size_t got = fread(buffer, 1, sizeof buffer, source);
        if (got == 0)
            break;
        KFile_EntryWrite(buffer, 1, static_cast<int>(got), writer);
        if (got < sizeof buffer)
            break;
    }
    // A source that could not be read to its end would leave a short entry.
    if (ferror(source))
        writer->failed = 1;
    KFile_EntryEnd(writer);
    CloseSharedStdio(source);
    return 1;
}

// Copies the finished records and then the payloads after the header.
static int AssembleContainer(KFileWriter *writer)
{
    int ok = KFile_WriteHeaderFields(writer->file, &writer->header);
    ok &= fseek(writer->headerTemp, 0, SEEK_SET) == 0;
    ok &= fseek(writer->dataTemp, 0, SEEK_SET) == 0;
    if (!ok)
        return 0;

    unsigned char record[KFILE_INFO_SIZE];
    while (fread(record, 1, sizeof record, writer->headerTemp) == sizeof record) {
        KFileInfo info;
        KFile_DecodeInfo(record, &info);
        ok &= KFile_WriteInfoFields(writer->file, &info);
    }
    ok &= !ferror(writer->headerTemp);

    unsigned char buffer[KFILE_CHUNK];
    for (;;) {
        const size_t got = fread(buffer, 1, sizeof buffer, writer->dataTemp);
        if (got == 0)
            break;
        ok &= fwrite(buffer, 1, got, writer->file) == got;
        if (got < sizeof buffer)
            break;
    }
    ok &= !ferror(writer->dataTemp);
    return ok;
}

// Whether the finished container would still be below 2^31 bytes.
static int FitsFormat(KFileWriter *writer)
{
    if (fseek(writer->dataTemp, 0, SEEK_END) != 0)
        return 0;
    const long dataLength = ftell(writer->dataTemp);
    if (dataLength < 0)
        return 0;
    const long long total = KFILE_HEADER_SIZE + static_cast<long long>(KFILE_INFO_SIZE) * writer->header.count + dataLength;
    return total <= KFILE_MAX_POSITION;
}

int KFile_FileKombrel_End(KFileWriter *writer)
{
    int ok = !writer->failed && FitsFormat(writer);
    if (ok)
        ok = AssembleContainer(writer);

    // Close and remove in every case; the first failure decides the result.
    FILE **files[] = {&writer->headerTemp, &writer->dataTemp, &writer->file};
    for (FILE **file : files) {
        if (*file != nullptr && CloseSharedStdio(*file) != 0)
            ok = 0;
        *file = nullptr;
    }
    remove(kHeaderTempName);
    remove(kDataTempName);
    return ok;
}

void KFile_FileKombrel_Abort(KFileWriter *writer)
{
    CloseIfOpen(&writer->headerTemp);
    CloseIfOpen(&writer->dataTemp);
    CloseIfOpen(&writer->file);
}
