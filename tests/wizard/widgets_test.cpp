// The platform's widgets over Qt: what the form code relies on.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/widgets/buttons.h"
#include "platform/widgets/edits.h"
#include "platform/widgets/file_dialogs.h"
#include "platform/widgets/form.h"
#include "platform/widgets/label.h"
#include "platform/widgets/list_box.h"
#include "platform/widgets/notebook.h"
#include "platform/widgets/progress_bar.h"
#include "platform/widgets/qt_dialogs.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"

using testing_support::Chosen;
using testing_support::ScriptedPresenter;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

QListWidget &QtList(TListBox &list)
{
    return *static_cast<QListWidget *>(list.Handle());
}

// --- Events: the standard exception box -------------------------------------

struct ThrowCase {
    const char *label;
    std::function<void()> raise;
    std::string text;
};

void PrintTo(const ThrowCase &c, std::ostream *os) { *os << c.label; }

class ExceptionBox : public ::testing::TestWithParam<ThrowCase> {};

TEST_P(ExceptionBox, ShowsTheMessageWithAFullStopAndTheProgramGoesOn)
{
    ScriptedPresenter presenter;
    TForm form("form");
    TButton button(form, "button");
    int calls = 0;
    button.OnClick = [&](TComponent &) {
        ++calls;
        GetParam().raise();
    };

    button.Click();
    button.Click();

    EXPECT_EQ(calls, 2);
    ASSERT_EQ(presenter.messages.size(), 2u);
    const MessageRequest &box = presenter.messages[0];
    EXPECT_EQ(box.text, GetParam().text);
    EXPECT_EQ(box.caption, "Kombrel file utility");
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.buttons, std::vector<MsgButton>{MsgButton::Ok});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExceptionBox,
    ::testing::Values(ThrowCase{"PlatformException", [] { throw EFOpenError("a.txt"); }, "ﾌｧｲﾙ a.txt は開けません."},
                      ThrowCase{"StandardException", [] { throw std::runtime_error("broken"); }, "broken."},
                      ThrowCase{"OutOfMemory", [] { throw std::bad_alloc(); }, "メモリが不足しています."},
                      ThrowCase{"AnythingElse", [] { throw 7; }, "Unknown exception."}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(FormCreate, AnExceptionInOnCreateIsShownAndConstructionGoesOn)
{
    struct FailingForm : TForm {
        FailingForm() : TForm("failing")
        {
            OnCreate = [](TComponent &) { throw Exception("no start"); };
            DoCreate();
            created = true;
        }
        bool created = false;
    };
    ScriptedPresenter presenter;
    FailingForm form;
    EXPECT_TRUE(form.created);
    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "no start.");
}

// --- Notebook ---------------------------------------------------------------

struct PageRequest {
    const char *label;
    int request;
    int expected;
};

void PrintTo(const PageRequest &c, std::ostream *os) { *os << c.label; }

class NotebookPageIndex : public ::testing::TestWithParam<PageRequest> {};

TEST_P(NotebookPageIndex, ChangesOnlyForAnotherExistingPage)
{
    TForm form("form");
    TNotebook notebook(form, "notebook", {"P0", "P1", "P2", "P3", "P4", "P5"});
    notebook.SetPageIndex(2);

    notebook.SetPageIndex(GetParam().request);

    const int expected = GetParam().expected;
    EXPECT_EQ(notebook.PageIndex(), expected);
    EXPECT_EQ(notebook.ActivePage(), "P" + std::to_string(expected));
    for (int i = 0; i < notebook.PageCount(); ++i)
        EXPECT_EQ(notebook.Page(i).Handle()->isVisibleTo(notebook.Handle()), i == expected) << "page " << i;
}

INSTANTIATE_TEST_SUITE_P(Requests, NotebookPageIndex,
                         ::testing::Values(PageRequest{"BeforeFirst", -1, 2}, PageRequest{"PastLast", 6, 2},
                                           PageRequest{"Current", 2, 2}, PageRequest{"First", 0, 0},
                                           PageRequest{"Last", 5, 5}),
                         [](const auto &info) { return std::string(info.param.label); });

// --- Edits and radio buttons ------------------------------------------------

TEST(Edit, ChangeEventForTypingAndForSettingTheText)
{
    TForm form("form");
    TEdit edit(form, "edit");
    std::vector<std::string> seen;
    edit.OnChange = [&](TComponent &) { seen.push_back(edit.Text()); };

    QTest::keyClicks(edit.Handle(), "ab");
    edit.SetText("/tmp/表.kbr");

    EXPECT_EQ(seen, (std::vector<std::string>{"a", "ab", "/tmp/表.kbr"}));
}

TEST(RadioButton, ClickEventOnlyWhenItBecomesCheckedAndTheProgramCanUncheck)
{
    TForm form("form");
    TRadioButton first(form, "first");
    TRadioButton second(form, "second");
    std::vector<std::string> clicked;
    first.OnClick = [&](TComponent &sender) { clicked.push_back(sender.Name()); };
    second.OnClick = first.OnClick;

    first.SetChecked(true);
    second.SetChecked(true);
    second.SetChecked(true);

    EXPECT_FALSE(first.Checked());
    EXPECT_TRUE(second.Checked());
    second.SetChecked(false);
    EXPECT_FALSE(second.Checked());
    EXPECT_EQ(clicked, (std::vector<std::string>{"first", "second"}));
}

TEST(Memo, KeepsItsLinesExactly)
{
    TForm form("form");
    TMemo memo(form, "memo");
    const std::vector<std::string> lines{"ま", "", "と", "end"};
    memo.SetLines(lines);
    EXPECT_EQ(memo.Lines(), lines);
}

// --- List box ---------------------------------------------------------------

class ListBox : public ::testing::Test {
protected:
    ListBox()
    {
        list.SetBounds(0, 0, 200, 137);
        list.SetStyle(lbOwnerDrawFixed);
        list.SetItemHeight(13);
        list.SetMultiSelect(true);
        list.SetExtendedSelect(true);
        list.OnClick = [this](TComponent &) { ++clicks; };
        for (const char *text : {"0a", "0b", "0c"})
            list.Items.Add(text);
    }

    std::vector<bool> Selection()
    {
        std::vector<bool> selected;
        for (int i = 0; i < list.Items.Count(); ++i)
            selected.push_back(list.Selected(i));
        return selected;
    }

    void ClickItem(int index, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QListWidget &qt = QtList(list);
        QTest::mouseClick(qt.viewport(), Qt::LeftButton, modifiers, qt.visualItemRect(qt.item(index)).center());
    }

    TForm form{"form"};
    TListBox list{form, "list"};
    int clicks = 0;
};

TEST_F(ListBox, ItemsKeepTheirBytesExactly)
{
    const std::string shiftJis = "0C:\\" "\x95\x5c" ".txt"; // not UTF-8
    list.Items.Add(shiftJis);
    EXPECT_EQ(list.Items[3], shiftJis);
    EXPECT_EQ(list.Items.Count(), 4);
}

TEST_F(ListBox, ProgramChangesRaiseNoClick)
{
    list.SetSelected(0, true);
    list.SetSelected(2, true);
    list.Items.Put(0, "1a");
    list.Items.Delete(1);
    list.Items.Insert(0, "0z");

    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.Items[1], "1a");
    EXPECT_EQ(Selection(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(list.SelCount(), 1);
}

TEST_F(ListBox, PutReplacesTheItemUnselectedAndKeepsTheOthers)
{
    for (int i = 0; i < 3; ++i)
        list.SetSelected(i, true);
    list.Items.Put(1, "1b");
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(list.Items[1], "1b");
}

TEST_F(ListBox, ClickSelectsOneAndCtrlOrShiftExtend)
{
    form.Show();
    ClickItem(0);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false, false}));
    ClickItem(2, Qt::ControlModifier);
    EXPECT_EQ(Selection(), (std::vector<bool>{true, false, true}));
    ClickItem(1);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, false}));
    ClickItem(2, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), (std::vector<bool>{false, true, true}));
    EXPECT_GE(clicks, 4);
}

TEST_F(ListBox, IndexOutsideTheItemsRaises)
{
    EXPECT_THROW(list.Items[3], Exception);
    EXPECT_THROW(list.Items.Delete(-1), Exception);
    EXPECT_THROW(list.SetSelected(3, true), Exception);
    EXPECT_NO_THROW(list.Items.Insert(3, "0d"));
}

TEST_F(ListBox, OwnerDrawGetsEachItemWithColoursPreparedByItsState)
{
    struct Drawn {
        int index;
        TRect rect;
        TOwnerDrawState state;
    };
    std::vector<Drawn> drawn;
    list.OnDrawItem = [&](TListBox &control, int index, const TRect &rect, TOwnerDrawState state) {
        drawn.push_back({index, rect, state});
        control.Canvas().FillRect(rect);
    };
    list.SetSelected(1, true);
    form.Show();

    const QImage picture = list.Handle()->grab().toImage();

    ASSERT_GE(drawn.size(), 3u);
    for (const Drawn &d : drawn) {
        EXPECT_EQ(d.rect.Height(), 13);
        EXPECT_EQ(d.rect.Top, 13 * d.index);
        EXPECT_EQ(d.state.Selected, d.index == 1);
    }
    // The handler only filled: the colour is the one prepared for the state.
    QListWidget &qt = QtList(list);
    const QPoint origin = qt.viewport()->mapTo(list.Handle(), QPoint(0, 0));
    const auto colourAt = [&](int index) {
        return picture.pixelColor(origin + qt.visualItemRect(qt.item(index)).center());
    };
    const QPalette::ColorGroup group = qt.isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    EXPECT_EQ(colourAt(1), qt.palette().color(group, QPalette::Highlight));
    EXPECT_EQ(colourAt(0), qt.palette().color(group, QPalette::Base));
}

TEST_F(ListBox, ADrawHandlerThatAlwaysFailsShowsOneBoxAfterPainting)
{
    ScriptedPresenter presenter;
    list.OnDrawItem = [](TListBox &, int, const TRect &, TOwnerDrawState) { throw Exception("cannot draw"); };
    form.Show();
    list.Handle()->grab();
    EXPECT_TRUE(presenter.messages.empty());

    QCoreApplication::processEvents();
    list.Handle()->grab();
    QCoreApplication::processEvents();

    ASSERT_FALSE(presenter.messages.empty());
    EXPECT_EQ(presenter.messages[0].text, "cannot draw.");

    list.OnDrawItem = nullptr; // leave no report pending for other tests
    QCoreApplication::processEvents();
}

// --- Progress bar and label: repaint at once --------------------------------

TEST(ProgressBar, KeepsTheSixteenBitPositionInItsRange)
{
    TForm form("form");
    TProgressBar bar(form, "bar");
    bar.SetMax(65535);
    bar.SetPosition(65535);
    EXPECT_EQ(bar.Position(), 65535);
    bar.SetMax(2);
    EXPECT_EQ(bar.Position(), 2);
    bar.SetMin(1);
    bar.SetPosition(0);
    EXPECT_EQ(bar.Position(), 1);
}

TEST(ProgressBar, SettersRepaintWithoutTheEventLoop)
{
    TForm form("form");
    TProgressBar bar(form, "bar");
    bar.SetBounds(0, 0, 200, 17);
    form.Show();
    QCoreApplication::processEvents();
    PaintCounter paints(bar.Handle());

    bar.SetMax(0); // a one-item job: no busy indicator, just an empty bar
    bar.SetPosition(0);
    bar.SetMax(10);
    bar.SetPosition(5);

    EXPECT_GE(paints.count, 4);
}

TEST(Label, UpdatePaintsTheWindowWithoutTheEventLoop)
{
    TForm form("form");
    TNotebook notebook(form, "notebook", {"first", "second"});
    notebook.SetBounds(0, 0, 300, 100);
    TLabel label(notebook.Page(1), "label");
    form.Show();
    QCoreApplication::processEvents();
    PaintCounter labelPaints(label.Handle());

    notebook.SetPageIndex(1);
    label.SetCaption("しばらくお待ち下さい");
    label.Update();

    EXPECT_GE(labelPaints.count, 1);
    EXPECT_GE(label.Width(), label.Handle()->fontMetrics().horizontalAdvance(QString::fromUtf8("しばらくお待ち下さい")));
}

// --- File dialogs -----------------------------------------------------------

TEST(FileDialog, AsksThePresenterAndKeepsTheChoiceForNextTime)
{
    ScriptedPresenter presenter;
    presenter.AnswerNextFileDialogs({Chosen({"/d/a.txt", "/d/b.txt"}), FileDialogResult{}});
    TOpenDialog dialog("OpenDialog");
    dialog.InitialDir = "/d/";
    dialog.Options = {ofAllowMultiSelect};

    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/d/a.txt");
    EXPECT_EQ(dialog.Files, (std::vector<std::string>{"/d/a.txt", "/d/b.txt"}));

    dialog.Options = {};
    EXPECT_FALSE(dialog.Execute()); // cancelled: nothing changes
    EXPECT_EQ(dialog.FileName, "/d/a.txt");

    ASSERT_EQ(presenter.fileDialogs.size(), 2u);
    EXPECT_EQ(presenter.fileDialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(presenter.fileDialogs[0].initialDir, "/d/");
    EXPECT_EQ(presenter.fileDialogs[0].fileName, "");
    EXPECT_TRUE(presenter.fileDialogs[0].multiSelect);
    EXPECT_EQ(presenter.fileDialogs[1].fileName, "/d/a.txt");
    EXPECT_FALSE(presenter.fileDialogs[1].multiSelect);
}

TEST(FileDialog, SaveDialogAsksForOneFile)
{
    ScriptedPresenter presenter;
    presenter.AnswerNextFileDialogs({Chosen({"/d/out.kbr"})});
    TSaveDialog dialog("SaveDialog");
    dialog.Options = {ofAllowMultiSelect};
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, "/d/out.kbr");
    EXPECT_EQ(presenter.fileDialogs.at(0).kind, FileDialogKind::Save);
    EXPECT_FALSE(presenter.fileDialogs.at(0).multiSelect);
}

// --- The Qt presenter's dialogs ---------------------------------------------

TEST(QtMessageBox, StopIconCaptionTextAndJapaneseButtons)
{
    MessageRequest request;
    request.caption = "ｴﾗｰ";
    request.text = "未知のファイル形式です。\n無理に開くとハングアップするかもしれません";
    request.buttons = {MsgButton::Abort, MsgButton::Ignore};
    const auto box = NewMessageBox(request);

    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("ｴﾗｰ"));
    EXPECT_EQ(box->text(), QString::fromUtf8(request.text.c_str()));
    std::vector<std::pair<QString, MsgResult>> buttons;
    for (QAbstractButton *button : box->buttons())
        buttons.emplace_back(button->text(), AnswerOf(button));
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<std::pair<QString, MsgResult>>{{QString::fromUtf8("中止(&A)"), MsgResult::Abort},
                                                                  {QString::fromUtf8("無視(&I)"), MsgResult::Ignore}}));
    EXPECT_EQ(AnswerOf(box->escapeButton()), MsgResult::Ignore);
}

TEST(QtMessageBox, OkBox)
{
    MessageRequest request;
    request.text = "Error : KFile_Open()";
    request.buttons = {MsgButton::Ok};
    const auto box = NewMessageBox(request);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons()[0]->text(), QStringLiteral("OK"));
    EXPECT_EQ(AnswerOf(box->escapeButton()), MsgResult::Ok);
}

TEST(QtFileDialog, SaveAsksNoOverwriteQuestion)
{
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.initialDir = "/tmp";
    const auto dialog = NewFileDialog(request, nullptr);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->directory().absolutePath(), QStringLiteral("/tmp"));
}

struct OpenCase {
    const char *label;
    bool multiSelect;
    QString typed;
    QStringList chosen; // relative to the folder
};

void PrintTo(const OpenCase &c, std::ostream *os) { *os << c.label; }

class QtOpenDialog : public ::testing::TestWithParam<OpenCase> {};

TEST_P(QtOpenDialog, AcceptsNamesOfFilesThatDoNotExist)
{
    testing_support::TempDir folder;
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.multiSelect = GetParam().multiSelect;
    request.initialDir = folder.path().string();
    const auto dialog = NewFileDialog(request, nullptr);
    dialog->selectFile(GetParam().typed);

    QMetaObject::invokeMethod(dialog.get(), "accept"); // as the dialog's Open button does

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    QStringList expected;
    for (const QString &name : GetParam().chosen)
        expected.append(QString::fromStdString(folder.file(name.toStdString())));
    EXPECT_EQ(dialog->selectedFiles(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, QtOpenDialog,
    ::testing::Values(OpenCase{"OneFile", false, "missing.kbr", {"missing.kbr"}},
                      OpenCase{"SeveralFiles", true, "\"a.txt\" \"b.txt\"", {"a.txt", "b.txt"}}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
