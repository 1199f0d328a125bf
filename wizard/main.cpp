// The program's entry: the application object, the main form, the message
// loop. The exit code is 0, also after an error at start, which the standard
// exception box shows first.
#include <cstdio>

#include "platform/presenter.h"
#include "platform/widgets/application.h"
#include "platform/widgets/qt_presenter.h"
#include "wizard/frm_main.h"

int main(int argc, char **argv)
{
    if (!TApplication::DisplayAvailable()) {
        std::fprintf(stderr, "Kombrel file utility needs a graphical desktop, but no display is set "
                             "(neither DISPLAY nor WAYLAND_DISPLAY). Start it from a desktop session.\n");
        return 1;
    }
    TApplication Application(argc, argv);
    QtPresenter presenter;
    SetPresenter(&presenter);
    try {
        Application.SetTitle("Kombrel file utility");
        Application.SetIcon("kombrel-icon.xpm");
        TfrmMain frmMain;
        Application.Run(frmMain);
    } catch (...) {
        Application.ShowException(std::current_exception());
    }
    SetPresenter(nullptr);
    return 0;
}
