#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/exchange/BackgroundLoad.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "support/HostTool.h"

namespace {

using s::image::BackgroundLoad;
using s::image::win::BufferedImageSet;

TEST(BackgroundLoad, HandsTheSetOverOnceAndOnlyForItsOwnPath) {
    std::string dir = testsupport::makeTempDir("background-load");
    ASSERT_TRUE(testsupport::runHost("convert -size 6x4 xc:'#336699' '" + dir +
                                     "/a.png' && convert -size 3x5 xc:red '" + dir + "/b.png'"));
    const std::wstring a = testsupport::winPath(dir + "/a.png"), b = testsupport::winPath(dir + "/b.png");
    BackgroundLoad load;
    load.start(a.c_str());
    BufferedImageSet* set = nullptr;
    // Another path takes nothing and leaves the load in place.
    EXPECT_FALSE(load.take(b.c_str(), &set));
    EXPECT_EQ(set, nullptr);
    EXPECT_TRUE(load.isPending());
    ASSERT_TRUE(load.take(a.c_str(), &set));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->getWidth(), 6);
    EXPECT_EQ(set->getHeight(), 4);
    EXPECT_EQ(set->getFrame(0)->getRow(2)[2] & 0xFFFFFFu, 0x336699u);
    set->release();
    // Taken once: a second open of the path reads the file itself.
    set = nullptr;
    EXPECT_FALSE(load.take(a.c_str(), &set));
    EXPECT_FALSE(load.isPending());

    // A file that does not read is reported as taken, with no set.
    load.start(testsupport::winPath(dir + "/missing.png").c_str());
    EXPECT_TRUE(load.take(testsupport::winPath(dir + "/missing.png").c_str(), &set));
    EXPECT_EQ(set, nullptr);

    // A new start drops a load never taken; so does the end of the object.
    load.start(a.c_str());
    load.start(b.c_str());
    EXPECT_FALSE(load.take(a.c_str(), &set));
    ASSERT_TRUE(load.take(b.c_str(), &set));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->getWidth(), 3);
    set->release();
    load.start(a.c_str());

    // A discarded load hands nothing over, finished or not, and a new start works.
    load.discard();
    set = nullptr;
    EXPECT_FALSE(load.isPending());
    EXPECT_FALSE(load.takePreview(a.c_str(), &set));
    EXPECT_FALSE(load.take(a.c_str(), &set));
    EXPECT_EQ(set, nullptr);
    load.start(b.c_str());
    ASSERT_TRUE(load.take(b.c_str(), &set));
    ASSERT_NE(set, nullptr);
    set->release();
}

}  // namespace
