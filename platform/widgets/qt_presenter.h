// The presenter of the real program: message boxes and file dialogs of Qt.
// The program installs it with SetPresenter once its application exists.
#ifndef KOMBREL_PLATFORM_WIDGETS_QT_PRESENTER_H
#define KOMBREL_PLATFORM_WIDGETS_QT_PRESENTER_H

#include "platform/presenter.h"

class QtPresenter : public Presenter {
public:
    // A modal box centred on the screen; the buttons read "OK", "中止(&A)"
    // and "無視(&I)". Esc chooses OK, or else Ignore; closing the box with
    // its close box answers None.
    MsgResult ShowMessage(const MessageRequest &request) override;
    // A modal file dialog over the active window. It accepts any name typed,
    // whether the file exists or not, and asks nothing before an existing
    // file is chosen for saving.
    FileDialogResult ShowFileDialog(const FileDialogRequest &request) override;
};

#endif
