#include "platform/widgets/buttons.h"

#include <QPushButton>
#include <QRadioButton>

#include "platform/widgets/event_dispatch.h"
#include "platform/widgets/qt_text.h"

TButton::TButton(TWinControl &parent, std::string name) : TControl(std::move(name), new QPushButton, &parent)
{
    auto *button = static_cast<QPushButton *>(Handle());
    button->setAutoDefault(true); // Enter presses it while it has the focus
    QObject::connect(button, &QPushButton::clicked, button,
                     [this] { Dispatch(OnClick, static_cast<TComponent &>(*this)); });
}

std::string TButton::Caption() const
{
    return FromQString(static_cast<QPushButton *>(Handle())->text());
}

void TButton::SetCaption(const std::string &caption)
{
    static_cast<QPushButton *>(Handle())->setText(ToQString(caption));
}

void TButton::Click()
{
    static_cast<QPushButton *>(Handle())->click();
}

TRadioButton::TRadioButton(TWinControl &parent, std::string name)
    : TControl(std::move(name), new QRadioButton, &parent)
{
    auto *button = static_cast<QRadioButton *>(Handle());
    QObject::connect(button, &QRadioButton::toggled, button, [this](bool checked) {
        if (checked)
            Dispatch(OnClick, static_cast<TComponent &>(*this));
    });
}

std::string TRadioButton::Caption() const
{
    return FromQString(static_cast<QRadioButton *>(Handle())->text());
}

void TRadioButton::SetCaption(const std::string &caption)
{
    static_cast<QRadioButton *>(Handle())->setText(ToQString(caption));
}

bool TRadioButton::Checked() const
{
    return static_cast<QRadioButton *>(Handle())->isChecked();
}

void TRadioButton::SetChecked(bool checked)
{
    auto *button = static_cast<QRadioButton *>(Handle());
    if (checked) {
        button->setChecked(true);
        return;
    }
    // Qt keeps the checked button of a group checked; the program may
    // uncheck it, leaving none checked.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}
