// The wizard's page flow: where Next and Prev lead from every page, the state
// of Prev and Next on every page, and every action that recomputes it. The
// tests press the real buttons of a shown form on the offscreen platform; a
// scripted presenter answers the dialogs.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include "tests/wizard/form_driver.h"
#include "wizard/frm_main.h"

using testing_support::Chosen;
using testing_support::ScriptedPresenter;
using testing_support::TempDir;
using namespace wizard_testing;

namespace {

constexpr int kClosed = -1;

class PageFlow : public ::testing::Test {
protected:
    PageFlow() { form.Show(); }

    // Puts the form on `page` as if the user had walked there.
    void GoTo(int page)
    {
        form.Notebook.SetPageIndex(page);
        form.UpdateWizardButtons();
    }

    int PageShown() const { return form.Handle()->isVisible() ? form.Notebook.PageIndex() : kClosed; }

    TempDir folder; // the current directory, where a job's files go
    ScriptedPresenter presenter;
    TfrmMain form;
};

// --- Transitions ------------------------------------------------------------

enum class Task { None, Combine, Extract };
enum class Pressed { Next, Prev };

struct TransitionRow {
    const char *label;
    int page;
    Task task;
    Pressed press;
    int expected; // a page, or kClosed
};

void PrintTo(const TransitionRow &row, std::ostream *os) { *os << row.label; }

class Transition : public PageFlow, public ::testing::WithParamInterface<TransitionRow> {};

TEST_P(Transition, LeadsToItsPage)
{
    const TransitionRow &row = GetParam();
    // Every page filled in, so that each button is enabled where it can be
    // and a job has something to work on.
    testing_support::WriteFileBytes(folder.path() / "a.txt", "alpha");
    if (row.task == Task::Combine)
        form.rbFileLink.SetChecked(true);
    if (row.task == Task::Extract)
        form.rbFileRestore.SetChecked(true);
    form.edtTargetLinkFile.SetText(folder.file("out.kbr"));
    form.lstLinkFile.Items.Add(TfrmMain::MakeItem(folder.file("a.txt"), 0));
    form.edtTargetRestoreFile.SetText(folder.file("out.kbr"));
    form.lstRestoreFile.Items.Add(TfrmMain::MakeItem("a.txt", 0));
    form.lstRestoreFile.SetSelected(0, true);
    GoTo(row.page);

    TButton &button = row.press == Pressed::Next ? form.btnNext : form.btnPrev;
    if (button.Enabled()) {
        Press(button);
    } else {
        // Where the button is disabled, what its handler would do.
        if (row.press == Pressed::Next)
            form.btnNextClick(form.btnNext);
        else
            form.btnPrevClick(form.btnPrev);
    }

    EXPECT_EQ(PageShown(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPage, Transition,
    ::testing::Values(TransitionRow{"Page1NextToCombine", 0, Task::Combine, Pressed::Next, 1},
                      TransitionRow{"Page1NextToExtract", 0, Task::Extract, Pressed::Next, 3},
                      TransitionRow{"Page1PrevStays", 0, Task::Combine, Pressed::Prev, 0},
                      TransitionRow{"LinkPage1Next", 1, Task::Combine, Pressed::Next, 2},
                      TransitionRow{"LinkPage1Prev", 1, Task::Combine, Pressed::Prev, 0},
                      TransitionRow{"LinkPage2NextRunsTheCombine", 2, Task::Combine, Pressed::Next, 5},
                      TransitionRow{"LinkPage2Prev", 2, Task::Combine, Pressed::Prev, 1},
                      TransitionRow{"RestorePage1NextListsTheContainer", 3, Task::Extract, Pressed::Next, 4},
                      TransitionRow{"RestorePage1PrevToPage1", 3, Task::Extract, Pressed::Prev, 0},
                      TransitionRow{"RestorePage2NextRunsTheExtraction", 4, Task::Extract, Pressed::Next, 5},
                      TransitionRow{"RestorePage2Prev", 4, Task::Extract, Pressed::Prev, 3},
                      TransitionRow{"ExecuteNextCloses", 5, Task::Combine, Pressed::Next, kClosed},
                      TransitionRow{"ExecutePrevWouldLeadToRestorePage2", 5, Task::Combine, Pressed::Prev, 4}),
    [](const auto &info) { return std::string(info.param.label); });

// Notes the caption of each paint a label receives.
class PaintedCaptions : public QObject {
public:
    explicit PaintedCaptions(TLabel &label) : label_(label) { label.Handle()->installEventFilter(this); }
    std::vector<std::string> captions;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            captions.push_back(label_.Caption());
        return false;
    }

private:
    TLabel &label_;
};

// Calls back when a box comes up, then answers as scripted.
class BoxWatch : public ScriptedPresenter {
public:
    std::function<void()> onBox;
    MsgResult ShowMessage(const MessageRequest &request) override
    {
        onBox();
        return ScriptedPresenter::ShowMessage(request);
    }
};

TEST_F(PageFlow, TheExecutePageIsPaintedWithPleaseWaitBeforeTheJobRuns)
{
    // The job's first act here is its error box (the container's folder does
    // not exist); what the screen shows by then, the page flow has painted.
    form.rbFileLink.SetChecked(true);
    GoTo(2);
    form.edtTargetLinkFile.SetText(folder.file("no-such-folder/out.kbr"));
    form.lstLinkFile.Items.Add(TfrmMain::MakeItem(folder.file("a.txt"), 0));
    form.UpdateWizardButtons();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    PaintedCaptions painted(form.lblExecute);
    BoxWatch boxes;
    std::vector<std::string> paintedBeforeTheBox;
    boxes.onBox = [&] { paintedBeforeTheBox = painted.captions; };

    Press(form.btnNext);

    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].text, "Error : KFile_FileKombrel_Start()");
    ASSERT_FALSE(paintedBeforeTheBox.empty());
    EXPECT_EQ(paintedBeforeTheBox.back(), "しばらくお待ち下さい");
    EXPECT_EQ(form.lblExecute.Caption(), "終了しました");
}

// --- Button state -----------------------------------------------------------

struct ButtonRow {
    const char *label;
    int page;
    std::function<void(TfrmMain &)> fill;
    bool prevEnabled;
    bool nextEnabled;
    std::string nextCaption;
};

void PrintTo(const ButtonRow &row, std::ostream *os) { *os << row.label; }

class ButtonState : public PageFlow, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(ButtonState, FollowsThePageAndItsControls)
{
    const ButtonRow &row = GetParam();
    form.Notebook.SetPageIndex(row.page);
    row.fill(form);
    form.UpdateWizardButtons();

    EXPECT_EQ(form.btnPrev.Enabled(), row.prevEnabled);
    EXPECT_EQ(form.btnNext.Enabled(), row.nextEnabled);
    EXPECT_EQ(form.btnNext.Caption(), row.nextCaption);
    EXPECT_TRUE(form.btnCancel.Enabled());
    EXPECT_EQ(form.btnCancel.Caption(), "キャンセル");
    EXPECT_EQ(form.btnPrev.Caption(), "<< 戻る");
}

const auto kNothing = [](TfrmMain &) {};

INSTANTIATE_TEST_SUITE_P(
    EveryPage, ButtonState,
    ::testing::Values(
        ButtonRow{"Page1NothingChecked", 0, kNothing, false, false, "次へ >>"},
        ButtonRow{"Page1CombineChecked", 0, [](TfrmMain &f) { f.rbFileLink.SetChecked(true); }, false, true,
                  "次へ >>"},
        ButtonRow{"Page1ExtractChecked", 0, [](TfrmMain &f) { f.rbFileRestore.SetChecked(true); }, false, true,
                  "次へ >>"},
        ButtonRow{"LinkPage1Empty", 1, kNothing, true, false, "次へ >>"},
        ButtonRow{"LinkPage1Blanks", 1, [](TfrmMain &f) { f.edtTargetLinkFile.SetText("  "); }, true, true,
                  "次へ >>"},
        ButtonRow{"LinkPage2EmptyList", 2, kNothing, true, false, "開始"},
        ButtonRow{"LinkPage2OneFile", 2, [](TfrmMain &f) { f.lstLinkFile.Items.Add("0/nowhere/a.txt"); }, true,
                  true, "開始"},
        ButtonRow{"RestorePage1Empty", 3, kNothing, true, false, "次へ >>"},
        ButtonRow{"RestorePage1NoSuchFile", 3,
                  [](TfrmMain &f) { f.edtTargetRestoreFile.SetText("/nowhere/x.kbr"); }, true, true, "次へ >>"},
        ButtonRow{"RestorePage2NothingSelected", 4, [](TfrmMain &f) { f.lstRestoreFile.Items.Add("0a.txt"); },
                  true, false, "開始"},
        ButtonRow{"RestorePage2OneSelected", 4,
                  [](TfrmMain &f) {
                      f.lstRestoreFile.Items.Add("0a.txt");
                      f.lstRestoreFile.Items.Add("1b.txt");
                      f.lstRestoreFile.SetSelected(1, true);
                  },
                  true, true, "開始"},
        ButtonRow{"Execute", 5, kNothing, false, true, "終了"}),
    [](const auto &info) { return std::string(info.param.label); });

// --- What recomputes the buttons --------------------------------------------

struct TriggerRow {
    const char *label;
    int page;
    // Leaves the controls changed behind the buttons' back, where the row
    // needs a stale state to show that its action recomputes (or not).
    std::function<void(TfrmMain &)> prepare;
    std::function<void(TfrmMain &, ScriptedPresenter &)> act;
    bool nextEnabled;
};

void PrintTo(const TriggerRow &row, std::ostream *os) { *os << row.label; }

class Trigger : public PageFlow, public ::testing::WithParamInterface<TriggerRow> {};

TEST_P(Trigger, LeavesNextAsTheControlsSay)
{
    const TriggerRow &row = GetParam();
    GoTo(row.page);
    row.prepare(form);
    row.act(form, presenter);
    EXPECT_EQ(form.btnNext.Enabled(), row.nextEnabled);
}

void AddUnseen(TListBox &list, int count)
{
    for (int i = 0; i < count; ++i)
        list.Items.Add(TfrmMain::MakeItem("/d/" + std::to_string(i) + ".txt", 0));
}

void SelectAllUnseen(TListBox &list)
{
    for (int i = 0; i < list.Items.Count(); ++i)
        list.SetSelected(i, true);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Trigger,
    ::testing::Values(
        TriggerRow{"ClickingARadioButton", 0, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &) {
                       QTest::mouseClick(f.rbFileRestore.Handle(), Qt::LeftButton);
                   },
                   true},
        TriggerRow{"CheckingARadioButtonByKeyboard", 0, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &) {
                       f.rbFileLink.Handle()->setFocus();
                       QTest::keyClick(f.rbFileLink.Handle(), Qt::Key_Space);
                   },
                   true},
        TriggerRow{"TypingOneCharacter", 1, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &) { Type(f.edtTargetLinkFile, "a"); }, true},
        TriggerRow{"DeletingTheTypedCharacter", 1, [](TfrmMain &f) { Type(f.edtTargetLinkFile, "a"); },
                   [](TfrmMain &f, ScriptedPresenter &) {
                       QTest::keyClick(f.edtTargetLinkFile.Handle(), Qt::Key_Backspace);
                   },
                   false},
        TriggerRow{"ChoosingTheContainerToCreate", 1, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &p) {
                       p.AnswerNextFileDialogs({Chosen({"/d/out.kbr"})});
                       Press(f.btnTargetLinkFileOpen);
                   },
                   true},
        TriggerRow{"TypingTheContainerToOpen", 3, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &) { Type(f.edtTargetRestoreFile, "x"); }, true},
        TriggerRow{"ChoosingTheContainerToOpen", 3, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &p) {
                       p.AnswerNextFileDialogs({Chosen({"/d/in.kbr"})});
                       Press(f.btnTargetRestoreFileOpen);
                   },
                   true},
        TriggerRow{"AddingFiles", 2, kNothing,
                   [](TfrmMain &f, ScriptedPresenter &p) {
                       p.AnswerNextFileDialogs({Chosen({"/d/a.txt"})});
                       Press(f.btnFileAdd);
                   },
                   true},
        TriggerRow{"AddingWithTheDialogCancelled", 2, [](TfrmMain &f) { AddUnseen(f.lstLinkFile, 1); },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnFileAdd); }, true},
        TriggerRow{"DeletingEveryFile", 2,
                   [](TfrmMain &f) {
                       AddUnseen(f.lstLinkFile, 2);
                       f.UpdateWizardButtons();
                       SelectAllUnseen(f.lstLinkFile);
                   },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnFileDel); }, false},
        TriggerRow{"DeletingWithNothingSelected", 2, [](TfrmMain &f) { AddUnseen(f.lstLinkFile, 1); },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnFileDel); }, true},
        TriggerRow{"MarkingChangesNoButton", 2,
                   [](TfrmMain &f) {
                       AddUnseen(f.lstLinkFile, 2);
                       SelectAllUnseen(f.lstLinkFile);
                   },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnCompress); }, false},
        TriggerRow{"UnmarkingChangesNoButton", 2,
                   [](TfrmMain &f) {
                       AddUnseen(f.lstLinkFile, 2);
                       SelectAllUnseen(f.lstLinkFile);
                   },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnDisable); }, false},
        TriggerRow{"SelectingAllEntries", 4, [](TfrmMain &f) { AddUnseen(f.lstRestoreFile, 3); },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnFileSelect); }, true},
        TriggerRow{"ClearingTheSelection", 4,
                   [](TfrmMain &f) {
                       AddUnseen(f.lstRestoreFile, 3);
                       SelectAllUnseen(f.lstRestoreFile);
                       f.UpdateWizardButtons();
                   },
                   [](TfrmMain &f, ScriptedPresenter &) { Press(f.btnFileClear); }, false},
        TriggerRow{"ClickingAnEntry", 4, [](TfrmMain &f) { AddUnseen(f.lstRestoreFile, 3); },
                   [](TfrmMain &f, ScriptedPresenter &) { ClickItem(f.lstRestoreFile, 1); }, true},
        TriggerRow{"SelectingAnEntryByKeyboard", 4, [](TfrmMain &f) { AddUnseen(f.lstRestoreFile, 3); },
                   [](TfrmMain &f, ScriptedPresenter &) {
                       f.lstRestoreFile.Handle()->setFocus();
                       QTest::keyClick(f.lstRestoreFile.Handle(), Qt::Key_Down);
                   },
                   true},
        TriggerRow{"DeselectingTheLastEntryByHand", 4,
                   [](TfrmMain &f) {
                       AddUnseen(f.lstRestoreFile, 3);
                       ClickItem(f.lstRestoreFile, 2);
                   },
                   [](TfrmMain &f, ScriptedPresenter &) { ClickItem(f.lstRestoreFile, 2, Qt::ControlModifier); },
                   false}),
    [](const auto &info) { return std::string(info.param.label); });

// --- Keyboard ---------------------------------------------------------------

TEST_F(PageFlow, NextPressedWithTheKeyboardKeepsTheFocusWhileItStaysEnabled)
{
    // Space on Next through LinkPage2, the job and the close: the focus stays
    // on Next all the way, so a second press never lands on キャンセル.
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
    testing_support::WriteFileBytes(folder.path() / "a.txt", "alpha");
    form.rbFileLink.SetChecked(true);
    GoTo(1);
    form.edtTargetLinkFile.SetText(folder.file("out.kbr"));
    form.lstLinkFile.Items.Add(TfrmMain::MakeItem(folder.file("a.txt"), 0));
    form.btnNext.Handle()->setFocus();

    for (int expected : {2, 5}) {
        QTest::keyClick(form.btnNext.Handle(), Qt::Key_Space);
        EXPECT_EQ(PageShown(), expected);
        EXPECT_TRUE(form.btnNext.Handle()->hasFocus()) << "on page " << expected;
    }
    QTest::keyClick(form.btnNext.Handle(), Qt::Key_Space);
    EXPECT_EQ(PageShown(), kClosed);
}

// --- Closing ----------------------------------------------------------------

TEST_F(PageFlow, CancelClosesFromEveryPageWithoutAQuestion)
{
    for (int page = 0; page < 6; ++page) {
        form.Show();
        GoTo(page);
        Press(form.btnCancel);
        EXPECT_EQ(PageShown(), kClosed) << "page " << page;
    }
    EXPECT_TRUE(presenter.messages.empty());
}

} // namespace
