// File open and save dialogs. They hold their settings and last choice; the
// dialog itself is shown by the current presenter (platform/presenter.h), so
// tests answer it from a script.
#ifndef KOMBREL_PLATFORM_WIDGETS_FILE_DIALOGS_H
#define KOMBREL_PLATFORM_WIDGETS_FILE_DIALOGS_H

#include <set>
#include <string>
#include <vector>

#include "platform/presenter.h"
#include "platform/widgets/controls.h"

enum TOpenOption {
    ofAllowMultiSelect, // several files can be chosen at once
};
using TOpenOptions = std::set<TOpenOption>;

// What both dialogs share. Neither tests that a chosen file or its folder
// exists, and the save dialog asks nothing before an existing file is chosen.
class TFileDialog : public TComponent {
public:
    TOpenOptions Options;
    // The folder the dialog opens in, while FileName names no folder.
    std::string InitialDir;
    // The chosen path; passed as the initial name the next time. After a
    // multiple selection, the first chosen path.
    std::string FileName;
    // Every chosen full path of the last confirmed use.
    std::vector<std::string> Files;

    // Shows the dialog; true when the user confirmed a choice, which then
    // sets FileName and Files. A cancelled dialog changes nothing.
    bool Execute();

protected:
    TFileDialog(std::string name, FileDialogKind kind) : TComponent(std::move(name)), kind_(kind) {}

private:
    FileDialogKind kind_;
};

class TOpenDialog : public TFileDialog {
public:
    explicit TOpenDialog(std::string name) : TFileDialog(std::move(name), FileDialogKind::Open) {}
};

class TSaveDialog : public TFileDialog {
public:
    explicit TSaveDialog(std::string name) : TFileDialog(std::move(name), FileDialogKind::Save) {}
};

#endif
