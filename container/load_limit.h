// The bound on what KFile_ExtractToGraphic and KFile_ExtractToStrings hold in
// memory. A compressed entry can inflate to about a thousand times its stored
// size, so without it a small hostile container could exhaust the machine;
// content that would pass it raises EOutOfMemory. A string list also keeps a
// record per line (sizeof(std::string) bytes), and those records have the same
// bound: more than KFILE_LOAD_LIMIT / sizeof(std::string) lines (8 Mi on
// 64-bit targets) raise EOutOfMemory as well.
#ifndef KOMBREL_CONTAINER_LOAD_LIMIT_H
#define KOMBREL_CONTAINER_LOAD_LIMIT_H

#include <cstddef>

// 256 MiB: far above any picture or text the loaders are meant for.
#define KFILE_LOAD_LIMIT (std::size_t{256} << 20)

// Replaces the bound and returns the previous one; for tests.
std::size_t KFile_SetLoadLimit(std::size_t limit);

#endif
