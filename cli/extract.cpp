// kombrel extract: entries into files of a folder, never outside it.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/container_access.h"
#include "platform/entry_names.h"
#include "platform/exceptions.h"
#include "platform/file_stream.h"

namespace fs = std::filesystem;

namespace {

// The one spelling of all names that KFile_CompareName holds equal: a-z as
// A-Z, every other byte as it is.
std::string FoldedName(std::string_view name)
{
    std::string folded(name);
    for (char &c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

// The entries to extract: those named (first match of each), or every entry
// whose name no earlier entry already carries, since extraction by name always
// yields the first of equal names. Names seen are kept in a set: a lookup per
// entry would take time quadratic in the count, which a hostile directory
// makes millions long.
bool ChooseEntries(const Invocation &inv, KFileReader &reader, std::vector<int32_t> &chosen)
{
    bool allFound = true;
    if (inv.names.empty()) {
        std::unordered_set<std::string> seen;
        for (int32_t i = 0; i < reader.count; ++i)
            if (seen.insert(FoldedName(EntryName(*KFile_GetInfo(&reader, i)))).second)
                chosen.push_back(i);
        return true;
    }
    for (const std::string &name : inv.names) {
        const int32_t index = KFile_FindIndex(&reader, name.c_str());
        if (index < 0) {
            Complain(PrintableName(name) + ": no such entry");
            allFound = false;
        } else {
            chosen.push_back(index);
        }
    }
    return allFound;
}

// Extracts one entry; false after complaining. A file that could not be
// written whole is removed rather than left looking like the entry.
bool ExtractEntry(OpenedContainer &container, int32_t index, const fs::path &folder)
{
    const KFileInfo &info = *KFile_GetInfo(&container.reader, index);
    const std::string name = EntryName(info);
    if (!IsSafeEntryName(name)) {
        Complain(PrintableName(name) + ": refused, the name leads outside " + folder.string());
        return false;
    }
    if (!PayloadInsideFile(container, info)) {
        Complain(PrintableName(name) + ": damaged, its data runs past the end of the container");
        return false;
    }
    const std::string target = (folder / name).string();
    bool complete = false;
    try {
        TFileStream out(target, FileMode::Create);
        complete = KFile_ExtractIndexToStream(&out, index, &container.reader);
        if (complete)
            out.Flush();
        else
            Complain(PrintableName(name) + ": damaged, its data does not inflate");
    } catch (const EFCreateError &) {
        Complain(PrintableName(name) + ": cannot create " + PrintableName(target));
        return false;
    } catch (const Exception &e) {
        Complain(PrintableName(name) + ": " + e.Message());
    }
    if (!complete) {
        std::error_code ignored;
        fs::remove(target, ignored);
    }
    return complete;
}

} // namespace

int RunExtract(const Invocation &inv)
{
    std::error_code error;
    if (!fs::is_directory(inv.directory, error)) {
        Complain(inv.directory + ": no such folder");
        return 1;
    }
    OpenedContainer container;
    if (!container.Open(inv.container))
        return 1;

    std::vector<int32_t> chosen;
    int status = ChooseEntries(inv, container.reader, chosen) ? 0 : 1;
    Progress progress("extracting", static_cast<long>(chosen.size()));
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        progress.Step(static_cast<long>(i));
        if (!ExtractEntry(container, chosen[i], inv.directory))
            status = 1;
    }
    return status;
}
