#include "cli/command_line.h"

#include <map>

namespace {

const std::map<std::string, Command> kCommands = {
    {"pack", Command::Pack}, {"list", Command::List}, {"extract", Command::Extract}, {"test", Command::Test}};

bool IsHelp(const std::string &a) { return a == "-h" || a == "--help"; }

// Options end at "--"; afterwards every argument is an operand.
struct ArgumentReader {
    const std::vector<std::string> &args;
    std::size_t next = 1;
    bool operandsOnly = false;

    bool Done() const { return next >= args.size(); }
    const std::string &Take() { return args[next++]; }
    bool IsOption(const std::string &a) const { return !operandsOnly && a.size() > 1 && a[0] == '-'; }
};

Invocation ParsePack(ArgumentReader &in, Invocation inv)
{
    bool compressed = false;
    while (!in.Done()) {
        const std::string &a = in.Take();
        if (in.IsOption(a)) {
            if (a == "--")
                in.operandsOnly = true;
            else if (a == "-z" || a == "--deflate")
                compressed = true;
            else if (a == "-s" || a == "--store")
                compressed = false;
            else
                throw UsageError("pack: unknown option '" + a + "'");
        } else if (inv.container.empty()) {
            inv.container = a;
        } else {
            inv.sources.push_back({a, compressed});
        }
    }
    if (inv.container.empty())
        throw UsageError("pack: missing container name");
    if (inv.sources.empty())
        throw UsageError("pack: no files to pack");
    return inv;
}

Invocation ParseList(ArgumentReader &in, Invocation inv)
{
    while (!in.Done()) {
        const std::string &a = in.Take();
        if (in.IsOption(a)) {
            if (a == "--")
                in.operandsOnly = true;
            else if (a == "-l" || a == "--long")
                inv.longListing = true;
            else
                throw UsageError(std::string(inv.command == Command::List ? "list" : "test") + ": unknown option '" + a + "'");
        } else if (inv.container.empty()) {
            inv.container = a;
        } else {
            throw UsageError("too many operands: '" + a + "'");
        }
    }
    if (inv.command == Command::Test && inv.longListing)
        throw UsageError("test: unknown option '--long'");
    if (inv.container.empty())
        throw UsageError("missing container name");
    return inv;
}

Invocation ParseExtract(ArgumentReader &in, Invocation inv)
{
    while (!in.Done()) {
        const std::string &a = in.Take();
        if (in.IsOption(a)) {
            if (a == "--") {
                in.operandsOnly = true;
            } else if (a == "-C" || a == "--directory") {
                if (in.Done())
                    throw UsageError("extract: " + a + " needs a folder");
                inv.directory = in.Take();
            } else if (a.rfind("--directory=", 0) == 0) {
                inv.directory = a.substr(12);
            } else {
                throw UsageError("extract: unknown option '" + a + "'");
            }
        } else if (inv.container.empty()) {
            inv.container = a;
        } else {
            inv.names.push_back(a);
        }
    }
    if (inv.container.empty())
        throw UsageError("extract: missing container name");
    if (inv.directory.empty())
        throw UsageError("extract: empty folder name");
    return inv;
}

} // namespace

Invocation ParseCommandLine(const std::vector<std::string> &arguments)
{
    Invocation inv;
    if (arguments.size() < 2)
        throw UsageError("missing command");
    const std::string &first = arguments[1];
    if (IsHelp(first))
        return inv;
    if (first == "--version") {
        inv.command = Command::Version;
        return inv;
    }
    const auto found = kCommands.find(first);
    if (found == kCommands.end())
        throw UsageError("unknown command '" + first + "'");
    inv.command = found->second;
    for (std::size_t i = 2; i < arguments.size() && arguments[i] != "--"; ++i)
        if (IsHelp(arguments[i])) {
            inv.helpFor = inv.command;
            inv.command = Command::Help;
            return inv;
        }

    ArgumentReader in{arguments, 2};
    switch (inv.command) {
    case Command::Pack: return ParsePack(in, inv);
    case Command::List:
    case Command::Test: return ParseList(in, inv);
    case Command::Extract: return ParseExtract(in, inv);
    case Command::Help:
    case Command::Version: break;
    }
    return inv;
}

std::string HelpText(Command command)
{
    switch (command) {
    case Command::Pack:
        return "Usage: kombrel pack CONTAINER [-z | -s] FILE...\n"
               "Build CONTAINER from the FILEs, in the order given. Each entry is named\n"
               "by the file-name part of its path. An existing CONTAINER is replaced.\n"
               "\n"
               "  -z, --deflate   store the files that follow deflate-compressed\n"
               "  -s, --store     store the files that follow unchanged (the default)\n"
               "  -h, --help      show this help\n";
    case Command::List:
        return "Usage: kombrel list [--long] CONTAINER\n"
               "Print one line per entry in directory order: index, stored size,\n"
               "method (store or deflate) and name. Names that are not text in the\n"
               "current locale are shown with \\xHH escapes.\n"
               "\n"
               "  -l, --long   also print the content size of each entry (compressed\n"
               "               entries are inflated to measure it)\n"
               "  -h, --help   show this help\n";
    case Command::Extract:
        return "Usage: kombrel extract CONTAINER [NAME...] [-C DIR]\n"
               "Extract every entry, or the entries NAMEd, into DIR (default: the current\n"
               "folder). Names match with ASCII letters case-folded; the first match wins.\n"
               "Existing files are replaced. Entries whose names would leave DIR, and\n"
               "damaged entries, are reported and skipped; the exit status is then 1.\n"
               "\n"
               "  -C, --directory DIR   extract into DIR, which must exist\n"
               "  -h, --help            show this help\n";
    case Command::Test:
        return "Usage: kombrel test CONTAINER\n"
               "Check the signature, that the directory and every payload lie inside the\n"
               "file, and that every compressed entry inflates completely. Prints one line\n"
               "per problem; exits 1 if there is any, 0 if none.\n";
    case Command::Help:
    case Command::Version: break;
    }
    return "Usage: kombrel COMMAND [OPTION]... CONTAINER [OPERAND]...\n"
           "Pack files into a Kombrel container and take them out again.\n"
           "\n"
           "Commands:\n"
           "  pack CONTAINER [-z | -s] FILE...   build a container from files\n"
           "  list [--long] CONTAINER            list the entries\n"
           "  extract CONTAINER [NAME...] [-C DIR]  extract all or the named entries\n"
           "  test CONTAINER                     check a container for damage\n"
           "\n"
           "  -h, --help     show this help, or a command's help after the command\n"
           "      --version  show the version\n"
           "\n"
           "Exit status: 0 on success, 1 when a file or container could not be\n"
           "handled, 2 on a usage error.\n"
           "\n"
           "Example:\n"
           "  kombrel pack notes.kmb -z *.txt -s photo.jpg\n"
           "  kombrel list notes.kmb\n"
           "  kombrel extract notes.kmb -C restored\n";
}
