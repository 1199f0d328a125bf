// The two lists and the three file pickers: what the dialogs are asked and
// what their answers leave in the edits and lists, deleting, marking and
// selecting items, and how an item is drawn.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFontMetrics>
#include <QListWidget>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/widgets/qt_dialogs.h"
#include "tests/support/scripted_presenter.h"
#include "tests/wizard/form_driver.h"
#include "wizard/frm_main.h"

using testing_support::Chosen;
using testing_support::ScriptedPresenter;
using namespace wizard_testing;

namespace {

using Items = std::vector<std::string>;
using Selection = std::vector<bool>;

class FileLists : public ::testing::Test {
protected:
    FileLists() { form.Show(); }

    void OnPage(int page)
    {
        form.Notebook.SetPageIndex(page);
        form.UpdateWizardButtons();
    }

    void AddFiles(const std::vector<std::string> &paths)
    {
        presenter.AnswerNextFileDialogs({Chosen(paths)});
        Press(form.btnFileAdd);
    }

    // What the list's drawing handler writes for item `index`.
    QString Drawn(TListBox &list, int index) { return DrawItemOf(list, index, TRect{0, 0, 201, 13}).text; }

    ScriptedPresenter presenter;
    TfrmMain form;
};

// --- Pickers ----------------------------------------------------------------

TEST_F(FileLists, SavePickerAsksForOneFileFromTheProgramsFolder)
{
    OnPage(1);
    presenter.AnswerNextFileDialogs({Chosen({"/d/exists-or-not.kbr"}), FileDialogResult{}});

    Press(form.btnTargetLinkFileOpen);
    EXPECT_EQ(form.edtTargetLinkFile.Text(), "/d/exists-or-not.kbr");
    Press(form.btnTargetLinkFileOpen); // cancelled: the edit keeps its path
    EXPECT_EQ(form.edtTargetLinkFile.Text(), "/d/exists-or-not.kbr");

    ASSERT_EQ(presenter.fileDialogs.size(), 2u);
    const FileDialogRequest &first = presenter.fileDialogs[0];
    EXPECT_EQ(first.kind, FileDialogKind::Save);
    EXPECT_EQ(first.initialDir, ExtractFilePath(RunningProgramPath()));
    EXPECT_EQ(first.fileName, "");
    EXPECT_FALSE(first.multiSelect);
    EXPECT_EQ(presenter.fileDialogs[1].fileName, "/d/exists-or-not.kbr"); // the last choice comes back
    EXPECT_TRUE(form.SaveDialog.Options.empty());
}

TEST_F(FileLists, FiveFilesFromOneDialogAreAppendedInOrderWithFlag0)
{
    OnPage(2);
    AddFiles({"/d/e.txt", "/d/a.txt", "/d/c.txt", "/d/b.txt", "/d/d.txt"});
    AddFiles({"/d/a.txt"}); // the same file again: a second item

    EXPECT_EQ(ItemsOf(form.lstLinkFile),
              (Items{"0/d/e.txt", "0/d/a.txt", "0/d/c.txt", "0/d/b.txt", "0/d/d.txt", "0/d/a.txt"}));
    ASSERT_EQ(presenter.fileDialogs.size(), 2u);
    EXPECT_EQ(presenter.fileDialogs[0].kind, FileDialogKind::Open);
    EXPECT_TRUE(presenter.fileDialogs[0].multiSelect);
    EXPECT_EQ(presenter.fileDialogs[0].initialDir, ExtractFilePath(RunningProgramPath()));
    EXPECT_EQ(presenter.fileDialogs[1].fileName, "/d/e.txt"); // the first of the last choice
}

TEST_F(FileLists, BothOpenPickersShareOneDialogAndItsLastFileName)
{
    OnPage(2);
    AddFiles({"/d/a.txt", "/d/b.txt"});
    OnPage(3);
    presenter.AnswerNextFileDialogs({Chosen({"/d/in.kbr"})});
    Press(form.btnTargetRestoreFileOpen);
    OnPage(2);
    AddFiles({"/d/c.txt"});

    EXPECT_EQ(form.edtTargetRestoreFile.Text(), "/d/in.kbr");
    ASSERT_EQ(presenter.fileDialogs.size(), 3u);
    const FileDialogRequest &container = presenter.fileDialogs[1];
    EXPECT_EQ(container.kind, FileDialogKind::Open);
    EXPECT_FALSE(container.multiSelect);
    EXPECT_EQ(container.fileName, "/d/a.txt");
    EXPECT_EQ(presenter.fileDialogs[2].fileName, "/d/in.kbr");
    EXPECT_TRUE(presenter.fileDialogs[2].multiSelect);
}

TEST_F(FileLists, ACancelledPickerChangesNothing)
{
    OnPage(3);
    form.edtTargetRestoreFile.SetText("/d/kept.kbr");
    Press(form.btnTargetRestoreFileOpen);
    OnPage(2);
    Press(form.btnFileAdd);

    EXPECT_EQ(form.edtTargetRestoreFile.Text(), "/d/kept.kbr");
    EXPECT_EQ(form.lstLinkFile.Items.Count(), 0);
    EXPECT_EQ(presenter.fileDialogs.size(), 2u);
    EXPECT_EQ(form.OpenDialog.FileName, "");
}

TEST(QtFileDialogTexts, AreJapaneseWhateverTheLocale)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    const auto dialog = NewFileDialog(request, nullptr);
    EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QString::fromUtf8("開く(&O)"));
    EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QString::fromUtf8("キャンセル"));
}

// --- Deleting, marking, selecting -------------------------------------------

TEST_F(FileLists, DeletingTheFirstAndThirdOfThreeLeavesTheSecond)
{
    OnPage(2);
    AddFiles({"/d/1.txt", "/d/2.txt", "/d/3.txt"});
    ClickItem(form.lstLinkFile, 0);
    ClickItem(form.lstLinkFile, 2, Qt::ControlModifier);

    Press(form.btnFileDel);

    EXPECT_EQ(ItemsOf(form.lstLinkFile), (Items{"0/d/2.txt"}));
}

TEST_F(FileLists, CompressMarksTheSelectedFilesAndDeselectsThem)
{
    OnPage(2);
    AddFiles({"/work/a.txt", "/work/b.txt", "/work/c.txt"});
    form.lstLinkFile.Items.Put(1, "1/work/b.txt"); // marked already: replaced all the same
    ClickItem(form.lstLinkFile, 0);
    ClickItem(form.lstLinkFile, 1, Qt::ControlModifier);

    Press(form.btnCompress);

    EXPECT_EQ(ItemsOf(form.lstLinkFile), (Items{"1/work/a.txt", "1/work/b.txt", "0/work/c.txt"}));
    EXPECT_EQ(SelectionOf(form.lstLinkFile), (Selection{false, false, false}));
    EXPECT_EQ(Drawn(form.lstLinkFile, 0), "[lz] a.txt");
}

TEST_F(FileLists, ReleaseUnmarksTheSelectedFilesOnly)
{
    OnPage(2);
    AddFiles({"/work/a.txt", "/work/b.txt", "/work/c.txt"});
    for (int i = 0; i < 3; ++i)
        form.lstLinkFile.SetSelected(i, true);
    Press(form.btnCompress);
    ClickItem(form.lstLinkFile, 0);
    ClickItem(form.lstLinkFile, 2, Qt::ControlModifier);

    Press(form.btnDisable);

    EXPECT_EQ(ItemsOf(form.lstLinkFile), (Items{"0/work/a.txt", "1/work/b.txt", "0/work/c.txt"}));
    EXPECT_EQ(SelectionOf(form.lstLinkFile), (Selection{false, false, false}));
    EXPECT_EQ(Drawn(form.lstLinkFile, 0), "a.txt");
}

TEST_F(FileLists, SelectAllAndClearSelectionSetEveryEntryWithoutAClick)
{
    OnPage(4);
    int clicks = 0;
    auto bound = form.lstRestoreFile.OnClick;
    form.lstRestoreFile.OnClick = [&](TComponent &sender) {
        ++clicks;
        bound(sender);
    };
    for (const char *item : {"0a.txt", "1b.txt", "0c.txt"})
        form.lstRestoreFile.Items.Add(item);

    Press(form.btnFileSelect);
    EXPECT_EQ(SelectionOf(form.lstRestoreFile), (Selection{true, true, true}));
    Press(form.btnFileClear);
    EXPECT_EQ(SelectionOf(form.lstRestoreFile), (Selection{false, false, false}));
    EXPECT_EQ(clicks, 0);
}

TEST_F(FileLists, ButtonsWithNothingToActOnChangeNothing)
{
    OnPage(2);
    for (TButton *button : {&form.btnFileDel, &form.btnCompress, &form.btnDisable})
        Press(*button);
    AddFiles({"/d/a.txt"});
    for (TButton *button : {&form.btnFileDel, &form.btnCompress, &form.btnDisable})
        Press(*button); // nothing selected
    OnPage(4);
    Press(form.btnFileSelect);
    Press(form.btnFileClear);

    EXPECT_EQ(ItemsOf(form.lstLinkFile), (Items{"0/d/a.txt"}));
    EXPECT_EQ(form.lstRestoreFile.Items.Count(), 0);
    EXPECT_TRUE(presenter.messages.empty());
}

// --- Drawing ----------------------------------------------------------------

enum class Paths { Linux, WindowsShiftJis };

struct DrawRow {
    const char *label;
    Paths paths; // the running platform's separators and code page
    std::string item;
    std::string shown; // bytes, as the platform shows them
};

void PrintTo(const DrawRow &row, std::ostream *os) { *os << row.label; }

class ItemDrawing : public FileLists, public ::testing::WithParamInterface<DrawRow> {};

TEST_P(ItemDrawing, ShowsTheFileNameWithLzBeforeAFlagAboveZero)
{
    std::optional<RunningPathStyleOverride> windows;
    if (GetParam().paths == Paths::WindowsShiftJis)
        windows.emplace(PathStyle::Windows());
    form.lstLinkFile.Items.Add(GetParam().item);
    form.lstRestoreFile.Items.Add(GetParam().item);
    const QString expected = QString::fromLocal8Bit(GetParam().shown.c_str());
    EXPECT_EQ(Drawn(form.lstLinkFile, 0), expected);
    EXPECT_EQ(Drawn(form.lstRestoreFile, 0), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ItemDrawing,
    ::testing::Values(
        DrawRow{"PlainPath", Paths::Linux, "0/work/a.txt", "a.txt"},
        DrawRow{"CompressedPath", Paths::Linux, "1/work/a.txt", "[lz] a.txt"},
        DrawRow{"FlagAboveOne", Paths::Linux, "7/work/a.txt", "[lz] a.txt"},
        DrawRow{"FlagNotADigit", Paths::Linux, "x/work/a.txt", "a.txt"},
        DrawRow{"EntryName", Paths::Linux, "1表.txt", "[lz] 表.txt"},
        DrawRow{"NameEndsInASeparator", Paths::Linux, "0/work/", ""},
        DrawRow{"EmptyItem", Paths::Linux, "", ""},
        DrawRow{"WindowsPath", Paths::WindowsShiftJis, "0C:\\work\\a.txt", "a.txt"},
        DrawRow{"WindowsPathCompressed", Paths::WindowsShiftJis, "1C:\\work\\a.txt", "[lz] a.txt"},
        DrawRow{"DriveWithoutFolder", Paths::WindowsShiftJis, "0C:a.txt", "a.txt"},
        // 0x95 0x5C is one Shift-JIS character whose second byte is the code of "\".
        DrawRow{"ShiftJisNameWithBackslashByte", Paths::WindowsShiftJis, "0C:\\work\\\x95\x5c.txt",
                "\x95\x5c.txt"},
        DrawRow{"ShiftJisFolderWithBackslashByte", Paths::WindowsShiftJis, "1C:\\\x95\x5c\\a.txt",
                "[lz] a.txt"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(FileLists, AnItemIsFilledAndWrittenAtItsTopLeftInThePreparedColours)
{
    form.lstLinkFile.Items.Add("0/work/a.txt");
    form.lstLinkFile.Items.Add("1/work/" + std::string(300, 'w') + ".txt");
    const TRect rect{3, 26, 204, 39};

    for (int index : {0, 1}) {
        const DrawnItem drawn = DrawItemOf(form.lstLinkFile, index, rect, Qt::darkBlue, Qt::yellow);
        ASSERT_EQ(drawn.fills.size(), 1u);
        EXPECT_EQ(drawn.fills[0].rect, QRect(3, 26, 201, 13));
        EXPECT_EQ(drawn.fills[0].colour, QColor(Qt::darkBlue));
        const QFontMetrics metrics(form.lstLinkFile.Handle()->font());
        EXPECT_EQ(drawn.start, QPointF(3, 26 + metrics.ascent()));
        EXPECT_EQ(drawn.textColour, QColor(Qt::yellow));
    }
}

TEST_F(FileLists, SelectedItemsShowInHighlightColoursAndTheFocusedOneIsFramed)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
    OnPage(2);
    AddFiles({"/d/a.txt", "/d/b.txt", "/d/c.txt"});
    ClickItem(form.lstLinkFile, 0);
    ClickItem(form.lstLinkFile, 2, Qt::ControlModifier); // and the focus

    auto &qt = *static_cast<QListWidget *>(form.lstLinkFile.Handle());
    RecordingDevice device;
    qt.viewport()->render(&device);

    const QPalette palette = qt.palette();
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightedText = palette.color(QPalette::Active, QPalette::HighlightedText);
    const auto fillOf = [&](int index) {
        const QRect rect = qt.visualItemRect(qt.item(index));
        QColor colour;
        for (const FilledRect &fill : device.engine.fills) {
            if (fill.rect == rect)
                colour = fill.colour;
        }
        return colour;
    };
    EXPECT_EQ(fillOf(0), highlight);
    EXPECT_EQ(fillOf(1), base);
    EXPECT_EQ(fillOf(2), highlight);
    ASSERT_EQ(device.engine.texts.size(), 3u);
    EXPECT_EQ(device.engine.texts[0].colour, highlightedText);
    EXPECT_EQ(device.engine.texts[1].colour, text);
    EXPECT_EQ(device.engine.texts[2].colour, highlightedText);
    ASSERT_EQ(device.engine.frames.size(), 1u);
    EXPECT_TRUE(qt.visualItemRect(qt.item(2)).contains(device.engine.frames[0].rect));
    EXPECT_EQ(device.engine.frames[0].colour, highlightedText);
    EXPECT_EQ(device.engine.frames[0].style, Qt::DotLine);
}

} // namespace

