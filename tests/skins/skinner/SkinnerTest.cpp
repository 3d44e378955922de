#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skins/skinner/Skinner.h"
#include "support/TestSkins.h"

using s::gui::drawer::ISkin;
using s::gui::drawer::kNoSkin;
using s::gui::drawer::kSkinChangedEvent;
using s::gui::drawer::Skinner;

namespace {

// A skin with a name and no drawers that counts how often it is given back.
class FakeSkin final : public testsupport::StubSkin {
public:
    explicit FakeSkin(const wchar_t* name, int* released = nullptr) : name_(name), released_(released) {}
    const wchar_t* getClassName() const override { return L"FakeSkin"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override {
        if (released_) ++*released_;
        delete this;
    }
    void reset() override {}
    const wchar_t* getName() override { return name_.c_str(); }
    void setName(const wchar_t* name) override { name_ = name; }

private:
    std::wstring name_;
    int* released_;
};

// Records every event it is told, and may run an action on the first.
struct Recorder : s::gui::events::IEventListener {
    std::vector<std::pair<s::base::IObject*, int32_t>> events;
    std::function<void()> onFirst;
    void onEvent(s::base::IObject* source, int32_t code) override {
        events.emplace_back(source, code);
        if (events.size() == 1 && onFirst) onFirst();
    }
};

// A skinner holding fake skins named "A", "B", "C" (released into the counter).
struct SkinnerFixture : ::testing::Test {
    Skinner* skinner = Skinner::create();
    int released = 0;
    void SetUp() override {
        for (const wchar_t* n : {L"A", L"B", L"C"}) skinner->addSkin(new FakeSkin(n, &released));
    }
    void TearDown() override { skinner->release(); }
};

TEST_F(SkinnerFixture, SelectingAnotherSkinTellsEachListenerOnce) {
    Recorder a, b;
    skinner->addListener(&a);
    skinner->addListener(&b);
    skinner->addListener(&a);  // given twice, told once
    skinner->selectSkin(1);
    EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(1));
    EXPECT_EQ(skinner->getCurrentIndex(), 1u);
    ASSERT_EQ(a.events.size(), 1u);
    EXPECT_EQ(a.events[0].first, static_cast<s::base::IObject*>(skinner));
    EXPECT_EQ(a.events[0].second, kSkinChangedEvent);
    EXPECT_EQ(b.events.size(), 1u);
    // The skin that is already current: no event.
    skinner->selectSkin(1);
    EXPECT_EQ(a.events.size(), 1u);
    skinner->removeListener(&a);
    skinner->selectSkin(2);
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_EQ(b.events.size(), 2u);
}

TEST_F(SkinnerFixture, IndexOutOfRangeChangesNothing) {
    Recorder r;
    skinner->addListener(&r);
    skinner->selectSkin(99);
    EXPECT_EQ(skinner->getCurrentSkin(), nullptr);
    skinner->selectSkin(0);
    skinner->selectSkin(3);
    skinner->selectSkin(kNoSkin);
    EXPECT_EQ(skinner->getCurrentSkin(), skinner->getSkin(0));
    EXPECT_EQ(r.events.size(), 1u);
}

TEST_F(SkinnerFixture, ListenerAddedDuringTheWalkIsToldInTheSameWalk) {
    Recorder first, late;
    first.onFirst = [&] { skinner->addListener(&late); };
    skinner->addListener(&first);
    skinner->selectSkin(2);
    EXPECT_EQ(first.events.size(), 1u);
    EXPECT_EQ(late.events.size(), 1u);
}

TEST_F(SkinnerFixture, NamesIgnoreCaseAndMatchWhole) {
    skinner->addSkin(new FakeSkin(L"White", &released));
    skinner->addSkin(new FakeSkin(L"white", &released));  // same name: the first is found
    uint32_t index = 7;
    EXPECT_TRUE(skinner->findSkin(L"WHITE", &index));
    EXPECT_EQ(index, 3u);
    EXPECT_FALSE(skinner->findSkin(L"Whit", &index));
    EXPECT_EQ(index, kNoSkin);
    EXPECT_FALSE(skinner->findSkin(L"White ", &index));
    EXPECT_FALSE(skinner->findSkin(nullptr, &index));

    skinner->selectSkinByName(L"white");
    EXPECT_EQ(skinner->getCurrentIndex(), 3u);
    skinner->selectSkinByName(L"Whit");  // no match: index 0
    EXPECT_EQ(skinner->getCurrentIndex(), 0u);
}

TEST_F(SkinnerFixture, RenamingASkinKeepsTheNameItWasAddedUnder) {
    skinner->getSkin(1)->setName(L"Renamed");
    EXPECT_STREQ(skinner->getSkin(1)->getName(), L"Renamed");
    EXPECT_STREQ(skinner->getSkinName(1), L"B");
    uint32_t index = 0;
    EXPECT_TRUE(skinner->findSkin(L"b", &index));
    EXPECT_EQ(index, 1u);
    EXPECT_FALSE(skinner->findSkin(L"Renamed", &index));
    EXPECT_EQ(skinner->getSkinName(3), nullptr);
    EXPECT_EQ(skinner->getSkin(3), nullptr);
}

TEST_F(SkinnerFixture, ResetReleasesTheSkinsAndForgetsTheListeners) {
    Recorder r;
    skinner->addListener(&r);
    skinner->familyName()->setText(L"ThinWindow");
    skinner->selectSkin(1);
    skinner->reset();
    EXPECT_EQ(released, 3);
    EXPECT_EQ(skinner->getSkinCount(), 0u);
    EXPECT_EQ(skinner->getCurrentSkin(), nullptr);
    EXPECT_EQ(skinner->getCurrentIndex(), kNoSkin);
    EXPECT_EQ(skinner->getListenerCount(), 0u);
    EXPECT_TRUE(skinner->familyName()->equalsExact(L"Basic"));
    EXPECT_EQ(r.events.size(), 1u);
}

TEST(Skinner, EmptySkinnerSelectsNothing) {
    Skinner* skinner = Skinner::create();
    Recorder r;
    skinner->addListener(&r);
    EXPECT_TRUE(skinner->familyName()->equalsExact(L"Basic"));
    skinner->registerBuiltinSkins();  // "Basic" has no skins
    EXPECT_EQ(skinner->getSkinCount(), 0u);
    skinner->selectSkinByName(L"White");
    skinner->selectSkin(0);
    EXPECT_EQ(skinner->getCurrentSkin(), nullptr);
    EXPECT_TRUE(r.events.empty());
    uint32_t index = 0;
    EXPECT_FALSE(skinner->findSkin(L"White", &index));
    EXPECT_EQ(index, kNoSkin);
    skinner->release();
}

}  // namespace
