// The container reader: loads the whole directory when a container is opened,
// finds entries by index or name and reads an entry's payload, reporting only
// the bytes that belong to it.
//
// Whatever the file holds, the reader allocates for and reads no more records
// than the file can contain, and computes every file position in 64 bits, so
// offsets and sizes near 2^32 never wrap.
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "container/kfile.h"
#include "container/kfile_record.h"
#include "platform/codepage.h"
#include "platform/file_sharing.h"

static void ClearReader(KFileReader *reader)
{
    reader->file = nullptr;
    reader->count = 0;
    reader->base = KFILE_HEADER_SIZE;
    reader->current = nullptr;
    reader->directory = nullptr;
}

// Length of an open regular file; -1 for anything else, which cannot be a
// container.
static int64_t RegularFileSize(FILE *file)
{
    struct stat status;
    if (fstat(fileno(file), &status) != 0 || !S_ISREG(status.st_mode))
        return -1;
    return status.st_size;
}

// A name that fills its whole field carries no zero. It is cut to the longest
// whole-character prefix that leaves room for one, so that every name the
// reader hands out is a zero-terminated text.
static void TerminateName(KFileInfo *info)
{
    if (memchr(info->name, '\0', KFILE_NAME_SIZE) != nullptr)
        return;
    const std::string_view field(info->name, KFILE_NAME_SIZE);
    info->name[CharBoundaryAtOrBefore(field, KFILE_NAME_SIZE - 1, RunningCodePage())] = '\0';
}

static int LoadDirectory(KFileReader *reader)
{
    reader->directory = static_cast<KFileInfo *>(calloc(reader->count > 0 ? reader->count : 1, sizeof(KFileInfo)));
    if (reader->directory == nullptr)
        return 0;
    if (fseeko(reader->file, KFILE_HEADER_SIZE, SEEK_SET) != 0)
        return 0;
    unsigned char record[KFILE_INFO_SIZE];
    for (int32_t i = 0; i < reader->count; ++i) {
        if (fread(record, 1, sizeof record, reader->file) != sizeof record)
            return 0;
        KFile_DecodeInfo(record, &reader->directory[i]);
        TerminateName(&reader->directory[i]);
    }
    return 1;
}

int KFile_Open(const char *path, KFileReader *reader)
{
    ClearReader(reader);
    reader->file = OpenSharedStdio(path, "rb");
    if (reader->file == nullptr)
        return 0;

    KFileHeader header;
    const int64_t fileSize = RegularFileSize(reader->file);
    int ok = fileSize >= KFILE_HEADER_SIZE && KFile_ReadHeader(reader, &header) == 1 && header.count >= 0;
    if (ok) {
        const int64_t base = KFILE_HEADER_SIZE + int64_t{KFILE_INFO_SIZE} * header.count;
        ok = base <= fileSize;
        reader->count = header.count;
        reader->base = base;
    }
    if (ok)
        ok = LoadDirectory(reader);
    if (!ok) {
        KFile_Close(reader);
        return 0;
    }
    return 1;
}

int KFile_Close(KFileReader *reader)
{
    free(reader->directory);
    const int result = reader->file != nullptr ? CloseSharedStdio(reader->file) : 0;
    ClearReader(reader);
    return result;
}

int KFile_ReadHeader(KFileReader *reader, KFileHeader *header)
{
    memset(header, 0, sizeof *header);
    if (reader->file == nullptr)
        return 0;
    fseeko(reader->file, 0, SEEK_SET);
    fread(header->signature, 1, KFILE_SIGNATURE_SIZE, reader->file);
    fread(header->comment, 1, KFILE_COMMENT_SIZE, reader->file);
    unsigned char count[4];
    if (fread(count, 1, sizeof count, reader->file) != sizeof count)
        return 0;
    header->count = static_cast<int32_t>(KFile_GetLE32(count));
    return 1;
}

KFileInfo *KFile_GetInfo(KFileReader *reader, int32_t index)
{
    if (index < 0 || index >= reader->count)
        return nullptr;
    return &reader->directory[index];
}

int KFile_CompareName(const char *a, const char *b)
{
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y)
            return x < y ? -1 : 1;
        if (x == '\0')
            return 0;
    }
}

int32_t KFile_FindIndex(KFileReader *reader, const char *name)
{
    if (name == nullptr)
        return -1;
    for (int32_t i = 0; i < reader->count; ++i) {
        if (KFile_CompareName(reader->directory[i].name, name) == 0)
            return i;
    }
    return -1;
}

KFileInfo *KFile_FindInfo(KFileReader *reader, const char *name)
{
    return KFile_GetInfo(reader, KFile_FindIndex(reader, name));
}

// Position just past the last byte of the current entry.
static int64_t CurrentEnd(const KFileReader *reader)
{
    return reader->base + int64_t{reader->current->offset} + int64_t{reader->current->size};
}

int KFile_SelectIndex(int32_t index, KFileReader *reader)
{
    reader->current = KFile_GetInfo(reader, index);
    if (reader->current == nullptr)
        return 0;
    fseeko(reader->file, reader->base + int64_t{reader->current->offset}, SEEK_SET);
    return 1;
}

int KFile_SelectName(const char *name, KFileReader *reader)
{
    return KFile_SelectIndex(KFile_FindIndex(reader, name), reader);
}

int32_t KFile_Read(void *buffer, uint32_t size, uint32_t count, KFileReader *reader)
{
    if (reader->current == nullptr || size == 0 || count == 0)
        return 0;
    // The read itself is not shortened at the entry's end; only the count of
    // elements reported is.
    int64_t n = static_cast<int64_t>(fread(buffer, size, count, reader->file));
    const int64_t position = ftello(reader->file);
    const int64_t end = CurrentEnd(reader);
    if (position > end)
        n -= (position - end) / size;
    if (n < 0)
        return 0;
    return n > INT32_MAX ? INT32_MAX : static_cast<int32_t>(n);
}

int KFile_CompareSignature(const KFileHeader *header, const char *text)
{
    for (int i = 0; i < KFILE_SIGNATURE_SIZE; ++i) {
        if (text[i] == '\0')
            return 0;
        if (text[i] != header->signature[i])
            return 1;
    }
    return 0;
}

int KFile_CheckSignature(const char *path, const char *text)
{
    FILE *file = OpenSharedStdio(path, "rb");
    if (file == nullptr)
        return 0;
    const size_t length = strlen(text);
    int matches = 1;
    for (size_t i = 0; i < length; ++i) {
        const int byte = fgetc(file);
        if (byte == EOF || static_cast<char>(byte) != text[i])
            matches = 0;
    }
    CloseSharedStdio(file);
    return matches;
}
