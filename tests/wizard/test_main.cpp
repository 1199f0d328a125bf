// The wizard's tests run on Qt's offscreen platform: real widgets, no display,
// and never the application's message loop.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/widgets/application.h"

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication application(argc, argv);
    application.SetTitle("Kombrel file utility");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
