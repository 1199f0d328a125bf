// Byte layout of the header and the directory record, shared by the writer and
// the reader. Each field is its own little-endian piece; no structure is ever
// written or read as a whole.
#ifndef KOMBREL_CONTAINER_KFILE_RECORD_H
#define KOMBREL_CONTAINER_KFILE_RECORD_H

#include <cstdint>
#include <cstdio>

#include "container/kfile.h"

inline void KFile_PutLE32(unsigned char *p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

inline uint32_t KFile_GetLE32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Writes the header as signature (8), comment (256), count (4). 1 when all
// three writes succeeded.
int KFile_WriteHeaderFields(FILE *file, const KFileHeader *header);

// Writes a record as name (256), flags, reserved, offset, size (4 each).
// 1 when all five writes succeeded.
int KFile_WriteInfoFields(FILE *file, const KFileInfo *info);

// Decodes one 272-byte record as the format lays it out.
void KFile_DecodeInfo(const unsigned char *bytes, KFileInfo *info);

#endif
