// Test support: a presenter that records every dialog it is asked to show and
// answers from a script, so tests never open a real dialog.
#ifndef KOMBREL_TESTS_SUPPORT_SCRIPTED_PRESENTER_H
#define KOMBREL_TESTS_SUPPORT_SCRIPTED_PRESENTER_H

#include <deque>
#include <vector>

#include "platform/presenter.h"

namespace testing_support {

class ScriptedPresenter : public Presenter {
public:
    // Installs itself as the current presenter; the destructor restores the
    // previous one.
    ScriptedPresenter();
    ~ScriptedPresenter() override;
    ScriptedPresenter(const ScriptedPresenter &) = delete;
    ScriptedPresenter &operator=(const ScriptedPresenter &) = delete;

    // Answers for the next boxes, in order; once used up, boxes answer with
    // their first button.
    void AnswerNextMessages(std::vector<MsgResult> answers);
    // Results for the next file dialogs, in order; once used up, dialogs are
    // cancelled.
    void AnswerNextFileDialogs(std::vector<FileDialogResult> answers);

    MsgResult ShowMessage(const MessageRequest &request) override;
    FileDialogResult ShowFileDialog(const FileDialogRequest &request) override;

    std::vector<MessageRequest> messages;        // every box shown, in order
    std::vector<FileDialogRequest> fileDialogs;  // every file dialog shown

private:
    Presenter *previous_;
    std::deque<MsgResult> messageAnswers_;
    std::deque<FileDialogResult> fileDialogAnswers_;
};

// A confirmed dialog result with these paths.
FileDialogResult Chosen(std::vector<std::string> files);

} // namespace testing_support

#endif
