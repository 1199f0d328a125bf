// The form's description: every control with its place, texts, fonts,
// settings, tab order and event bindings.
#include <functional>
#include <string>
#include <vector>

#include "wizard/frm_main.h"

namespace {

TFont PGothic(int height, bool bold = false)
{
    return TFont{"ＭＳ Ｐゴシック", height, bold};
}

// The explanatory memos look like static text.
void SetUpMemo(TMemo &memo, int left, int top, int width, int height, const std::vector<std::string> &lines)
{
    memo.SetBounds(left, top, width, height);
    memo.SetFont(PGothic(15));
    memo.SetReadOnly(true);
    memo.SetBorder(false);
    memo.SetColor(clBtnFace);
    memo.SetTabStop(false);
    memo.SetLines(lines);
}

void SetUpButton(TButton &button, int left, int top, int width, int height, const std::string &caption,
                 int tabOrder)
{
    button.SetBounds(left, top, width, height);
    button.SetCaption(caption);
    button.SetTabOrder(tabOrder);
}

void SetUpLabel(TLabel &label, int left, int top, int width, int height, const std::string &caption,
                const TFont &font)
{
    label.SetBounds(left, top, width, height);
    label.SetFont(font);
    label.SetCaption(caption);
}

void SetUpFileList(TListBox &list, int tabOrder)
{
    list.SetBounds(16, 40, 201, 137);
    list.SetFont(PGothic(13));
    list.SetStyle(lbOwnerDrawFixed);
    list.SetItemHeight(13);
    list.SetMultiSelect(true);
    list.SetExtendedSelect(true);
    list.SetTabOrder(tabOrder);
}

} // namespace

TfrmMain::TfrmMain()
    : TForm("frmMain"),
      Bevel2(*this, "Bevel2"),
      imgKombrel(*this, "imgKombrel"),
      Notebook(*this, "Notebook", {"Page1", "LinkPage1", "LinkPage2", "RestorePage1", "RestorePage2", "Execute"}),
      Bevel1(*this, "Bevel1"),
      btnPrev(*this, "btnPrev"),
      btnNext(*this, "btnNext"),
      btnCancel(*this, "btnCancel"),
      OpenDialog("OpenDialog"),
      SaveDialog("SaveDialog"),
      Memo2(Notebook.Page(0), "Memo2"),
      rbFileLink(Notebook.Page(0), "rbFileLink"),
      rbFileRestore(Notebook.Page(0), "rbFileRestore"),
      Memo1(Notebook.Page(1), "Memo1"),
      Label1(Notebook.Page(1), "Label1"),
      edtTargetLinkFile(Notebook.Page(1), "edtTargetLinkFile"),
      btnTargetLinkFileOpen(Notebook.Page(1), "btnTargetLinkFileOpen"),
      Label2(Notebook.Page(2), "Label2"),
      lstLinkFile(Notebook.Page(2), "lstLinkFile"),
      btnCompress(Notebook.Page(2), "btnCompress"),
      btnDisable(Notebook.Page(2), "btnDisable"),
      btnFileAdd(Notebook.Page(2), "btnFileAdd"),
      btnFileDel(Notebook.Page(2), "btnFileDel"),
      Memo3(Notebook.Page(3), "Memo3"),
      Label4(Notebook.Page(3), "Label4"),
      edtTargetRestoreFile(Notebook.Page(3), "edtTargetRestoreFile"),
      btnTargetRestoreFileOpen(Notebook.Page(3), "btnTargetRestoreFileOpen"),
      Label3(Notebook.Page(4), "Label3"),
      lstRestoreFile(Notebook.Page(4), "lstRestoreFile"),
      btnFileSelect(Notebook.Page(4), "btnFileSelect"),
      btnFileClear(Notebook.Page(4), "btnFileClear"),
      lblExecute(Notebook.Page(5), "lblExecute"),
      ProgressBar(Notebook.Page(5), "ProgressBar")
{
    SetCaption("Kombrel file utility");
    SetPosition(200, 107);
    SetClientSize(401, 248);
    SetFont(PGothic(12));

    // On the form.
    Bevel2.SetBounds(16, 8, 54, 194);
    Bevel2.SetShape(bsBox);
    imgKombrel.SetBounds(18, 10, 50, 190);
    imgKombrel.LoadFromResource("kombrel-picture.xpm");
    Notebook.SetBounds(80, 8, 305, 193);
    Notebook.SetTabOrder(0);
    Notebook.SetPageIndex(5); // as stored; FormCreate goes to page 0
    Bevel1.SetBounds(16, 208, 369, 41);
    Bevel1.SetShape(bsTopLine);
    SetUpButton(btnPrev, 136, 216, 81, 25, "<< 戻る", 1);
    SetUpButton(btnNext, 216, 216, 81, 25, "次へ >>", 2);
    SetUpButton(btnCancel, 304, 216, 83, 25, "キャンセル", 3);

    // Page 0, "Page1".
    SetUpMemo(Memo2, 16, 16, 281, 81,
              {"Kombrel file utilityでは、複数のファイルをま", "と", "めて１つのファイルに結合したり、結合された",
               "ファイルから特定のファイルを取り出すことが", "できます。"});
    rbFileLink.SetBounds(32, 128, 217, 17);
    rbFileLink.SetCaption("ファイルを結合して１つにまとめる");
    rbFileLink.SetTabOrder(1);
    rbFileRestore.SetBounds(32, 152, 217, 17);
    rbFileRestore.SetCaption("結合したファイルを分解する");
    rbFileRestore.SetTabOrder(2);

    // Page 1, "LinkPage1".
    SetUpMemo(Memo1, 16, 16, 281, 97,
              {"複数のファイルをまとめて、１つのファイルに", "結合します。", "",
               "作成するファイルの名前を入力して下さい。"});
    SetUpLabel(Label1, 16, 136, 59, 12, "ファイル名", PGothic(12, true));
    edtTargetLinkFile.SetBounds(24, 152, 209, 20);
    edtTargetLinkFile.SetTabOrder(1);
    SetUpButton(btnTargetLinkFileOpen, 240, 148, 51, 25, "参照", 2);

    // Page 2, "LinkPage2".
    SetUpLabel(Label2, 16, 16, 214, 15, "結合するファイルを指定して下さい", PGothic(15));
    SetUpFileList(lstLinkFile, 0);
    SetUpButton(btnCompress, 224, 48, 67, 25, "圧縮", 3);
    SetUpButton(btnDisable, 224, 80, 67, 25, "解除", 4);
    SetUpButton(btnFileAdd, 224, 112, 67, 25, "追加", 1);
    SetUpButton(btnFileDel, 224, 144, 67, 25, "削除", 2);

    // Page 3, "RestorePage1".
    SetUpMemo(Memo3, 16, 16, 281, 97,
              {"結合したファイルを分解し、ファイルを取り出", "します。", "",
               "リンクファイルの名前を入力して下さい。"});
    SetUpLabel(Label4, 16, 136, 59, 12, "ファイル名", PGothic(12, true));
    edtTargetRestoreFile.SetBounds(24, 152, 209, 20);
    edtTargetRestoreFile.SetTabOrder(1);
    SetUpButton(btnTargetRestoreFileOpen, 240, 148, 51, 25, "参照", 2);

    // Page 4, "RestorePage2".
    SetUpLabel(Label3, 16, 16, 214, 15, "展開するファイルを指定して下さい", PGothic(15));
    SetUpFileList(lstRestoreFile, 0);
    SetUpButton(btnFileSelect, 224, 112, 67, 25, "すべて選択", 1);
    SetUpButton(btnFileClear, 224, 144, 67, 25, "選択解除", 2);

    // Page 5, "Execute".
    SetUpLabel(lblExecute, 16, 16, 60, 15, "実行状態", PGothic(15));
    ProgressBar.SetBounds(24, 152, 257, 17);
    ProgressBar.SetMin(0);
    ProgressBar.SetMax(100);
    ProgressBar.SetPosition(0);

    // Events.
    OnCreate = std::bind_front(&TfrmMain::FormCreate, this);
    btnPrev.OnClick = std::bind_front(&TfrmMain::btnPrevClick, this);
    btnNext.OnClick = std::bind_front(&TfrmMain::btnNextClick, this);
    btnCancel.OnClick = std::bind_front(&TfrmMain::btnCancelClick, this);
    rbFileLink.OnClick = std::bind_front(&TfrmMain::EnabledCtrlChange, this);
    rbFileRestore.OnClick = std::bind_front(&TfrmMain::EnabledCtrlChange, this);
    edtTargetLinkFile.OnChange = std::bind_front(&TfrmMain::EnabledCtrlChange, this);
    btnTargetLinkFileOpen.OnClick = std::bind_front(&TfrmMain::btnTargetLinkFileOpenClick, this);
    lstLinkFile.OnDrawItem = std::bind_front(&TfrmMain::lstLinkFileDrawItem, this);
    btnCompress.OnClick = std::bind_front(&TfrmMain::btnCompressClick, this);
    btnDisable.OnClick = std::bind_front(&TfrmMain::btnDisableClick, this);
    btnFileAdd.OnClick = std::bind_front(&TfrmMain::btnFileAddClick, this);
    btnFileDel.OnClick = std::bind_front(&TfrmMain::btnFileDelClick, this);
    edtTargetRestoreFile.OnChange = std::bind_front(&TfrmMain::EnabledCtrlChange, this);
    btnTargetRestoreFileOpen.OnClick = std::bind_front(&TfrmMain::btnTargetRestoreFileOpenClick, this);
    lstRestoreFile.OnClick = std::bind_front(&TfrmMain::EnabledCtrlChange, this);
    lstRestoreFile.OnDrawItem = std::bind_front(&TfrmMain::lstLinkFileDrawItem, this);
    btnFileSelect.OnClick = std::bind_front(&TfrmMain::btnFileSelectClick, this);
    btnFileClear.OnClick = std::bind_front(&TfrmMain::btnFileClearClick, this);

    ApplyTabOrder();
    DoCreate();
}
