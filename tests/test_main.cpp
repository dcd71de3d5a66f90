#include "gl_window.h"

#include <gtest/gtest.h>

namespace
{
class GlWindowEnvironment : public testing::Environment
{
  public:
    void SetUp() override
    {
        openTestWindow(testWindowWidth, testWindowHeight);
    }
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new GlWindowEnvironment);
    return RUN_ALL_TESTS();
}
