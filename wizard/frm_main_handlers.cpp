// The form's event handlers: the page flow, and the file pickers and lists.
#include "platform/paths.h"
#include "wizard/frm_main.h"

void TfrmMain::FormCreate(TComponent &)
{
    // Both file pickers open first in the program's own folder.
    const std::string programFolder = ExtractFilePath(RunningProgramPath());
    OpenDialog.InitialDir = programFolder;
    SaveDialog.InitialDir = programFolder;
    Notebook.SetPageIndex(0);
    UpdateWizardButtons();
}

void TfrmMain::btnNextClick(TComponent &) {}

void TfrmMain::btnPrevClick(TComponent &) {}

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
    btnPrev.SetEnabled(true);
    btnNext.SetEnabled(false);
    btnNext.SetCaption("次へ >>");
    switch (Notebook.PageIndex()) {
    case 0:
        btnPrev.SetEnabled(false);
        btnNext.SetEnabled(rbFileLink.Checked() || rbFileRestore.Checked());
        break;
    case 1:
        btnNext.SetEnabled(!edtTargetLinkFile.Text().empty());
        break;
    case 2:
        btnNext.SetCaption("開始");
        btnNext.SetEnabled(lstLinkFile.Items.Count() > 0);
        break;
    case 3:
        btnNext.SetEnabled(!edtTargetRestoreFile.Text().empty());
        break;
    case 4:
        btnNext.SetCaption("開始");
        btnNext.SetEnabled(lstRestoreFile.SelCount() > 0);
        break;
    case 5:
        btnPrev.SetEnabled(false);
        btnNext.SetCaption("終了");
        btnNext.SetEnabled(true);
        break;
    }
}

void TfrmMain::btnTargetLinkFileOpenClick(TComponent &) {}

void TfrmMain::btnTargetRestoreFileOpenClick(TComponent &) {}

void TfrmMain::btnFileAddClick(TComponent &) {}

void TfrmMain::btnFileDelClick(TComponent &) {}

void TfrmMain::btnCompressClick(TComponent &) {}

void TfrmMain::btnDisableClick(TComponent &) {}

void TfrmMain::btnFileSelectClick(TComponent &) {}

void TfrmMain::btnFileClearClick(TComponent &) {}

void TfrmMain::lstLinkFileDrawItem(TListBox &, int, const TRect &, TOwnerDrawState) {}
