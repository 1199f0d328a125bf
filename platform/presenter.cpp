#include "platform/presenter.h"

#include <cstdio>

namespace {

PlainPresenter plainPresenter;
Presenter *current = &plainPresenter;

} // namespace

Presenter &CurrentPresenter()
{
    return *current;
}

Presenter *SetPresenter(Presenter *presenter)
{
    Presenter *previous = current;
    current = presenter != nullptr ? presenter : &plainPresenter;
    return previous;
}

MsgResult ShowErrorBox(const std::string &text, std::vector<MsgButton> buttons)
{
    MessageRequest request;
    request.text = text;
    request.caption = "ｴﾗｰ";
    request.icon = MsgIcon::Stop;
    request.buttons = std::move(buttons);
    return CurrentPresenter().ShowMessage(request);
}

MsgResult PlainPresenter::ShowMessage(const MessageRequest &request)
{
    std::fprintf(stderr, "%s\n", request.text.c_str());
    std::fflush(stderr);
    return request.buttons.empty() ? MsgResult::None : MsgResult::Ok;
}

FileDialogResult PlainPresenter::ShowFileDialog(const FileDialogRequest &)
{
    return FileDialogResult{};
}
