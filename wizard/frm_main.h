// TfrmMain: the program's one window, a wizard of six notebook pages. Its
// controls are its only data; they hold the whole state between user actions.
//
// The form is split over files by purpose: frm_main_layout.cpp builds the
// controls and binds their events (the form's description), and
// frm_main_handlers.cpp holds the event handlers, frm_main_jobs.cpp the jobs
// and flagged_items.cpp the item texts of both lists.
#ifndef KOMBREL_WIZARD_FRM_MAIN_H
#define KOMBREL_WIZARD_FRM_MAIN_H

#include <cstdint>
#include <string>

#include "platform/widgets/bevel.h"
#include "platform/widgets/buttons.h"
#include "platform/widgets/edits.h"
#include "platform/widgets/file_dialogs.h"
#include "platform/widgets/form.h"
#include "platform/widgets/image.h"
#include "platform/widgets/label.h"
#include "platform/widgets/list_box.h"
#include "platform/widgets/notebook.h"
#include "platform/widgets/progress_bar.h"

class TfrmMain : public TForm {
public:
    // Builds every control, then runs FormCreate; the window stays hidden
    // until the message loop shows it.
    TfrmMain();

    // Controls are declared after their parents (see controls.h).

    // On the form.
    TBevel Bevel2;
    TImage imgKombrel;
    TNotebook Notebook;
    TBevel Bevel1;
    TButton btnPrev;
    TButton btnNext;
    TButton btnCancel;
    TOpenDialog OpenDialog;
    TSaveDialog SaveDialog;

    // Page 0, "Page1": choose the task.
    TMemo Memo2;
    TRadioButton rbFileLink;
    TRadioButton rbFileRestore;

    // Page 1, "LinkPage1": the container to create.
    TMemo Memo1;
    TLabel Label1;
    TEdit edtTargetLinkFile;
    TButton btnTargetLinkFileOpen;

    // Page 2, "LinkPage2": the files to combine.
    TLabel Label2;
    TListBox lstLinkFile;
    TButton btnCompress;
    TButton btnDisable;
    TButton btnFileAdd;
    TButton btnFileDel;

    // Page 3, "RestorePage1": the container to open.
    TMemo Memo3;
    TLabel Label4;
    TEdit edtTargetRestoreFile;
    TButton btnTargetRestoreFileOpen;

    // Page 4, "RestorePage2": the entries to extract.
    TLabel Label3;
    TListBox lstRestoreFile;
    TButton btnFileSelect;
    TButton btnFileClear;

    // Page 5, "Execute": the state of the job.
    TLabel lblExecute;
    TProgressBar ProgressBar;

    // Page flow.
    void FormCreate(TComponent &Sender);
    void btnNextClick(TComponent &Sender);
    void btnPrevClick(TComponent &Sender);
    void btnCancelClick(TComponent &Sender);
    void EnabledCtrlChange(TComponent &Sender);
    // The one place that sets Prev and Next for the current page.
    void UpdateWizardButtons();

    // File pickers and lists.
    void btnTargetLinkFileOpenClick(TComponent &Sender);
    void btnTargetRestoreFileOpenClick(TComponent &Sender);
    void btnFileAddClick(TComponent &Sender);
    void btnFileDelClick(TComponent &Sender);
    void btnCompressClick(TComponent &Sender);
    void btnDisableClick(TComponent &Sender);
    void btnFileSelectClick(TComponent &Sender);
    void btnFileClearClick(TComponent &Sender);
    // Draws an item of either list.
    void lstLinkFileDrawItem(TListBox &Control, int Index, const TRect &Rect, TOwnerDrawState State);

    // The jobs behind the Execute page and the restore list
    // (frm_main_jobs.cpp). Each reports its own failures in message boxes;
    // an error of the platform (a file that cannot be opened or created)
    // passes to the caller after the job has closed what it opened.
    void ExecuteLink();
    void LoadRestoreList();
    void ExecuteRestore();

    // Flagged items (flagged_items.cpp): the flag digit, 1 compressed or 0
    // plain, followed by a path or an entry name.
    static std::string MakeItem(const std::string &Text, int32_t Flag);
    static int ItemFlag(const std::string &Item);
    static std::string ItemFileName(const std::string &Item);
};

#endif
