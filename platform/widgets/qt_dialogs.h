// The Qt dialogs behind QtPresenter, built apart from showing them so tests
// can look at them without running their event loop. Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_QT_DIALOGS_H
#define KOMBREL_PLATFORM_WIDGETS_QT_DIALOGS_H

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

#include "platform/presenter.h"

std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest &request);

// The button `button` of a box from NewMessageBox stands for.
MsgResult AnswerOf(const QAbstractButton *button);

std::unique_ptr<QFileDialog> NewFileDialog(const FileDialogRequest &request, QWidget *parent);

#endif
