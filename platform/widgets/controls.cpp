#include "platform/widgets/controls.h"

#include <QVariant>
#include <QWidget>

#include "platform/widgets/fonts.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/tab_order.h"

TControl::TControl(std::string name, QWidget *widget, TWinControl *parent)
    : TComponent(std::move(name)), widget_(widget)
{
    widget_->setObjectName(ToQString(Name()));
    if (parent != nullptr) {
        widget_->setParent(parent->Handle());
        widget_->show(); // shown with its parent, like every child control
    }
}

TControl::~TControl()
{
    delete widget_;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    widget_->setGeometry(left, top, width, height);
}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }

bool TControl::Enabled() const { return widget_->isEnabled(); }
void TControl::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

bool TControl::Visible() const { return !widget_->isHidden(); }
void TControl::SetVisible(bool visible) { widget_->setVisible(visible); }

TFont TControl::Font() const
{
    const QFont font = widget_->font();
    return TFont{FromQString(font.family()), font.pixelSize(), font.bold()};
}

void TControl::SetFont(const TFont &font)
{
    widget_->setFont(ToQFont(font));
}

int TControl::TabOrder() const
{
    return TabOrderOf(*widget_);
}

void TControl::SetTabOrder(int order)
{
    SetTabOrderOf(*widget_, order);
}

bool TControl::TabStop() const
{
    return (widget_->focusPolicy() & Qt::TabFocus) != 0;
}

void TControl::SetTabStop(bool tabStop)
{
    // A control that is no tab stop still takes the focus when clicked.
    widget_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}
