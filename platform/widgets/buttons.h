// Push buttons and radio buttons. Radio buttons on one parent form one group:
// checking one unchecks the others.
#ifndef KOMBREL_PLATFORM_WIDGETS_BUTTONS_H
#define KOMBREL_PLATFORM_WIDGETS_BUTTONS_H

#include <string>

#include "platform/widgets/controls.h"

// A push button. It is never the form's default or cancel button: Esc
// presses none, and Enter and Space press only the button with the focus.
class TButton : public TControl {
public:
    TButton(TWinControl &parent, std::string name);

    std::string Caption() const;
    void SetCaption(const std::string &caption);

    // Presses the button as the user would: OnClick runs if it is enabled.
    void Click();

    TNotifyEvent OnClick;
};

class TRadioButton : public TControl {
public:
    TRadioButton(TWinControl &parent, std::string name);

    std::string Caption() const;
    void SetCaption(const std::string &caption);

    bool Checked() const;
    // Checking unchecks the group's other buttons and raises OnClick;
    // unchecking may leave no button of the group checked.
    void SetChecked(bool checked);

    // Raised when the button becomes checked, by mouse, keyboard or
    // SetChecked(true).
    TNotifyEvent OnClick;
};

#endif
