// The form's event handlers: the page flow, and the file pickers and lists.
#include <string>

#include "platform/paths.h"
#include "wizard/frm_main.h"

namespace {

constexpr int kPage1 = 0;
constexpr int kLinkPage1 = 1;
constexpr int kLinkPage2 = 2;
constexpr int kRestorePage1 = 3;
constexpr int kRestorePage2 = 4;
constexpr int kExecute = 5;

// Shows the Execute page with "しばらくお待ち下さい" painted at once, since
// the job blocks the event loop, runs the job and says it has finished. An
// exception from the job passes before the last caption.
void RunJob(TfrmMain &form, void (TfrmMain::*job)())
{
    form.Notebook.SetPageIndex(kExecute);
    form.lblExecute.SetCaption("しばらくお待ち下さい");
    form.lblExecute.Update();
    (form.*job)();
    form.lblExecute.SetCaption("終了しました");
}

// Gives every selected item the flag. Replacing an item deselects it; the
// item count stays the same.
void SetFlagOfSelected(TListBox &list, int32_t flag)
{
    for (int i = 0; i < list.Items.Count(); ++i) {
        if (list.Selected(i))
            list.Items.Put(i, TfrmMain::MakeItem(TfrmMain::ItemFileName(list.Items[i]), flag));
    }
}

// Set by the program, so the list raises no click event for these.
void SelectEveryItem(TListBox &list, bool selected)
{
    for (int i = 0; i < list.Items.Count(); ++i)
        list.SetSelected(i, selected);
}

} // namespace

void TfrmMain::FormCreate(TComponent &)
{
    // Both file pickers open first in the program's own folder.
    const std::string programFolder = ExtractFilePath(RunningProgramPath());
    OpenDialog.InitialDir = programFolder;
    SaveDialog.InitialDir = programFolder;
    Notebook.SetPageIndex(kPage1);
    UpdateWizardButtons();
}

void TfrmMain::btnNextClick(TComponent &)
{
    switch (Notebook.PageIndex()) {
    case kPage1:
        // Next is enabled here only with one of the two checked.
        Notebook.SetPageIndex(rbFileLink.Checked() ? kLinkPage1 : kRestorePage1);
        break;
    case kLinkPage1:
        Notebook.SetPageIndex(kLinkPage2);
        break;
    case kLinkPage2:
        RunJob(*this, &TfrmMain::ExecuteLink);
        break;
    case kRestorePage1:
        // On to the list whatever the listing found, an empty list included.
        LoadRestoreList();
        Notebook.SetPageIndex(kRestorePage2);
        break;
    case kRestorePage2:
        RunJob(*this, &TfrmMain::ExecuteRestore);
        break;
    case kExecute:
        Close();
        break;
    }
    // Skipped when a job lets an exception pass: the Execute page then keeps
    // "しばらくお待ち下さい" and the buttons of the page before.
    UpdateWizardButtons();
}

void TfrmMain::btnPrevClick(TComponent &)
{
    // The restore path starts at page 3: its step back is the first page,
    // not the last page of the combine path. Page 0 stays (no page -1).
    const int page = Notebook.PageIndex();
    Notebook.SetPageIndex(page == kRestorePage1 ? kPage1 : page - 1);
    UpdateWizardButtons();
}

void TfrmMain::btnCancelClick(TComponent &)
{
    Close();
}

void TfrmMain::EnabledCtrlChange(TComponent &)
{
    UpdateWizardButtons();
}

void TfrmMain::UpdateWizardButtons()
{
    // Worked out first and set once: a button disabled even for a moment
    // would hand the keyboard focus on to Cancel.
    bool prevEnabled = true;
    bool nextEnabled = false;
    std::string nextCaption = "次へ >>";
    switch (Notebook.PageIndex()) {
    case kPage1:
        prevEnabled = false;
        nextEnabled = rbFileLink.Checked() || rbFileRestore.Checked();
        break;
    case kLinkPage1:
        nextEnabled = !edtTargetLinkFile.Text().empty();
        break;
    case kLinkPage2:
        nextCaption = "開始";
        nextEnabled = lstLinkFile.Items.Count() > 0;
        break;
    case kRestorePage1:
        nextEnabled = !edtTargetRestoreFile.Text().empty();
        break;
    case kRestorePage2:
        nextCaption = "開始";
        nextEnabled = lstRestoreFile.SelCount() > 0;
        break;
    case kExecute:
        prevEnabled = false;
        nextCaption = "終了";
        nextEnabled = true;
        break;
    }
    btnPrev.SetEnabled(prevEnabled);
    btnNext.SetCaption(nextCaption);
    btnNext.SetEnabled(nextEnabled);
}

void TfrmMain::btnTargetLinkFileOpenClick(TComponent &)
{
    // No options: no question before an existing file, no test of its folder.
    // The edit's change event recomputes the buttons.
    if (SaveDialog.Execute())
        edtTargetLinkFile.SetText(SaveDialog.FileName);
}

void TfrmMain::btnTargetRestoreFileOpenClick(TComponent &)
{
    // One file, which need not exist; the signature check judges it later.
    OpenDialog.Options = {};
    if (OpenDialog.Execute())
        edtTargetRestoreFile.SetText(OpenDialog.FileName);
}

void TfrmMain::btnFileAddClick(TComponent &)
{
    OpenDialog.Options = {ofAllowMultiSelect};
    if (OpenDialog.Execute()) {
        for (const std::string &path : OpenDialog.Files)
            lstLinkFile.Items.Add(MakeItem(path, 0));
    }
    UpdateWizardButtons();
}

void TfrmMain::btnFileDelClick(TComponent &)
{
    // Downwards, so the indexes still to be visited stay valid.
    for (int i = lstLinkFile.Items.Count() - 1; i >= 0; --i) {
        if (lstLinkFile.Selected(i))
            lstLinkFile.Items.Delete(i);
    }
    UpdateWizardButtons();
}

// Marking changes neither the item count nor the restore list's selection,
// so the buttons stand.
void TfrmMain::btnCompressClick(TComponent &)
{
    SetFlagOfSelected(lstLinkFile, 1);
}

void TfrmMain::btnDisableClick(TComponent &)
{
    SetFlagOfSelected(lstLinkFile, 0);
}

void TfrmMain::btnFileSelectClick(TComponent &)
{
    SelectEveryItem(lstRestoreFile, true);
    UpdateWizardButtons();
}

void TfrmMain::btnFileClearClick(TComponent &)
{
    SelectEveryItem(lstRestoreFile, false);
    UpdateWizardButtons();
}

void TfrmMain::lstLinkFileDrawItem(TListBox &Control, int Index, const TRect &Rect, TOwnerDrawState)
{
    // Colours, font and the focus rectangle are the platform's, prepared by
    // the item's state; the handler draws only the shown name.
    const std::string item = Control.Items[Index];
    std::string shown = ExtractFileName(ItemFileName(item));
    if (ItemFlag(item) > 0)
        shown = "[lz] " + shown;
    Control.Canvas().FillRect(Rect);
    Control.Canvas().TextOut(Rect.Left, Rect.Top, shown);
}
