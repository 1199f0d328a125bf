// The error message box through the presenter, scripted and plain.
#include <gtest/gtest.h>

#include "platform/presenter.h"
#include "tests/support/scripted_presenter.h"

using testing_support::ScriptedPresenter;

namespace {

TEST(ErrorBox, GoesToTheCurrentPresenterAndReturnsTheChosenButton)
{
    ScriptedPresenter presenter;
    presenter.AnswerNextMessages({MsgResult::Ignore});
    EXPECT_EQ(ShowErrorBox("first\nsecond", {MsgButton::Abort, MsgButton::Ignore}), MsgResult::Ignore);
    EXPECT_EQ(ShowErrorBox("zlib decompress fail"), MsgResult::Ok) << "unscripted: the first button";
    ASSERT_EQ(presenter.messages.size(), 2u);
    const MessageRequest &box = presenter.messages[0];
    EXPECT_EQ(box.text, "first\nsecond");
    EXPECT_EQ(box.caption, "ｴﾗｰ");
    EXPECT_EQ(box.icon, MsgIcon::Stop);
    EXPECT_EQ(box.helpContext, 0);
    EXPECT_EQ(box.buttons, (std::vector<MsgButton>{MsgButton::Abort, MsgButton::Ignore}));
    EXPECT_EQ(presenter.messages[1].buttons, std::vector<MsgButton>{MsgButton::Ok}) << "one OK button by default";
}

TEST(ErrorBox, WithoutAWindowTheTextGoesToStandardError)
{
    Presenter *previous = SetPresenter(nullptr);
    testing::internal::CaptureStderr();
    const MsgResult result = ShowErrorBox("zlib compress fail");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "zlib compress fail\n");
    EXPECT_EQ(result, MsgResult::Ok);
    EXPECT_NE(dynamic_cast<PlainPresenter *>(&CurrentPresenter()), nullptr);
    SetPresenter(previous);
}

} // namespace
