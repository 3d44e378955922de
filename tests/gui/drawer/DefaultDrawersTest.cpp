#include <gtest/gtest.h>

#include "gui/drawer/DefaultDrawers.h"

namespace {

// A stand-in drawer of the status bar kind that counts its releases.
class CountingStatusBar : public s::gui::drawer::statusbar::IThin, public s::thread::IPoolable {
public:
    static int released;
    const wchar_t* getClassName() const override { return L"test_CountingStatusBar"; }
    s::base::IObject* newInstance() const override { return new CountingStatusBar; }
    void paint(HDC, int32_t, int32_t, int32_t, int32_t) override {}
    int32_t getHeight() const override { return 13; }
    void setColor(int, int, int) override {}
    void release() override {
        ++released;
        delete this;
    }
    void reset() override {}
};
int CountingStatusBar::released = 0;

}  // namespace

TEST(DefaultDrawers, NullUntilAFactoryIsRegisteredThenFromIt) {
    using namespace s::gui::drawer;
    const DefaultDrawerFactories saved = defaultDrawerFactories();
    setDefaultDrawerFactories(DefaultDrawerFactories{});
    EXPECT_EQ(createDefaultStatusBar(), nullptr);
    EXPECT_EQ(createDefaultText(), nullptr);

    DefaultDrawerFactories f;
    f.statusBar = []() -> IStatusBar* { return new CountingStatusBar; };
    setDefaultDrawerFactories(f);
    IStatusBar* bar = createDefaultStatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->getHeight(), 13);
    EXPECT_EQ(createDefaultButton(), nullptr);  // other kinds still unregistered
    releaseDrawer(bar);
    releaseDrawer(nullptr);
    EXPECT_EQ(CountingStatusBar::released, 1);
    setDefaultDrawerFactories(saved);
}
