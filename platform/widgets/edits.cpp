#include "platform/widgets/edits.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include "platform/widgets/event_dispatch.h"
#include "platform/widgets/qt_text.h"
#include "platform/widgets/system_colors.h"

TEdit::TEdit(TWinControl &parent, std::string name) : TControl(std::move(name), new QLineEdit, &parent)
{
    auto *edit = static_cast<QLineEdit *>(Handle());
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [this] { Dispatch(OnChange, static_cast<TComponent &>(*this)); });
}

std::string TEdit::Text() const
{
    return FromQString(static_cast<QLineEdit *>(Handle())->text());
}

void TEdit::SetText(const std::string &text)
{
    static_cast<QLineEdit *>(Handle())->setText(ToQString(text));
}

namespace {

QPlainTextEdit &Memo(QWidget *widget)
{
    return *static_cast<QPlainTextEdit *>(widget);
}

} // namespace

TMemo::TMemo(TWinControl &parent, std::string name) : TControl(std::move(name), new QPlainTextEdit, &parent)
{
    QPlainTextEdit &memo = Memo(Handle());
    memo.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo.setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo.setTabChangesFocus(true);
}

std::vector<std::string> TMemo::Lines() const
{
    std::vector<std::string> lines;
    for (const QString &line : Memo(Handle()).toPlainText().split(QLatin1Char('\n')))
        lines.push_back(FromQString(line));
    return lines;
}

void TMemo::SetLines(const std::vector<std::string> &lines)
{
    QStringList text;
    for (const std::string &line : lines)
        text.append(ToQString(line));
    Memo(Handle()).setPlainText(text.join(QLatin1Char('\n')));
}

bool TMemo::ReadOnly() const
{
    return Memo(Handle()).isReadOnly();
}

void TMemo::SetReadOnly(bool readOnly)
{
    Memo(Handle()).setReadOnly(readOnly);
}

void TMemo::SetBorder(bool border)
{
    QPlainTextEdit &memo = Memo(Handle());
    memo.setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    // Without a border the text starts at the memo's edge, as in a label, and
    // the designed lines use the memo's whole height.
    memo.document()->setDocumentMargin(border ? 4 : 0);
}

void TMemo::SetColor(TColor color)
{
    QPlainTextEdit &memo = Memo(Handle());
    QPalette palette = memo.palette();
    palette.setColor(QPalette::Base, SystemColor(color, palette));
    memo.setPalette(palette);
}
