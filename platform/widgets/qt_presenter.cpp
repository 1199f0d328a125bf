#include "platform/widgets/qt_presenter.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

#include "platform/widgets/qt_dialogs.h"
#include "platform/widgets/qt_text.h"

namespace {

constexpr const char *kAnswerProperty = "kombrelAnswer";

QString ButtonCaption(MsgButton button)
{
    switch (button) {
    case MsgButton::Abort:
        return QString::fromUtf8("中止(&A)");
    case MsgButton::Ignore:
        return QString::fromUtf8("無視(&I)");
    case MsgButton::Ok:
        break;
    }
    return QStringLiteral("OK");
}

MsgResult ResultOf(MsgButton button)
{
    switch (button) {
    case MsgButton::Abort:
        return MsgResult::Abort;
    case MsgButton::Ignore:
        return MsgResult::Ignore;
    case MsgButton::Ok:
        break;
    }
    return MsgResult::Ok;
}

// Qt's dialog tests that every chosen file exists; ours takes any name, as
// the single-file modes already do.
class AnyNamesFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        if (fileMode() != QFileDialog::ExistingFiles) {
            QFileDialog::accept();
            return;
        }
        const QStringList files = selectedFiles();
        if (files.isEmpty())
            return;
        if (files.size() == 1 && QFileInfo(files.front()).isDir()) {
            setDirectory(files.front()); // a folder typed or chosen opens
            return;
        }
        QDialog::accept();
    }
};

} // namespace

std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest &request)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, ToQString(request.caption),
                                             ToQString(request.text), QMessageBox::NoButton);
    QAbstractButton *ok = nullptr;
    QAbstractButton *ignore = nullptr;
    for (MsgButton button : request.buttons) {
        const QMessageBox::ButtonRole role =
            button == MsgButton::Abort ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton *added = box->addButton(ButtonCaption(button), role);
        added->setProperty(kAnswerProperty, static_cast<int>(ResultOf(button)));
        if (button == MsgButton::Ok)
            ok = added;
        else if (button == MsgButton::Ignore)
            ignore = added;
    }
    if (QAbstractButton *escape = ok != nullptr ? ok : ignore)
        box->setEscapeButton(escape);
    return box;
}

MsgResult AnswerOf(const QAbstractButton *button)
{
    if (button == nullptr)
        return MsgResult::None;
    const QVariant answer = button->property(kAnswerProperty);
    return answer.isValid() ? static_cast<MsgResult>(answer.toInt()) : MsgResult::None;
}

std::unique_ptr<QFileDialog> NewFileDialog(const FileDialogRequest &request, QWidget *parent)
{
    auto dialog = std::make_unique<AnyNamesFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (request.kind == FileDialogKind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    }
    if (!request.initialDir.empty())
        dialog->setDirectory(ToQString(request.initialDir));
    if (!request.fileName.empty())
        dialog->selectFile(ToQString(request.fileName));
    return dialog;
}

MsgResult QtPresenter::ShowMessage(const MessageRequest &request)
{
    const std::unique_ptr<QMessageBox> box = NewMessageBox(request);
    // A box closed with its close box reports the escape button without a
    // click: that is no choice.
    bool chosen = false;
    QObject::connect(box.get(), &QMessageBox::buttonClicked, box.get(), [&chosen] { chosen = true; });
    box->exec();
    return chosen ? AnswerOf(box->clickedButton()) : MsgResult::None;
}

FileDialogResult QtPresenter::ShowFileDialog(const FileDialogRequest &request)
{
    const std::unique_ptr<QFileDialog> dialog = NewFileDialog(request, QApplication::activeWindow());
    FileDialogResult result;
    if (dialog->exec() != QDialog::Accepted)
        return result;
    for (const QString &file : dialog->selectedFiles())
        result.files.push_back(FromQString(file));
    result.confirmed = !result.files.empty();
    return result;
}
