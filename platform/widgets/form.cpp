#include "platform/widgets/form.h"

#include <QWidget>

#include "platform/widgets/event_dispatch.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/tab_order.h"

namespace {

QWidget *NewDialogFrameWindow()
{
    auto *window = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                            Qt::MSWindowsFixedSizeDialogHint);
    return window;
}

} // namespace

TForm::TForm(std::string name) : TWinControl(std::move(name), NewDialogFrameWindow(), nullptr) {}

std::string TForm::Caption() const
{
    return FromQString(Handle()->windowTitle());
}

void TForm::SetCaption(const std::string &caption)
{
    Handle()->setWindowTitle(ToQString(caption));
}

void TForm::SetPosition(int left, int top)
{
    Handle()->move(left, top);
}

void TForm::SetClientSize(int width, int height)
{
    Handle()->setFixedSize(width, height);
}

void TForm::Show()
{
    Handle()->show();
}

void TForm::Close()
{
    Handle()->close();
}

void TForm::ApplyTabOrder()
{
    ApplyTabChain(*Handle());
}

void TForm::DoCreate()
{
    Dispatch(OnCreate, static_cast<TComponent &>(*this));
}
