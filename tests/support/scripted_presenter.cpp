#include "tests/support/scripted_presenter.h"

namespace testing_support {

ScriptedPresenter::ScriptedPresenter() : previous_(SetPresenter(this)) {}

ScriptedPresenter::~ScriptedPresenter()
{
    SetPresenter(previous_);
}

void ScriptedPresenter::AnswerNextMessages(std::vector<MsgResult> answers)
{
    messageAnswers_.insert(messageAnswers_.end(), answers.begin(), answers.end());
}

void ScriptedPresenter::AnswerNextFileDialogs(std::vector<FileDialogResult> answers)
{
    fileDialogAnswers_.insert(fileDialogAnswers_.end(), answers.begin(), answers.end());
}

static MsgResult ResultOf(MsgButton button)
{
    switch (button) {
    case MsgButton::Ok: return MsgResult::Ok;
    case MsgButton::Abort: return MsgResult::Abort;
    case MsgButton::Ignore: return MsgResult::Ignore;
    }
    return MsgResult::None;
}

MsgResult ScriptedPresenter::ShowMessage(const MessageRequest &request)
{
    messages.push_back(request);
    if (!messageAnswers_.empty()) {
        const MsgResult answer = messageAnswers_.front();
        messageAnswers_.pop_front();
        return answer;
    }
    return request.buttons.empty() ? MsgResult::None : ResultOf(request.buttons.front());
}

FileDialogResult ScriptedPresenter::ShowFileDialog(const FileDialogRequest &request)
{
    fileDialogs.push_back(request);
    if (fileDialogAnswers_.empty())
        return FileDialogResult{};
    FileDialogResult answer = fileDialogAnswers_.front();
    fileDialogAnswers_.pop_front();
    return answer;
}

FileDialogResult Chosen(std::vector<std::string> files)
{
    return FileDialogResult{true, std::move(files)};
}

} // namespace testing_support
