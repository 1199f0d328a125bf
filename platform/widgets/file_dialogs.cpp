#include "platform/widgets/file_dialogs.h"

bool TFileDialog::Execute()
{
    FileDialogRequest request;
    request.kind = kind_;
    request.initialDir = InitialDir;
    request.fileName = FileName;
    request.multiSelect = kind_ == FileDialogKind::Open && Options.count(ofAllowMultiSelect) != 0;
    FileDialogResult result = CurrentPresenter().ShowFileDialog(request);
    if (!result.confirmed || result.files.empty())
        return false;
    if (!request.multiSelect)
        result.files.resize(1);
    Files = std::move(result.files);
    FileName = Files.front();
    return true;
}
