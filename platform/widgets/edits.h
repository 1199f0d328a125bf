// Single-line edits and multi-line memos.
#ifndef KOMBREL_PLATFORM_WIDGETS_EDITS_H
#define KOMBREL_PLATFORM_WIDGETS_EDITS_H

#include <string>
#include <vector>

#include "platform/widgets/controls.h"

class TEdit : public TControl {
public:
    TEdit(TWinControl &parent, std::string name);

    std::string Text() const;
    void SetText(const std::string &text);

    // Raised on every change of the text, typed or set.
    TNotifyEvent OnChange;
};

// A memo's lines are kept as given; a line wider than the memo wraps at its
// edge. The memo has no scroll bars.
class TMemo : public TControl {
public:
    TMemo(TWinControl &parent, std::string name);

    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string> &lines);

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    // With no border the memo looks like static text.
    void SetBorder(bool border);
    void SetColor(TColor color);
};

#endif
