// Support for the tests of the form's jobs: a real form in a fresh current
// folder with the scripted presenter, lists filled by the test, and the
// read-back of every container a test builds through the restore jobs.
#ifndef KOMBREL_TESTS_WIZARD_JOB_TEST_SUPPORT_H
#define KOMBREL_TESTS_WIZARD_JOB_TEST_SUPPORT_H

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "container/kfile.h"
#include "platform/memory_stream.h"
#include "platform/paths.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "wizard/frm_main.h"

namespace job_tests {

namespace fs = std::filesystem;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

// One file given to the link job: its path as listed, its bytes and the
// flag digit of its item.
struct Source {
    std::string path;
    std::string bytes;
    int flag = 0;
};

// An entry as the container holds it, read through the container unit.
struct StoredEntry {
    std::string name;
    uint32_t flags = 0;
    std::string content; // inflated when compressed
};

inline std::vector<StoredEntry> ReadEntries(const std::string &container)
{
    std::vector<StoredEntry> entries;
    KFileReader reader{};
    if (!KFile_Open(container.c_str(), &reader))
        return entries;
    for (int32_t i = 0; i < reader.count; ++i) {
        TMemoryStream content;
        KFile_ExtractIndexToStream(&content, i, &reader);
        const KFileInfo *info = KFile_GetInfo(&reader, i);
        entries.push_back({info->name, info->flags, std::string(content.Bytes())});
    }
    KFile_Close(&reader);
    return entries;
}

// Whether this process holds the file open (by any descriptor).
inline bool HeldOpen(const fs::path &path)
{
    struct stat file;
    if (stat(path.c_str(), &file) != 0)
        return false;
    for (const auto &fd : fs::directory_iterator("/proc/self/fd")) {
        struct stat open;
        if (stat(fd.path().c_str(), &open) == 0 && open.st_dev == file.st_dev && open.st_ino == file.st_ino)
            return true;
    }
    return false;
}

// Containers go to "out", away from their sources, since the extraction
// writes into the container's folder.
class JobTest : public ::testing::Test {
protected:
    JobTest() { fs::create_directory(dir.path() / "out"); }

    // Writes a file under the test's folder, folders included, and returns
    // its absolute path.
    std::string Write(const std::string &relative, const std::string &bytes)
    {
        const fs::path path = dir.path() / relative;
        fs::create_directories(path.parent_path());
        WriteFileBytes(path, bytes);
        return path.string();
    }

    Source Add(const std::string &relative, const std::string &bytes, int flag)
    {
        return Source{Write(relative, bytes), bytes, flag};
    }

    void FillLinkList(const std::vector<std::string> &items)
    {
        form.lstLinkFile.Items.Clear();
        for (const std::string &item : items)
            form.lstLinkFile.Items.Add(item);
    }

    // Lists the sources with their flags and runs the link job.
    void Link(const std::string &container, const std::vector<Source> &sources)
    {
        std::vector<std::string> items;
        for (const Source &s : sources)
            items.push_back(TfrmMain::MakeItem(s.path, s.flag));
        FillLinkList(items);
        form.edtTargetLinkFile.SetText(container);
        form.ExecuteLink();
    }

    // Runs the listing on the container and returns the items.
    std::vector<std::string> List(const std::string &container)
    {
        form.edtTargetRestoreFile.SetText(container);
        form.LoadRestoreList();
        std::vector<std::string> items;
        for (int i = 0; i < form.lstRestoreFile.Items.Count(); ++i)
            items.push_back(form.lstRestoreFile.Items[i]);
        return items;
    }

    // Selects the listed items of these indexes and runs the extraction.
    void Extract(const std::vector<int> &selected)
    {
        for (int i : selected)
            form.lstRestoreFile.SetSelected(i, true);
        form.ExecuteRestore();
    }

    void ExtractAll()
    {
        std::vector<int> all;
        for (int i = 0; i < form.lstRestoreFile.Items.Count(); ++i)
            all.push_back(i);
        Extract(all);
    }

    // Reads a container built by the link job back through both restore jobs
    // and compares it with its sources byte for byte: one item per source in
    // order with its flag and file name, each entry's content, and the files
    // extracted into the container's folder (for names that repeat, the
    // first entry of the name, as the extraction finds entries by name).
    void ExpectRestoresSources(const std::string &container, const std::vector<Source> &sources)
    {
        SCOPED_TRACE("read back " + container);
        std::vector<std::string> expectedItems;
        for (const Source &s : sources)
            expectedItems.push_back(TfrmMain::MakeItem(ExtractFileName(s.path), s.flag >= 1 ? 1 : 0));
        const std::size_t boxesBefore = presenter.messages.size();
        ASSERT_EQ(List(container), expectedItems);

        const std::vector<StoredEntry> entries = ReadEntries(container);
        ASSERT_EQ(entries.size(), sources.size());
        for (std::size_t i = 0; i < sources.size(); ++i)
            EXPECT_TRUE(entries[i].content == sources[i].bytes) << "entry " << i << " " << entries[i].name;

        ExtractAll();
        EXPECT_EQ(presenter.messages.size(), boxesBefore) << presenter.messages.back().text;
        const std::string folder = ExtractFilePath(container);
        for (std::size_t i = 0; i < sources.size(); ++i) {
            const std::string name = ExtractFileName(sources[i].path);
            std::size_t first = 0;
            while (KFile_CompareName(ExtractFileName(sources[first].path).c_str(), name.c_str()) != 0)
                ++first;
            EXPECT_TRUE(ReadFileBytes(folder + name) == sources[first].bytes) << "extracted " << name;
        }
    }

    testing_support::TempDir dir;
    testing_support::ScriptedPresenter presenter;
    TfrmMain form;
};

} // namespace job_tests

#endif
