// A form: a top-level window with a fixed dialog frame (title and close box,
// no resizing, no minimise or maximise) whose client area holds the controls.
#ifndef KOMBREL_PLATFORM_WIDGETS_FORM_H
#define KOMBREL_PLATFORM_WIDGETS_FORM_H

#include <string>

#include "platform/widgets/controls.h"

class TForm : public TWinControl {
public:
    explicit TForm(std::string name);

    std::string Caption() const;
    void SetCaption(const std::string &caption);

    // Place of the window's outer top-left corner on the screen.
    void SetPosition(int left, int top);
    // Size of the client area; the frame keeps it fixed.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return Width(); }
    int ClientHeight() const { return Height(); }

    void Show();
    // Closes the window; closing the main form ends the message loop.
    void Close();

    // Links the controls into the order the Tab key visits them: controls of
    // one parent by their TabOrder, a notebook's controls where the notebook
    // stands. Call once the controls are built.
    void ApplyTabOrder();

    TNotifyEvent OnCreate;

protected:
    // Runs OnCreate; a form's constructor calls it once its controls are
    // built, before the window is first shown.
    void DoCreate();
};

#endif
