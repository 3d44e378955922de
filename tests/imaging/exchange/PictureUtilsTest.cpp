#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/exchange/PictureUtils.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "support/HostTool.h"

namespace {

TEST(PictureUtils, AtanDegreesCoversTheWholeCircle) {
    struct Case {
        double x, y, degrees;
    } cases[] = {{1, 0, 0},     {1, 1, 45},   {0, 1, 90},   {-1, 1, 135}, {-1, 0, 180},
                 {-1, -1, 225}, {0, -1, 270}, {1, -1, 315}, {0, 0, 0},    {3, 1e-12, 0}};
    for (const Case& c : cases) EXPECT_NEAR(s::image::atanDegrees(c.x, c.y), c.degrees, 1e-9) << c.x << "," << c.y;
    EXPECT_LT(s::image::atanDegrees(1, -1e-15), 360.0);
}

TEST(PictureUtils, RotatePointTurnsAboutTheOrigin) {
    struct Case {
        double x, y, degrees, wantX, wantY;
    } cases[] = {{1, 0, 90, 0, 1},  {1, 0, 180, -1, 0},      {0, 2, -90, 2, 0},
                 {1, 1, 360, 1, 1}, {3, 4, 720 + 90, -4, 3}, {0, 0, 45, 0, 0}};
    for (const Case& c : cases) {
        double x = c.x, y = c.y;
        s::image::rotatePoint(x, y, c.degrees);
        EXPECT_NEAR(x, c.wantX, 1e-9) << c.x << "," << c.y << " by " << c.degrees;
        EXPECT_NEAR(y, c.wantY, 1e-9) << c.x << "," << c.y << " by " << c.degrees;
    }
}

TEST(PictureUtils, LoadImageFileGivesASetOrNothing) {
    std::string dir = testsupport::makeTempDir("load-image-file");
    ASSERT_TRUE(testsupport::runHost("convert -size 6x4 xc:'#336699' '" + dir + "/a.png' && printf 'hello' > '" + dir +
                                     "/note.png'"));
    s::image::win::BufferedImageSet* set = s::image::loadImageFile(testsupport::winPath(dir + "/a.png").c_str());
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->getWidth(), 6);
    EXPECT_EQ(set->getHeight(), 4);
    set->release();
    EXPECT_EQ(s::image::loadImageFile(testsupport::winPath(dir + "/note.png").c_str()), nullptr);
    EXPECT_EQ(s::image::loadImageFile(testsupport::winPath(dir + "/missing.png").c_str()), nullptr);
    EXPECT_EQ(s::image::loadImageFile(nullptr), nullptr);
}

}  // namespace
