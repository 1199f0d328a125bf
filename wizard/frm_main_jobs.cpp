// The form's jobs: combining the listed files into a container, and listing
// and extracting a container's entries.
#include "wizard/frm_main.h"

void TfrmMain::ExecuteLink() {}

void TfrmMain::LoadRestoreList() {}

void TfrmMain::ExecuteRestore() {}
