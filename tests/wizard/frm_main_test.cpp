// The main window: TfrmMain with every control of its description, built on
// the offscreen platform without being shown unless a test needs input.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/paths.h"
#include "tests/support/scripted_presenter.h"
#include "wizard/frm_main.h"

using testing_support::ScriptedPresenter;

namespace {

class FrmMain : public ::testing::Test {
protected:
    ScriptedPresenter presenter;
    TfrmMain form;
};

TEST_F(FrmMain, IsAFixedDialogFrameWindowOfItsSizeAndPlace)
{
    QWidget &window = *form.Handle();
    EXPECT_EQ(form.Caption(), "Kombrel file utility");
    EXPECT_EQ(window.size(), QSize(401, 248));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // not resizable
    EXPECT_EQ(window.pos(), QPoint(200, 107));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.isVisible()); // shown by the message loop, not by construction
}

TEST_F(FrmMain, StartsOnPage1WithNothingChosen)
{
    const std::vector<std::string> pages{"Page1", "LinkPage1", "LinkPage2", "RestorePage1", "RestorePage2", "Execute"};
    ASSERT_EQ(form.Notebook.PageCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(form.Notebook.Page(i).Caption(), pages[static_cast<std::size_t>(i)]);
    EXPECT_EQ(form.Notebook.ActivePage(), "Page1");
    EXPECT_FALSE(form.rbFileLink.Checked());
    EXPECT_FALSE(form.rbFileRestore.Checked());
    EXPECT_FALSE(form.btnPrev.Enabled());
    EXPECT_FALSE(form.btnNext.Enabled());
    EXPECT_EQ(form.btnNext.Caption(), "次へ >>");
    const std::string programFolder = ExtractFilePath(RunningProgramPath());
    EXPECT_EQ(form.OpenDialog.InitialDir, programFolder);
    EXPECT_EQ(form.SaveDialog.InitialDir, programFolder);
    EXPECT_TRUE(presenter.messages.empty());
}

// --- Every control on its parent --------------------------------------------

constexpr int kOnForm = -1;

struct ControlRow {
    const char *name;
    int page; // kOnForm, or the notebook page the control sits on
    const char *qtClass;
    QRect bounds;
    std::string text;
    int fontHeight;
    bool bold;
    bool sizesToCaption = false; // a label: only its top-left is fixed
};

void PrintTo(const ControlRow &row, std::ostream *os) { *os << row.name; }

std::string TextOf(const QWidget &widget)
{
    QString text;
    if (auto *button = qobject_cast<const QAbstractButton *>(&widget))
        text = button->text();
    else if (auto *label = qobject_cast<const QLabel *>(&widget))
        text = label->text();
    else if (auto *edit = qobject_cast<const QLineEdit *>(&widget))
        text = edit->text();
    else if (auto *memo = qobject_cast<const QPlainTextEdit *>(&widget))
        text = memo->toPlainText();
    return text.toStdString();
}

class FormControl : public FrmMain, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(FormControl, SitsOnItsParentWithItsPlaceTextAndFont)
{
    const ControlRow &row = GetParam();
    auto *widget = form.Handle()->findChild<QWidget *>(QString::fromUtf8(row.name));
    ASSERT_NE(widget, nullptr);
    const QWidget *parent = row.page == kOnForm ? form.Handle() : form.Notebook.Page(row.page).Handle();
    EXPECT_EQ(widget->parentWidget(), parent);
    EXPECT_TRUE(widget->inherits(row.qtClass)) << widget->metaObject()->className();
    EXPECT_FALSE(widget->isHidden());
    if (row.sizesToCaption) {
        EXPECT_EQ(widget->pos(), row.bounds.topLeft());
        EXPECT_GE(widget->width(), widget->fontMetrics().horizontalAdvance(QString::fromStdString(row.text)));
    } else {
        EXPECT_EQ(widget->geometry(), row.bounds);
    }
    EXPECT_EQ(TextOf(*widget), row.text);
    EXPECT_EQ(widget->font().pixelSize(), row.fontHeight);
    EXPECT_EQ(widget->font().bold(), row.bold);
}

QRect R(int left, int top, int width, int height)
{
    return QRect(left, top, width, height);
}

INSTANTIATE_TEST_SUITE_P(
    Description, FormControl,
    ::testing::Values(
        ControlRow{"Bevel2", kOnForm, "QWidget", R(16, 8, 54, 194), "", 12, false},
        ControlRow{"imgKombrel", kOnForm, "QLabel", R(18, 10, 50, 190), "", 12, false},
        ControlRow{"Notebook", kOnForm, "QStackedWidget", R(80, 8, 305, 193), "", 12, false},
        ControlRow{"Bevel1", kOnForm, "QWidget", R(16, 208, 369, 41), "", 12, false},
        ControlRow{"btnPrev", kOnForm, "QPushButton", R(136, 216, 81, 25), "<< 戻る", 12, false},
        ControlRow{"btnNext", kOnForm, "QPushButton", R(216, 216, 81, 25), "次へ >>", 12, false},
        ControlRow{"btnCancel", kOnForm, "QPushButton", R(304, 216, 83, 25), "キャンセル", 12, false},
        ControlRow{"Memo2", 0, "QPlainTextEdit", R(16, 16, 281, 81),
                   "Kombrel file utilityでは、複数のファイルをま\nと\nめて１つのファイルに結合したり、結合された\n"
                   "ファイルから特定のファイルを取り出すことが\nできます。",
                   15, false},
        ControlRow{"rbFileLink", 0, "QRadioButton", R(32, 128, 217, 17), "ファイルを結合して１つにまとめる", 12, false},
        ControlRow{"rbFileRestore", 0, "QRadioButton", R(32, 152, 217, 17), "結合したファイルを分解する", 12, false},
        ControlRow{"Memo1", 1, "QPlainTextEdit", R(16, 16, 281, 97),
                   "複数のファイルをまとめて、１つのファイルに\n結合します。\n\n作成するファイルの名前を入力して下さい。", 15,
                   false},
        ControlRow{"Label1", 1, "QLabel", R(16, 136, 59, 12), "ファイル名", 12, true, true},
        ControlRow{"edtTargetLinkFile", 1, "QLineEdit", R(24, 152, 209, 20), "", 12, false},
        ControlRow{"btnTargetLinkFileOpen", 1, "QPushButton", R(240, 148, 51, 25), "参照", 12, false},
        ControlRow{"Label2", 2, "QLabel", R(16, 16, 214, 15), "結合するファイルを指定して下さい", 15, false, true},
        ControlRow{"lstLinkFile", 2, "QListWidget", R(16, 40, 201, 137), "", 13, false},
        ControlRow{"btnCompress", 2, "QPushButton", R(224, 48, 67, 25), "圧縮", 12, false},
        ControlRow{"btnDisable", 2, "QPushButton", R(224, 80, 67, 25), "解除", 12, false},
        ControlRow{"btnFileAdd", 2, "QPushButton", R(224, 112, 67, 25), "追加", 12, false},
        ControlRow{"btnFileDel", 2, "QPushButton", R(224, 144, 67, 25), "削除", 12, false},
        ControlRow{"Memo3", 3, "QPlainTextEdit", R(16, 16, 281, 97),
                   "結合したファイルを分解し、ファイルを取り出\nします。\n\nリンクファイルの名前を入力して下さい。", 15, false},
        ControlRow{"Label4", 3, "QLabel", R(16, 136, 59, 12), "ファイル名", 12, true, true},
        ControlRow{"edtTargetRestoreFile", 3, "QLineEdit", R(24, 152, 209, 20), "", 12, false},
        ControlRow{"btnTargetRestoreFileOpen", 3, "QPushButton", R(240, 148, 51, 25), "参照", 12, false},
        ControlRow{"Label3", 4, "QLabel", R(16, 16, 214, 15), "展開するファイルを指定して下さい", 15, false, true},
        ControlRow{"lstRestoreFile", 4, "QListWidget", R(16, 40, 201, 137), "", 13, false},
        ControlRow{"btnFileSelect", 4, "QPushButton", R(224, 112, 67, 25), "すべて選択", 12, false},
        ControlRow{"btnFileClear", 4, "QPushButton", R(224, 144, 67, 25), "選択解除", 12, false},
        ControlRow{"lblExecute", 5, "QLabel", R(16, 16, 60, 15), "実行状態", 15, false, true},
        ControlRow{"ProgressBar", 5, "QProgressBar", R(24, 152, 257, 17), "", 12, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FrmMain, EveryFontIsTheJapaneseGothicOrItsStandIn)
{
    const QFontInfo font(form.Memo2.Handle()->font());
    EXPECT_TRUE(font.family() == QString::fromUtf8("ＭＳ Ｐゴシック") || font.family() == QStringLiteral("IPAPGothic"))
        << font.family().toStdString();
}

TEST_F(FrmMain, MemosLookLikeStaticTextAndShowEveryLine)
{
    for (TMemo *memo : {&form.Memo1, &form.Memo2, &form.Memo3}) {
        auto &qt = *static_cast<QPlainTextEdit *>(memo->Handle());
        EXPECT_TRUE(memo->ReadOnly()) << memo->Name();
        EXPECT_FALSE(memo->TabStop()) << memo->Name();
        EXPECT_EQ(qt.frameShape(), QFrame::NoFrame) << memo->Name();
        EXPECT_EQ(qt.palette().color(QPalette::Base), form.Handle()->palette().color(QPalette::Window));
        // Every stored line fits the memo's width, and all lines its height.
        const QFontMetrics metrics = qt.fontMetrics();
        for (const std::string &line : memo->Lines())
            EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(line)), memo->Width()) << line;
        EXPECT_LE(metrics.lineSpacing() * static_cast<int>(memo->Lines().size()), memo->Height()) << memo->Name();
    }
}

TEST_F(FrmMain, PictureIsFiftyByOneHundredNinety)
{
    EXPECT_EQ(form.imgKombrel.PictureWidth(), 50);
    EXPECT_EQ(form.imgKombrel.PictureHeight(), 190);
}

TEST_F(FrmMain, TabVisitsThePageControlsThenTheWizardButtons)
{
    std::vector<std::string> chain;
    QWidget *widget = form.Handle();
    do {
        widget = widget->nextInFocusChain();
        const std::string name = widget->objectName().toStdString();
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && !name.empty() && name.rfind("qt_", 0) != 0)
            chain.push_back(name);
    } while (widget != form.Handle());

    const std::vector<std::string> expected{
        "rbFileLink", "rbFileRestore",                                          // Page1
        "edtTargetLinkFile", "btnTargetLinkFileOpen",                           // LinkPage1
        "lstLinkFile", "btnFileAdd", "btnFileDel", "btnCompress", "btnDisable", // LinkPage2
        "edtTargetRestoreFile", "btnTargetRestoreFileOpen",                     // RestorePage1
        "lstRestoreFile", "btnFileSelect", "btnFileClear",                      // RestorePage2
        "btnPrev", "btnNext", "btnCancel"};
    EXPECT_EQ(chain, expected);
}

// --- Input --------------------------------------------------------------------

TEST_F(FrmMain, RadioButtonsAreExclusiveAndEnableNext)
{
    form.Show();
    QTest::mouseClick(form.rbFileLink.Handle(), Qt::LeftButton);
    EXPECT_TRUE(form.rbFileLink.Checked());
    EXPECT_TRUE(form.btnNext.Enabled());

    QTest::mouseClick(form.rbFileRestore.Handle(), Qt::LeftButton);
    EXPECT_TRUE(form.rbFileRestore.Checked());
    EXPECT_FALSE(form.rbFileLink.Checked());
    EXPECT_TRUE(form.btnNext.Enabled());
}

TEST_F(FrmMain, ListsAreOwnerDrawnWithExtendedMultipleSelection)
{
    for (TListBox *list : {&form.lstLinkFile, &form.lstRestoreFile}) {
        EXPECT_EQ(list->Style(), lbOwnerDrawFixed) << list->Name();
        EXPECT_EQ(list->ItemHeight(), 13) << list->Name();
        EXPECT_TRUE(list->MultiSelect()) << list->Name();
        EXPECT_TRUE(list->ExtendedSelect()) << list->Name();
        EXPECT_EQ(static_cast<QListWidget *>(list->Handle())->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
}

TEST_F(FrmMain, BothListsDrawThroughTheFormsDrawingHandler)
{
    std::vector<std::string> drawn;
    for (TListBox *list : {&form.lstLinkFile, &form.lstRestoreFile}) {
        list->Items.Add("0" + list->Name());
        // The bound handler is the form's; wrap it to see it called.
        auto bound = list->OnDrawItem;
        ASSERT_TRUE(bound) << list->Name();
        list->OnDrawItem = [&, bound](TListBox &control, int index, const TRect &rect, TOwnerDrawState state) {
            drawn.push_back(control.Items[index]);
            bound(control, index, rect, state);
        };
        list->Handle()->grab();
    }
    EXPECT_EQ(drawn, (std::vector<std::string>{"0lstLinkFile", "0lstRestoreFile"}));
}

TEST_F(FrmMain, CancelClosesTheWindow)
{
    form.Show();
    QTest::mouseClick(form.btnCancel.Handle(), Qt::LeftButton);
    EXPECT_FALSE(form.Handle()->isVisible());
}

TEST_F(FrmMain, AHandlerThatThrowsShowsTheExceptionBoxAndTheWindowGoesOn)
{
    form.Show();
    form.btnCompress.OnClick = [](TComponent &) { throw EFOpenError("/tmp/a.txt"); };
    form.Notebook.SetPageIndex(2);

    QTest::mouseClick(form.btnCompress.Handle(), Qt::LeftButton);
    QTest::mouseClick(form.btnCancel.Handle(), Qt::LeftButton);

    ASSERT_EQ(presenter.messages.size(), 1u);
    EXPECT_EQ(presenter.messages[0].text, "ﾌｧｲﾙ /tmp/a.txt は開けません.");
    EXPECT_EQ(presenter.messages[0].caption, "Kombrel file utility");
    EXPECT_EQ(presenter.messages[0].icon, MsgIcon::Stop);
    EXPECT_FALSE(form.Handle()->isVisible()); // the next event still ran
}

} // namespace
