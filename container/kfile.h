/* kfile.h: the Kombrel container unit.

   A container is one file with three regions and nothing between them:

     0                   header, 268 bytes (KFileHeader)
     268                 directory, 272 bytes per entry (KFileInfo), entry 0 first
     268 + 272 * count   data area: the payloads, entry 0 first

   Integers are 32-bit little-endian. A payload is the entry's bytes as they are
   or, when bit 31 of the record's flags is set, one zlib stream of them. Offsets
   count from the start of the data area. A container stays below 2^31 bytes.

   The unit is plain records and KFile_ functions. Functions that can fail return
   1 for success and 0 for failure unless their paragraph says otherwise. The
   record-level functions never throw and never show anything; the stream-level
   functions (codec and transfer) let the platform's stream and object errors
   pass to the caller after releasing what they made, and the codec reports its
   own failures through the platform's message presenter.

   Every file the unit opens is entered in the platform's sharing table
   (platform/file_sharing.h) while it is open, so that the program's file
   streams cannot read a container being built or replace one being read. */
#ifndef KOMBREL_CONTAINER_KFILE_H
#define KOMBREL_CONTAINER_KFILE_H

#include <cstdint>
#include <cstdio>

class TStream;
class TGraphic;
class TStrings;

enum {
    KFILE_HEADER_SIZE = 268,
    KFILE_INFO_SIZE = 272,
    KFILE_SIGNATURE_SIZE = 8,
    KFILE_COMMENT_SIZE = 256,
    KFILE_NAME_SIZE = 256,
    KFILE_CHUNK = 2048, /* plain copies move data in pieces of this size */
};

/* The compressed bit of KFileInfo.flags: the payload is a zlib stream. */
#define KFILE_FLAG_COMPRESSED 0x80000000u

/* Largest file position the format can describe. */
#define KFILE_MAX_POSITION 2147483647LL

struct KFileHeader {
    char signature[KFILE_SIGNATURE_SIZE]; /* "KOMBREL" and a zero as written */
    char comment[KFILE_COMMENT_SIZE];     /* zero-terminated free text */
    int32_t count;                        /* number of directory records */
};

struct KFileInfo {
    char name[KFILE_NAME_SIZE]; /* zero-terminated; bytes after the zero are not significant */
    uint32_t flags;             /* bit 31: compressed; other bits ignored */
    uint32_t reserved;
    uint32_t offset;            /* from the start of the data area */
    uint32_t size;              /* stored bytes */
};

/* State of one build. `failed` is sticky: set by any write, positioning or
   close that failed, or by an entry that would pass the format's size limit;
   KFile_FileKombrel_End then reports the build as failed. */
struct KFileWriter {
    FILE *file;       /* the container; receives all its bytes at the end */
    FILE *headerTemp; /* "$LHTEMP$.TMP": finished directory records */
    FILE *dataTemp;   /* "$LDTEMP$.TMP": payload bytes */
    KFileHeader header;
    KFileInfo current;
    int failed;
};

/* State of one open container. After a failed KFile_Open and after
   KFile_Close the record reads as empty: no entries, nothing to release. */
struct KFileReader {
    FILE *file;
    int32_t count;
    int64_t base;          /* file position of the data area: 268 + 272 * count */
    KFileInfo *current;    /* selected entry, inside directory, or null */
    KFileInfo *directory;  /* count records, owned */
};

/* ---- Writer ---------------------------------------------------------------

   Calling order: KFile_FileKombrel_Init; optionally KFile_SetSignature on
   header.signature; KFile_FileKombrel_Start, and nothing else unless it
   returned 1; per entry either KFile_EntryBegin, any number of
   KFile_EntryWrite, KFile_EntryEnd, or KFile_AddFile, or a stream adder;
   KFile_FileKombrel_End once. Records and payloads are spooled to the two
   temporaries in the current directory; the container file stays at length 0
   until the end.

   KFile_InfoClear: the name becomes empty (first byte 0, rest untouched);
   flags, reserved, offset and size become 0.

   KFile_HeaderInit: signature and comment zeroed, then the default signature
   "KOMBREL" and the default comment copied in; count 0.

   KFile_SetSignature: zeroes the 8-byte field and copies the text into it up
   to its zero or 8 bytes. Returns the number of bytes copied, 0 to 8.

   KFile_FileKombrel_Init: no files; default header. Also clears `current`
   and the failure mark.

   KFile_FileKombrel_Start: opens the container with "wb" (created or
   truncated), then "$LHTEMP$.TMP" and "$LDTEMP$.TMP" with "w+b". Returns 0 at
   the first open that fails, after closing what it had opened (nothing is
   removed); 1 when all three are open.

   KFile_EntryBegin: starts an entry: clears `current`, copies the name over
   its first bytes and takes the data temporary's position as its offset. A
   name longer than 255 bytes is cut to the longest whole-character prefix of
   at most 255 bytes in the running code page.

   KFile_EntryWrite: appends size * count bytes to the data temporary; returns
   the number of whole items written.

   KFile_EntryEnd: measures the size, appends `current` to the header
   temporary as one 272-byte record and counts the entry.

   KFile_AddFile: adds a disk file as a plain entry, copied in 2048-byte
   pieces. Returns 0, adding nothing, when the file cannot be opened; else 1.

   KFile_FileKombrel_End: writes header, directory and payloads to the
   container, closes all three files and removes both temporaries. Returns 1
   when every step succeeded. Returns 0 when any write, positioning or close of
   the build failed, or when the container would reach 2^31 bytes; in the
   last case nothing is written to the container, which stays at length 0. The
   files are closed and the temporaries removed in every case.

   KFile_FileKombrel_Abort: gives up a build part-way: closes whichever of the
   three files are open and removes nothing, so the container (length 0) and
   the temporaries with the entries finished so far stay where they are. */
void KFile_InfoClear(KFileInfo *info);
void KFile_HeaderInit(KFileHeader *header);
int KFile_SetSignature(char *signature, const char *text);
void KFile_FileKombrel_Init(KFileWriter *writer);
int KFile_FileKombrel_Start(KFileWriter *writer, const char *path);
void KFile_EntryBegin(KFileWriter *writer, const char *name);
int KFile_EntryWrite(const void *buffer, int size, int count, KFileWriter *writer);
void KFile_EntryEnd(KFileWriter *writer);
int KFile_AddFile(KFileWriter *writer, const char *path, const char *name);
int KFile_FileKombrel_End(KFileWriter *writer);
void KFile_FileKombrel_Abort(KFileWriter *writer);

/* ---- Reader ---------------------------------------------------------------

   KFile_Open: opens the path with "rb" and loads the whole directory. Returns
   1 when the file is open and its directory loaded. Returns 0 when the file
   cannot be opened, is no regular file, is shorter than the header, has a
   negative count or a directory that does not reach within the file, or the
   directory cannot be allocated or read; the file is then closed again and
   the record is empty (count 0, no directory, no current entry), so listing
   it yields nothing and KFile_Close on it is harmless. The signature is not
   looked at. Offsets and sizes are kept as stored, even when they point past
   the end of the file: such an entry reads what the file holds. A name field
   without a zero byte is cut to its longest whole-character prefix of at
   most 255 bytes, so every name in the directory is a zero-terminated text.

   KFile_Close: releases the directory and closes the file. Returns the close
   result, 0 when clean (also for an empty record). The record then reads as
   empty.

   KFile_ReadHeader: reads signature, comment and count from position 0.
   Returns 1 when the count was read in full.

   KFile_GetInfo: the record of entry `index`, or null when out of range.
   KFile_FindIndex / KFile_FindInfo: the first entry whose name equals `name`
   under KFile_CompareName; -1 / null when none does.

   KFile_SelectIndex: makes entry `index` current and positions the file at its
   first payload byte; 1, or 0 with no entry current when out of range.
   KFile_SelectName: KFile_SelectIndex on KFile_FindIndex of the name.

   KFile_Read: reads up to size * count bytes from the current position and
   returns how many elements belong to the current entry: elements wholly
   beyond its end are not counted, one that straddles it is, and the position
   is never moved back. Returns 0 when no entry is current or size is 0.

   KFile_CompareSignature: 0 when the text's own bytes (at most 8) equal the
   start of the header's signature, else 1.

   KFile_CheckSignature: 1 when the file begins with the text's bytes; 0 when
   it does not, is shorter, or cannot be opened.

   KFile_CompareName: the unit's name comparison: byte by byte up to and
   including the terminating zero, with only a-z folded to A-Z. Returns 0 when
   equal. */
int KFile_Open(const char *path, KFileReader *reader);
int KFile_Close(KFileReader *reader);
int KFile_ReadHeader(KFileReader *reader, KFileHeader *header);
KFileInfo *KFile_GetInfo(KFileReader *reader, int32_t index);
int32_t KFile_FindIndex(KFileReader *reader, const char *name);
KFileInfo *KFile_FindInfo(KFileReader *reader, const char *name);
int KFile_SelectIndex(int32_t index, KFileReader *reader);
int KFile_SelectName(const char *name, KFileReader *reader);
int32_t KFile_Read(void *buffer, uint32_t size, uint32_t count, KFileReader *reader);
int KFile_CompareSignature(const KFileHeader *header, const char *text);
int KFile_CheckSignature(const char *path, const char *text);
int KFile_CompareName(const char *a, const char *b);

/* ---- Codec ----------------------------------------------------------------

   Both functions pass data through zlib in 1024-byte pieces and report each
   of their own failures with an error box through the platform's presenter
   ("zlib initialize fail", "zlib compress fail", "zlib defateEnd fail",
   "zlib decompress fail", "zlib inflate_end error"), then return false. A
   stream error raised by a destination passes through after the zlib stream
   has been ended.

   KFile_DeflateStream: compresses the source from its position to its end into
   the destination as one zlib stream at the default level. true when the whole
   stream was written and zlib ended cleanly.

   KFile_InflateEntry: inflates the reader's current entry (selected by
   KFile_SelectIndex) into the destination, reading only through KFile_Read.
   true when the zlib stream ended, all output was written and zlib ended
   cleanly. */
bool KFile_DeflateStream(TStream *source, TStream *destination);
bool KFile_InflateEntry(TStream *destination, KFileReader *reader);

/* ---- Transfer -------------------------------------------------------------

   KFile_AddStreamFlagged: copies the source from its position to its end into
   one entry in 2048-byte pieces; with `compressed` the entry's flags are the
   compressed bit (the bytes are not compressed here). Returns true.
   KFile_AddStream: the same, plain.
   KFile_AddStreamCompressed: deflates the source into memory, then adds the
   result as a compressed entry. false, adding nothing, when the codec failed.

   KFile_ExtractIndexToStream: writes entry `index` to the destination, inflated
   when compressed. false when the index names no entry or the codec failed.
   KFile_ExtractToStream: the same for the first entry that matches the name;
   false when none does.

   KFile_ExtractToGraphic / KFile_ExtractToStrings: extract the named entry into
   memory and let the object load itself from it. true when extracted and
   loaded; false, the object untouched, otherwise. The object's own error on
   content it rejects passes to the caller. The content is held in memory up
   to a bound (container/load_limit.h, 256 MiB); an entry that inflates past
   it, or a text of more lines than the bound allows a string list to keep,
   raises EOutOfMemory. */
bool KFile_AddStreamFlagged(KFileWriter *writer, TStream *source, const char *name, bool compressed);
bool KFile_AddStream(KFileWriter *writer, TStream *source, const char *name);
bool KFile_AddStreamCompressed(KFileWriter *writer, TStream *source, const char *name);
bool KFile_ExtractToStream(TStream *destination, const char *name, KFileReader *reader);
bool KFile_ExtractIndexToStream(TStream *destination, int32_t index, KFileReader *reader);
bool KFile_ExtractToGraphic(const char *name, TGraphic *graphic, KFileReader *reader);
bool KFile_ExtractToStrings(const char *name, TStrings *strings, KFileReader *reader);

#endif
