#include "container/kfile_record.h"

static int WriteLE32(FILE *file, uint32_t value)
{
    unsigned char bytes[4];
    KFile_PutLE32(bytes, value);
    return fwrite(bytes, 1, 4, file) == 4;
}

int KFile_WriteHeaderFields(FILE *file, const KFileHeader *header)
{
    int ok = fwrite(header->signature, 1, KFILE_SIGNATURE_SIZE, file) == KFILE_SIGNATURE_SIZE;
    ok &= fwrite(header->comment, 1, KFILE_COMMENT_SIZE, file) == KFILE_COMMENT_SIZE;
    ok &= WriteLE32(file, static_cast<uint32_t>(header->count));
    return ok;
}

int KFile_WriteInfoFields(FILE *file, const KFileInfo *info)
{
    int ok = fwrite(info->name, 1, KFILE_NAME_SIZE, file) == KFILE_NAME_SIZE;
    ok &= WriteLE32(file, info->flags);
    ok &= WriteLE32(file, info->reserved);
    ok &= WriteLE32(file, info->offset);
    ok &= WriteLE32(file, info->size);
    return ok;
}

void KFile_DecodeInfo(const unsigned char *bytes, KFileInfo *info)
{
    for (int i = 0; i < KFILE_NAME_SIZE; ++i)
        info->name[i] = static_cast<char>(bytes[i]);
    info->flags = KFile_GetLE32(bytes + 256);
    info->reserved = KFile_GetLE32(bytes + 260);
    info->offset = KFile_GetLE32(bytes + 264);
    info->size = KFile_GetLE32(bytes + 268);
}
