// The kombrel program, run as a separate process the way scripts run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "container/kfile.h"
#include "platform/file_stream.h"
#include "tests/support/container_bytes.h"
#include "tests/support/run_process.h"
#include "tests/support/temp_dir.h"

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

ProcessResult Kombrel(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), KOMBREL_CLI);
    return RunProcess(arguments);
}

// A folder of files that covers the sizes around the copy chunks, empty
// files, text that compresses well and bytes that do not.
std::map<std::string, std::string> MixedFiles()
{
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += "line " + std::to_string(i) + " of some ordinary English text\n";
    return {{"empty.txt", ""},
            {"one.bin", "x"},
            {"chunk.bin", PatternBytes(2048, 2)},
            {"chunk-plus-one.bin", PatternBytes(2049, 3)},
            {"text.txt", text},
            {"random.bin", PatternBytes(1 << 20, 4)},
            {"\xe8\xa1\xa8.txt", "named in UTF-8"}};
}

class KombrelCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("LC_ALL", "C.UTF-8", 1); // the program shows names as text of this locale
        fs::create_directory("src");
        for (const auto &[name, bytes] : files)
            WriteFileBytes(fs::path("src") / name, bytes);
    }
    // Packs every file of src, compressing the ones whose name ends in "t" or
    // "n" alternately, and returns the arguments used.
    std::vector<std::string> PackArguments(const std::string &container)
    {
        std::vector<std::string> args = {"pack", container};
        bool compress = false;
        for (const auto &[name, bytes] : files) {
            args.push_back(compress ? "-z" : "-s");
            args.push_back("src/" + name);
            compress = !compress;
        }
        return args;
    }

    TempDir dir;
    std::map<std::string, std::string> files = MixedFiles();
};

TEST_F(KombrelCli, PackListTestExtractRoundTrip)
{
    ASSERT_EQ(Kombrel(PackArguments("all.kmb")).exitCode, 0);
    EXPECT_FALSE(fs::exists("$LHTEMP$.TMP") || fs::exists("$LDTEMP$.TMP"));

    const ProcessResult list = Kombrel({"list", "--long", "all.kmb"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    const std::string textLine = "deflate " + std::string(6, ' ') + std::to_string(files["text.txt"].size()) + " text.txt\n";
    EXPECT_NE(list.out.find(textLine), std::string::npos) << "content size of a compressed entry: " << list.out;
    EXPECT_NE(list.out.find(" store "), std::string::npos);
    EXPECT_NE(list.out.find("\xe8\xa1\xa8.txt"), std::string::npos) << "valid names are shown as they are";

    const ProcessResult test = Kombrel({"test", "all.kmb"});
    EXPECT_EQ(test.exitCode, 0) << test.out << test.err;
    EXPECT_EQ(test.out, "");

    fs::create_directory("out");
    const ProcessResult extract = Kombrel({"extract", "all.kmb", "-C", "out"});
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    for (const auto &[name, bytes] : files)
        EXPECT_EQ(ReadFileBytes(fs::path("out") / name), bytes) << name;
}

TEST_F(KombrelCli, ExtractsNamedEntriesByCaseFoldedFirstMatch)
{
    fs::create_directories("a");
    fs::create_directories("b");
    WriteFileBytes("a/Same.txt", "first");
    WriteFileBytes("b/same.TXT", "second");
    ASSERT_EQ(Kombrel({"pack", "dup.kmb", "a/Same.txt", "-z", "b/same.TXT"}).exitCode, 0);
    fs::create_directory("out");
    ASSERT_EQ(Kombrel({"extract", "dup.kmb", "SAME.txt", "-C", "out"}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes("out/Same.txt"), "first");
    EXPECT_FALSE(fs::exists("out/same.TXT"));

    const ProcessResult missing = Kombrel({"extract", "dup.kmb", "nothing", "-C", "out"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nothing: no such entry"), std::string::npos);
}

TEST_F(KombrelCli, ExtractingAllTakesTheFirstEntryOfEachFoldedName)
{
    WriteFileBytes("dup.kmb", ContainerBytes({
                                  {"Same.txt", "first"},
                                  {"SAME.TXT", "second"},
                                  {"\xc3\xa9.txt", "small e with acute"},
                                  {"\xc3\x89.txt", "capital E with acute"},
                                  {"same.txt", "third"},
                                  {"other", "other"},
                              }));
    fs::create_directory("out");
    const ProcessResult extract = Kombrel({"extract", "dup.kmb", "-C", "out"});
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    std::map<std::string, std::string> written;
    for (const fs::directory_entry &entry : fs::directory_iterator("out"))
        written[entry.path().filename().string()] = ReadFileBytes(entry.path());
    const std::map<std::string, std::string> expected = {
        {"Same.txt", "first"},
        {"\xc3\xa9.txt", "small e with acute"}, // bytes from 0x80 up are never folded
        {"\xc3\x89.txt", "capital E with acute"},
        {"other", "other"},
    };
    EXPECT_EQ(written, expected);
}

// The same files and flags through the unit's stream adders, as the link job
// adds them.
TEST_F(KombrelCli, PackWritesWhatTheStreamAddersWrite)
{
    ASSERT_EQ(Kombrel(PackArguments("cli.kmb")).exitCode, 0);

    KFileWriter writer;
    KFile_FileKombrel_Init(&writer);
    KFile_SetSignature(writer.header.signature, "KOMBREL");
    ASSERT_EQ(KFile_FileKombrel_Start(&writer, "unit.kmb"), 1);
    bool compress = false;
    for (const auto &[name, bytes] : files) {
        TFileStream source("src/" + name, FileMode::OpenRead);
        if (compress)
            KFile_AddStreamCompressed(&writer, &source, name.c_str());
        else
            KFile_AddStream(&writer, &source, name.c_str());
        compress = !compress;
    }
    ASSERT_EQ(KFile_FileKombrel_End(&writer), 1);
    EXPECT_TRUE(ReadFileBytes("cli.kmb") == ReadFileBytes("unit.kmb"));
}

TEST_F(KombrelCli, MissingSourceStopsThePackAndLeavesNoContainer)
{
    const ProcessResult r = Kombrel({"pack", "x.kmb", "src/one.bin", "src/no-such-file"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("src/no-such-file"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("x.kmb"));
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1) << "only src/ remains";
}

TEST_F(KombrelCli, PackingTheContainerIntoItselfIsRefused)
{
    WriteFileBytes("self.kmb", "old");
    const ProcessResult r = Kombrel({"pack", "self.kmb", "src/one.bin", "self.kmb"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("self.kmb: cannot open"), std::string::npos) << r.err;
}

// Builds a container whose names and records are given as they are.
void WriteContainer(const std::string &path, const std::vector<std::pair<std::string, std::string>> &entries)
{
    std::string directory, data;
    for (const auto &[name, payload] : entries) {
        directory += RecordBytes(name, 0, static_cast<uint32_t>(data.size()), static_cast<uint32_t>(payload.size()));
        data += payload;
    }
    WriteFileBytes(path, HeaderBytes(static_cast<int32_t>(entries.size())) + directory + data);
}

TEST_F(KombrelCli, NamesThatLeaveTheFolderAreRefused)
{
    const std::vector<std::string> hostile = {"../x", "/tmp/kombrel-escape", "..\\x", "C:\\x", "a/../../x", ""};
    std::vector<std::pair<std::string, std::string>> entries = {{"good.txt", "fine"}};
    for (const std::string &name : hostile)
        entries.push_back({name, "escaped"});
    WriteContainer("hostile.kmb", entries);
    fs::create_directories("deep/out");

    const ProcessResult r = Kombrel({"extract", "hostile.kmb", "-C", "deep/out"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(ReadFileBytes("deep/out/good.txt"), "fine");
    EXPECT_EQ(std::distance(fs::directory_iterator("deep/out"), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator("deep"), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists("x") || fs::exists("/tmp/kombrel-escape"));
    EXPECT_NE(r.err.find("../x: refused"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("..\\\\x: refused"), std::string::npos) << "backslashes are escaped: " << r.err;
}

TEST_F(KombrelCli, PayloadPastTheEndIsReportedAndTheRestExtracted)
{
    std::string bytes = HeaderBytes(2) + RecordBytes("cut.bin", 0, 0, 5000) + RecordBytes("ok.txt", 0, 0, 4);
    bytes += "okay and then only a little more";
    WriteFileBytes("cut.kmb", bytes);
    fs::create_directory("out");

    const ProcessResult extract = Kombrel({"extract", "cut.kmb", "-C", "out"});
    EXPECT_EQ(extract.exitCode, 1);
    EXPECT_NE(extract.err.find("cut.bin: damaged"), std::string::npos) << extract.err;
    EXPECT_FALSE(fs::exists("out/cut.bin"));
    EXPECT_EQ(ReadFileBytes("out/ok.txt"), "okay");

    const ProcessResult test = Kombrel({"test", "cut.kmb"});
    EXPECT_EQ(test.exitCode, 1);
    EXPECT_EQ(test.out, "entry 0 (cut.bin): payload runs past the end of the file\n");
}

TEST_F(KombrelCli, HostileContainersFailCleanly)
{
    struct Row {
        const char *label;
        std::string bytes;
        int list, test, extract; // expected exit codes
    } rows[] = {
        {"empty file", "", 1, 1, 1},
        {"other format", "PK\x03\x04 not ours", 1, 1, 1},
        {"shorter than the header", HeaderBytes(0).substr(0, 100), 1, 1, 1},
        {"negative count", HeaderBytes(-1), 1, 1, 1},
        {"directory past the end", HeaderBytes(1000) + RecordBytes("a", 0, 0, 0), 1, 1, 1},
        {"huge count", HeaderBytes(0x7FFFFFFF), 1, 1, 1},
        // The reader ends such a name inside its field.
        {"name without zero", HeaderBytes(1) + RecordBytes(std::string(256, 'n'), 0, 0, 0), 0, 0, 0},
        {"offset past the end", HeaderBytes(1) + RecordBytes("a", 0, 0xFFFFFFF0u, 16), 1, 1, 1},
        {"compressed garbage", HeaderBytes(1) + RecordBytes("z", KFILE_FLAG_COMPRESSED, 0, 6) + "garbag", 1, 1, 1},
        {"compressed and empty", HeaderBytes(1) + RecordBytes("z", KFILE_FLAG_COMPRESSED, 0, 0), 1, 1, 1},
    };
    fs::create_directory("out");
    for (const Row &row : rows) {
        WriteFileBytes("bad.kmb", row.bytes);
        const std::pair<std::vector<std::string>, int> runs[] = {
            {{"list", "--long", "bad.kmb"}, row.list},
            {{"test", "bad.kmb"}, row.test},
            {{"extract", "bad.kmb", "-C", "out"}, row.extract},
        };
        for (const auto &[args, expected] : runs) {
            const ProcessResult r = Kombrel(args);
            EXPECT_EQ(r.exitCode, expected) << row.label << " / " << args[0] << ": " << r.err;
            if (expected != 0) {
                EXPECT_FALSE(r.err.empty() && r.out.empty()) << row.label << " / " << args[0];
            }
        }
    }
}

TEST_F(KombrelCli, UnprintableNamesAreEscaped)
{
    WriteContainer("odd.kmb", {{"bell\x07" "and\x1b[31mred", ""}, {"latin1-\xe9", ""}});
    const ProcessResult r = Kombrel({"list", "odd.kmb"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("bell\\x07and\\x1B[31mred"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("latin1-\\xE9"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}

TEST_F(KombrelCli, UsageErrorsExitTwo)
{
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"frobnicate"},
        {"pack"},
        {"pack", "only.kmb"},
        {"pack", "x.kmb", "--bogus", "a"},
        {"list"},
        {"list", "a.kmb", "b.kmb"},
        {"extract"},
        {"extract", "a.kmb", "-C"},
        {"test", "--long", "a.kmb"},
    };
    for (const auto &args : rows) {
        const ProcessResult r = Kombrel(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("try 'kombrel --help'"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

TEST_F(KombrelCli, HelpAndVersion)
{
    const ProcessResult help = Kombrel({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Usage: kombrel COMMAND", 0), 0u) << help.out;
    for (const char *command : {"pack", "list", "extract", "test"}) {
        const ProcessResult r = Kombrel({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("Usage: kombrel ") + command, 0), 0u) << r.out;
    }
    const ProcessResult version = Kombrel({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("kombrel ", 0), 0u);
}

TEST_F(KombrelCli, CodecMessagesReachStandardError)
{
    WriteContainer("z.kmb", {{"plain", "data"}});
    std::string bytes = ReadFileBytes("z.kmb");
    bytes[268 + 256 + 3] = '\x80'; // mark the plain entry compressed
    WriteFileBytes("z.kmb", bytes);
    fs::create_directory("out");
    const ProcessResult r = Kombrel({"extract", "z.kmb", "-C", "out"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("zlib decompress fail"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("out/plain")) << "a file that is not the whole entry is not left behind";
}

} // namespace
