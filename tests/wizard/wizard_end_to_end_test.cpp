// Both paths of the wizard from the window alone, on the offscreen platform:
// the user's clicks and typing, the scripted presenter answering the file
// dialogs. A folder of mixed files is combined (some marked 圧縮) and a
// chosen selection extracted again, byte for byte; then what a job's failure
// leaves on the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/wizard/form_driver.h"
#include "wizard/frm_main.h"

using testing_support::Chosen;
using testing_support::PatternBytes;
using testing_support::ReadFileBytes;
using testing_support::ScriptedPresenter;
using testing_support::TempDir;
using testing_support::WriteFileBytes;
using namespace wizard_testing;
namespace fs = std::filesystem;

namespace {

constexpr int kRestorePage2 = 4;

struct SourceFile {
    std::string name;
    std::string bytes;
    bool compress; // marked 圧縮 on the list
};

class EndToEnd : public ::testing::Test {
protected:
    EndToEnd()
    {
        fs::create_directory(folder.path() / "src");
        fs::create_directory(folder.path() / "out");
        Start();
    }

    // A fresh start of the program: after a job the window only closes.
    void Start()
    {
        form = std::make_unique<TfrmMain>();
        form->Show();
    }

    bool Closed() const { return !form->Handle()->isVisible(); }

    std::string Src(const std::string &name) const { return folder.file("src/" + name); }

    std::vector<std::string> Write(const std::vector<SourceFile> &files)
    {
        std::vector<std::string> paths;
        for (const SourceFile &file : files) {
            WriteFileBytes(Src(file.name), file.bytes);
            paths.push_back(Src(file.name));
        }
        return paths;
    }

    // Page1 → LinkPage1 (the container chosen in the save dialog) → LinkPage2
    // (the files added in one open dialog, the marked ones compressed) → 開始.
    void Combine(const std::string &container, const std::vector<SourceFile> &files)
    {
        Press(form->rbFileLink);
        Press(form->btnNext);
        presenter.AnswerNextFileDialogs({Chosen({container})});
        Press(form->btnTargetLinkFileOpen);
        Press(form->btnNext);
        presenter.AnswerNextFileDialogs({Chosen(Write(files))});
        Press(form->btnFileAdd);
        bool first = true;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i].compress) {
                ClickItem(form->lstLinkFile, static_cast<int>(i), first ? Qt::NoModifier : Qt::ControlModifier);
                first = false;
            }
        }
        Press(form->btnCompress);
        ASSERT_EQ(form->btnNext.Caption(), "開始");
        Press(form->btnNext);
    }

    // Page1 → RestorePage1 (the container's path typed) → RestorePage2 (the
    // entries clicked with Ctrl) → 開始.
    void Extract(const std::string &container, const std::vector<int> &chosen)
    {
        Press(form->rbFileRestore);
        Press(form->btnNext);
        Type(form->edtTargetRestoreFile, container);
        Press(form->btnNext);
        for (std::size_t i = 0; i < chosen.size(); ++i)
            ClickItem(form->lstRestoreFile, chosen[i], i == 0 ? Qt::NoModifier : Qt::ControlModifier);
        ASSERT_EQ(form->btnNext.Caption(), "開始");
        Press(form->btnNext);
    }

    void ExpectFinishedScreen()
    {
        EXPECT_EQ(form->Notebook.ActivePage(), "Execute");
        EXPECT_EQ(form->lblExecute.Caption(), "終了しました");
        EXPECT_FALSE(form->btnPrev.Enabled());
        EXPECT_TRUE(form->btnNext.Enabled());
        EXPECT_EQ(form->btnNext.Caption(), "終了");
    }

    // A job that let an exception pass: the Execute page as it was painted
    // before the job, the buttons as set for the page before.
    void ExpectStuckScreen()
    {
        EXPECT_EQ(form->Notebook.ActivePage(), "Execute");
        EXPECT_EQ(form->lblExecute.Caption(), "しばらくお待ち下さい");
        EXPECT_TRUE(form->btnPrev.Enabled());
        EXPECT_TRUE(form->btnNext.Enabled());
        EXPECT_EQ(form->btnNext.Caption(), "開始");
    }

    TempDir folder; // also the current directory, where the build spools
    ScriptedPresenter presenter;
    std::unique_ptr<TfrmMain> form;
};

TEST_F(EndToEnd, CombineAFolderOfMixedFilesThenExtractAChosenSelectionByteForByte)
{
    const std::vector<SourceFile> files{
        {"readme.txt", "A short text, stored as it is.\n", false},
        {"photo.jpg", PatternBytes(150000, 7), true}, // hardly compressible
        {"empty.dat", "", true},
        {"server.log", std::string(20000, 'x') + PatternBytes(3000, 3) + std::string(400000, '-'), true},
        {"表計算.csv", "1,2,3\n4,5,6\n", false},
        {"firmware.bin", PatternBytes(1 << 20, 11), false},
    };
    const std::string container = folder.file("out/mixed.kbr");

    Combine(container, files);

    ExpectFinishedScreen();
    EXPECT_TRUE(presenter.messages.empty()) << presenter.messages.front().text;
    EXPECT_EQ(form->ProgressBar.Max(), 5);
    EXPECT_EQ(form->ProgressBar.Position(), 5);
    Press(form->btnNext);
    EXPECT_TRUE(Closed());

    Start();
    const std::vector<int> chosen{1, 2, 3, 4};
    Extract(container, chosen);

    ExpectFinishedScreen();
    EXPECT_TRUE(presenter.messages.empty()) << presenter.messages.front().text;
    std::vector<std::string> listed;
    for (const SourceFile &file : files)
        listed.push_back(TfrmMain::MakeItem(file.name, file.compress ? 1 : 0));
    EXPECT_EQ(ItemsOf(form->lstRestoreFile), listed);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const fs::path out = folder.path() / "out" / files[i].name;
        const bool wanted = std::find(chosen.begin(), chosen.end(), static_cast<int>(i)) != chosen.end();
        ASSERT_EQ(fs::exists(out), wanted) << files[i].name;
        if (wanted) {
            EXPECT_TRUE(ReadFileBytes(out) == files[i].bytes) << files[i].name;
        }
    }
    Press(form->btnNext);
    EXPECT_TRUE(Closed());
}

// --- A job that reports its error in a box ----------------------------------

TEST_F(EndToEnd, ACombineThatCannotCreateItsContainerShowsTheBoxAndFinishes)
{
    Combine(folder.file("no-such-folder/c.kbr"), {{"a.txt", "alpha", false}});

    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "Error : KFile_FileKombrel_Start()");
    EXPECT_EQ(presenter.messages[0].caption, "ｴﾗｰ");
    ExpectFinishedScreen();
}

TEST_F(EndToEnd, AnExtractionWhoseContainerHasGoneShowsTheBoxAndFinishes)
{
    const std::string container = folder.file("out/c.kbr");
    Combine(container, {{"a.txt", "alpha", false}});
    Start();
    Press(form->rbFileRestore);
    Press(form->btnNext);
    Type(form->edtTargetRestoreFile, container);
    Press(form->btnNext);
    Press(form->btnFileSelect);
    fs::remove(container);
    const std::size_t boxesBefore = presenter.messages.size();

    Press(form->btnNext);

    ASSERT_EQ(presenter.messages.size(), boxesBefore + 1);
    EXPECT_EQ(presenter.messages.back().text, "Error : KFile_Open()");
    ExpectFinishedScreen();
    EXPECT_FALSE(fs::exists(folder.path() / "out" / "a.txt"));
}

// --- A job that lets an exception pass --------------------------------------

struct StuckRow {
    const char *label;
    bool combine; // else the extraction fails
    bool thenPrev; // else Next
};

void PrintTo(const StuckRow &row, std::ostream *os) { *os << row.label; }

class StuckJob : public EndToEnd, public ::testing::WithParamInterface<StuckRow> {};

TEST_P(StuckJob, LeavesPleaseWaitWithPrevToRestorePage2AndNextClosing)
{
    const StuckRow &row = GetParam();
    const std::string container = folder.file("out/c.kbr");
    std::string message;
    if (row.combine) {
        // A source deleted after it was listed.
        Press(form->rbFileLink);
        Press(form->btnNext);
        Type(form->edtTargetLinkFile, container);
        Press(form->btnNext);
        presenter.AnswerNextFileDialogs({Chosen(Write({{"a.txt", "alpha", false}, {"b.txt", "beta", false}}))});
        Press(form->btnFileAdd);
        fs::remove(Src("b.txt"));
        Press(form->btnNext);
        message = EFOpenError(Src("b.txt")).Message();
    } else {
        // An output that cannot be created: a folder holds its name.
        Combine(container, {{"a.txt", "alpha", true}});
        Start();
        fs::create_directory(folder.path() / "out" / "a.txt");
        Extract(container, {0});
        message = EFCreateError(folder.file("out/a.txt")).Message();
    }

    ASSERT_FALSE(presenter.messages.empty());
    EXPECT_EQ(presenter.messages.back().text, message + ".");
    EXPECT_EQ(presenter.messages.back().caption, "Kombrel file utility");
    ExpectStuckScreen();

    if (row.thenPrev) {
        Press(form->btnPrev);
        EXPECT_EQ(form->Notebook.PageIndex(), kRestorePage2);
        EXPECT_EQ(form->btnNext.Caption(), "開始");
    } else {
        Press(form->btnNext);
        EXPECT_TRUE(Closed());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StuckJob,
                         ::testing::Values(StuckRow{"CombineSourceGoneThenPrev", true, true},
                                           StuckRow{"CombineSourceGoneThenNext", true, false},
                                           StuckRow{"ExtractOutputBlockedThenPrev", false, true},
                                           StuckRow{"ExtractOutputBlockedThenNext", false, false}),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
