// The common base of the window's components: a name, and for visible controls
// a Qt widget with a place on its parent. Texts are byte strings in the
// system's narrow code page; they become Qt strings only inside this layer.
//
// A control's Qt widget is a child of its parent's widget, and the control
// deletes it when it is destroyed. So a control must be destroyed before its
// parent: declare it after its parent (members are destroyed in reverse).
#ifndef KOMBREL_PLATFORM_WIDGETS_CONTROLS_H
#define KOMBREL_PLATFORM_WIDGETS_CONTROLS_H

#include <functional>
#include <string>

class QWidget;

// A rectangle with exclusive right and bottom edges, in pixels.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect &) const = default;
};

struct TFont {
    std::string Name;
    int Height = 12; // character height in pixels at 96 dots per inch
    bool Bold = false;
};

// System colours a control can take as its background.
enum TColor { clWindow, clBtnFace };

class TComponent {
public:
    explicit TComponent(std::string name) : name_(std::move(name)) {}
    virtual ~TComponent() = default;
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    const std::string &Name() const { return name_; }

private:
    std::string name_;
};

// The event of a click, a change or a form's creation; the sender is the
// component that raised it.
using TNotifyEvent = std::function<void(TComponent &Sender)>;

class TWinControl;

class TControl : public TComponent {
public:
    ~TControl() override;

    void SetBounds(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Visible() const;
    void SetVisible(bool visible);

    TFont Font() const;
    void SetFont(const TFont &font);

    // Position among the siblings that the Tab key visits; see
    // TForm::ApplyTabOrder. A control that is not a tab stop is skipped.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const;
    void SetTabStop(bool tabStop);

    // The Qt widget, for the platform layer and for tests that drive it.
    QWidget *Handle() const { return widget_; }

protected:
    // Takes ownership of `widget`, makes it a child of `parent` (none for a
    // top-level window) and names it after the component.
    TControl(std::string name, QWidget *widget, TWinControl *parent);

private:
    QWidget *widget_;
};

// A control that holds other controls: the form and the notebook's pages.
class TWinControl : public TControl {
protected:
    using TControl::TControl;
};

#endif
