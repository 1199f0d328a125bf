// Modal dialogs behind one interface, so that the program shows them with Qt,
// tests answer them from a script, and a program without a window prints them.
// Whoever needs a dialog asks the current presenter; nobody owns dialogs.
#ifndef KOMBREL_PLATFORM_PRESENTER_H
#define KOMBREL_PLATFORM_PRESENTER_H

#include <string>
#include <vector>

enum class MsgButton { Ok, Abort, Ignore };

// The button chosen; None when the box was closed without choosing.
enum class MsgResult { None, Ok, Abort, Ignore };

enum class MsgIcon { Stop };

struct MessageRequest {
    std::string text;    // lines separated by "\n"
    std::string caption;
    MsgIcon icon = MsgIcon::Stop;
    std::vector<MsgButton> buttons;
    int helpContext = 0;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string initialDir;
    std::string fileName;     // the initial file name: the dialog's last choice
    bool multiSelect = false; // open dialog only
};

struct FileDialogResult {
    bool confirmed = false;
    std::vector<std::string> files; // full paths; one unless multiSelect
};

class Presenter {
public:
    virtual ~Presenter() = default;
    virtual MsgResult ShowMessage(const MessageRequest &request) = 0;
    virtual FileDialogResult ShowFileDialog(const FileDialogRequest &request) = 0;
};

// The presenter in use. Until one is installed it is the plain presenter,
// which writes messages to standard error and cancels file dialogs.
Presenter &CurrentPresenter();

// Installs `presenter` (not owned) and returns the previous one; null restores
// the plain presenter.
Presenter *SetPresenter(Presenter *presenter);

// The error message box: caption "ｴﾗｰ", stop icon, help context 0, centred.
MsgResult ShowErrorBox(const std::string &text, std::vector<MsgButton> buttons = {MsgButton::Ok});

// Writes each message's text to standard error and cancels file dialogs;
// for programs without a window.
class PlainPresenter : public Presenter {
public:
    MsgResult ShowMessage(const MessageRequest &request) override;
    FileDialogResult ShowFileDialog(const FileDialogRequest &request) override;
};

#endif
