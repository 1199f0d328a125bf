// kombrel test: everything a reader could trip over, one line per problem.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/container_access.h"

int RunTest(const Invocation &inv)
{
    OpenedContainer container;
    if (!container.Open(inv.container))
        return 1;
    int problems = 0;
    auto report = [&](int32_t index, const KFileInfo &info, const char *what) {
        std::printf("entry %d (%s): %s\n", index, PrintableName(EntryName(info)).c_str(), what);
        ++problems;
    };
    Progress progress("testing", container.reader.count);
    for (int32_t i = 0; i < container.reader.count; ++i) {
        progress.Step(i);
        const KFileInfo &info = *KFile_GetInfo(&container.reader, i);
        if (!PayloadInsideFile(container, info)) {
            report(i, info, "payload runs past the end of the file");
            continue;
        }
        if (info.flags & KFILE_FLAG_COMPRESSED) {
            CountingStream content;
            if (!KFile_ExtractIndexToStream(&content, i, &container.reader))
                report(i, info, "compressed data does not inflate completely");
        }
    }
    return problems == 0 ? 0 : 1;
}
