// kombrel pack: the same build as the wizard's link job, from the command line.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdlib.h>
#include <unistd.h>

#include "cli/commands.h"
#include "cli/console.h"
#include "container/kfile.h"
#include "platform/exceptions.h"
#include "platform/file_stream.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

// The writer spools into the current directory under fixed names. A private
// folder beside the container keeps concurrent packs apart and the spool on
// the container's file system; it is the current directory while it exists.
class ScratchFolder {
public:
    explicit ScratchFolder(const fs::path &near) : previous_(fs::current_path())
    {
        std::string pattern = (near / ".kombrel-pack-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a work folder in " + near.string() + ": " + std::strerror(errno));
        path_ = pattern;
        fs::current_path(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

private:
    fs::path previous_;
    fs::path path_;
};

// Adds one source; false after complaining.
bool AddSource(KFileWriter &writer, const PackSource &source, const fs::path &absolute)
{
    try {
        TFileStream stream(absolute.string(), FileMode::OpenRead);
        const std::string name = ExtractFileName(source.path);
        if (source.compressed ? KFile_AddStreamCompressed(&writer, &stream, name.c_str())
                              : KFile_AddStream(&writer, &stream, name.c_str()))
            return true;
        Complain(source.path + ": compression failed");
    } catch (const Exception &) {
        Complain(source.path + ": cannot open the file");
    }
    return false;
}

} // namespace

int RunPack(const Invocation &inv)
{
    // Every path is made absolute before the work folder becomes current.
    const fs::path container = fs::absolute(inv.container);
    std::vector<fs::path> sources;
    for (const PackSource &source : inv.sources)
        sources.push_back(fs::absolute(source.path));

    std::unique_ptr<ScratchFolder> scratch;
    try {
        scratch = std::make_unique<ScratchFolder>(container.parent_path());
    } catch (const std::exception &e) {
        Complain(e.what());
        return 1;
    }

    KFileWriter writer;
    KFile_FileKombrel_Init(&writer);
    KFile_SetSignature(writer.header.signature, "KOMBREL");
    if (!KFile_FileKombrel_Start(&writer, container.c_str())) {
        Complain(inv.container + ": cannot create the container");
        return 1;
    }

    Progress progress("packing", static_cast<long>(sources.size()));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        progress.Step(static_cast<long>(i));
        if (!AddSource(writer, inv.sources[i], sources[i])) {
            // No half-built container is left behind looking finished.
            KFile_FileKombrel_Abort(&writer);
            std::error_code ignored;
            fs::remove(container, ignored);
            return 1;
        }
    }
    if (!KFile_FileKombrel_End(&writer)) {
        Complain(inv.container + ": writing the container failed (disk full, or larger than 2 GiB)");
        std::error_code ignored;
        fs::remove(container, ignored);
        return 1;
    }
    return 0;
}
