// kombrel list: the directory, one line per entry.
#include <cstdio>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/container_access.h"

int RunList(const Invocation &inv)
{
    OpenedContainer container;
    if (!container.Open(inv.container))
        return 1;
    int status = 0;
    for (int32_t i = 0; i < container.reader.count; ++i) {
        const KFileInfo &info = *KFile_GetInfo(&container.reader, i);
        const bool compressed = (info.flags & KFILE_FLAG_COMPRESSED) != 0;
        std::printf("%6d %12u %-7s ", i, info.size, compressed ? "deflate" : "store");
        if (inv.longListing) {
            // Content sizes are only claimed for payloads that are all there.
            CountingStream content;
            bool measured = PayloadInsideFile(container, info);
            if (measured && compressed)
                measured = KFile_ExtractIndexToStream(&content, i, &container.reader);
            if (measured)
                std::printf("%12lld ", static_cast<long long>(compressed ? content.Size() : info.size));
            else {
                std::printf("%12s ", "?");
                status = 1;
            }
        }
        std::printf("%s\n", PrintableName(EntryName(info)).c_str());
    }
    return status;
}
