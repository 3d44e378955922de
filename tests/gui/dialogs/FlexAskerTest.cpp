// The question window answered through its window the way a user would: keys, clicks
// on its buttons and its check box.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/dialogs/FlexAsker.h"
#include "gui/window/FakeApp.h"
#include "platform/lang/Localizer.h"
#include "support/DialogDriver.h"

using s::gui::dialogs::FlexAsker;
using testsupport::DialogDriver;
using testsupport::textOf;

namespace {

constexpr int kFirst = 1, kSecond = 2, kCheck = 3;

void key(HWND window, WPARAM vk) { PostMessageW(window, WM_KEYDOWN, vk, 0); }
void click(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

struct Asked {
    bool answer = false, checked = false;
    bool acted = false;
};

Asked ask(const std::function<void(HWND)>& act, HWND owner = nullptr) {
    FlexAsker* asker = FlexAsker::create();
    Asked run;
    {
        DialogDriver driver(act, FlexAsker::kClassName);
        asker->show(owner, L"Update", L"A new version is out. Download it?");
        run.acted = driver.acted();
    }
    run.answer = asker->getAnswer();
    run.checked = asker->isChecked();
    EXPECT_EQ(asker->getWindowHandle(), nullptr);  // gone once answered
    asker->release();
    return run;
}

TEST(FlexAsker, AnswersFromKeysAndClicks) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        bool answer, checked;
    } cases[] = {
        {"Enter", [](HWND w) { key(w, VK_RETURN); }, true, false},
        {"Tab then Enter",
         [](HWND w) {
             key(w, VK_TAB);
             key(w, VK_RETURN);
         },
         false, false},
        {"Tab twice then Enter",
         [](HWND w) {
             key(w, VK_TAB);
             key(w, VK_TAB);
             key(w, VK_RETURN);
         },
         true, false},
        {"first button", [](HWND w) { click(w, kFirst); }, true, false},
        {"second button", [](HWND w) { click(w, kSecond); }, false, false},
        {"check box then first",
         [](HWND w) {
             click(w, kCheck);
             click(w, kFirst);
         },
         true, true},
        {"check box twice then second",
         [](HWND w) {
             click(w, kCheck);
             click(w, kCheck);
             click(w, kSecond);
         },
         false, false},
        {"Escape", [](HWND w) { key(w, VK_ESCAPE); }, false, false},
        {"closed", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }, false, false},
    };
    for (const Case& c : cases) {
        Asked run = ask(c.act);
        EXPECT_TRUE(run.acted) << c.what;
        EXPECT_EQ(run.answer, c.answer) << c.what;
        EXPECT_EQ(run.checked, c.checked) << c.what;
    }
}

TEST(FlexAsker, TwoButtonsAndACheckBoxWithTheirTexts) {
    std::wstring title, question, first, second, check;
    bool checkShown = false, firstIsDefault = false;
    Asked run = ask([&](HWND w) {
        title = textOf(w);
        question = textOf(GetDlgItem(w, 0));
        first = textOf(GetDlgItem(w, kFirst));
        second = textOf(GetDlgItem(w, kSecond));
        check = textOf(GetDlgItem(w, kCheck));
        checkShown = IsWindowVisible(GetDlgItem(w, kCheck));
        firstIsDefault = (GetWindowLongPtrW(GetDlgItem(w, kFirst), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
        PostMessageW(w, WM_CLOSE, 0, 0);
    });
    ASSERT_TRUE(run.acted);
    EXPECT_EQ(title, L"Update");
    EXPECT_EQ(question, L"A new version is out. Download it?");
    // Without a language pack the English texts stand in.
    EXPECT_EQ(first, L"Yes");
    EXPECT_EQ(second, L"No");
    EXPECT_EQ(check, L"Do not ask again");
    EXPECT_TRUE(checkShown);
    EXPECT_TRUE(firstIsDefault);
}

TEST(FlexAsker, TextsFromTheLanguagePackAndNoStoredPosition) {
    s::lang::Localizer* pack = s::lang::Localizer::loadXmlText(
        L"<lang><LANGUAGES><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry></LANGUAGES>"
        L"<entries><entry id=\"400300\"><eng>New version</eng></entry>"
        L"<entry id=\"400330\"><eng>Download</eng></entry><entry id=\"400340\"><eng>Later</eng></entry>"
        L"</entries></lang>");
    windowtest::FakeAppWindow app;
    app.langPack = pack;
    app.setBounds(5, 6, 300, 200);
    FlexAsker* asker = FlexAsker::createWithWindow(&app);
    std::wstring title, first, second, check;
    {
        DialogDriver driver(
            [&](HWND w) {
                title = textOf(w);
                first = textOf(GetDlgItem(w, kFirst));
                second = textOf(GetDlgItem(w, kSecond));
                check = textOf(GetDlgItem(w, kCheck));
                key(w, VK_RETURN);
            },
            FlexAsker::kClassName);
        asker->show(nullptr, nullptr, L"Download it?");
    }
    EXPECT_TRUE(asker->getAnswer());
    EXPECT_EQ(title, L"New version");
    EXPECT_EQ(first, L"Download");
    EXPECT_EQ(second, L"Later");
    EXPECT_EQ(check, L"Do not ask again");  // absent from the pack
    EXPECT_FALSE(app.hasPosition());        // the stored bounds were cleared
    EXPECT_FALSE(app.hasWidth());
    asker->release();
    pack->release();
}

TEST(FlexAsker, OwnerTakesNoInputWhileAskingAndIsCentredOn) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 900, 700, nullptr,
                                 nullptr, nullptr, nullptr);
    bool ownerEnabled = true;
    RECT asked{};
    Asked run = ask(
        [&](HWND w) {
            ownerEnabled = IsWindowEnabled(owner);
            GetWindowRect(w, &asked);
            click(w, kFirst);
        },
        owner);
    ASSERT_TRUE(run.acted);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));  // given back once answered
    RECT o;
    GetWindowRect(owner, &o);
    EXPECT_NEAR((asked.left + asked.right) / 2, (o.left + o.right) / 2, 1);
    EXPECT_NEAR((asked.top + asked.bottom) / 2, (o.top + o.bottom) / 2, 1);
    DestroyWindow(owner);
}

TEST(FlexAsker, LayoutHoldsEveryPart) {
    struct Case {
        int width;
        SIZE label;
        bool withCheck;
        int wantWidth;
    } cases[] = {
        {392, {200, 13}, true, 392},   // the label fits
        {392, {500, 13}, true, 550},   // widened to label + 50
        {392, {100, 40}, false, 392},  // no check box row
    };
    for (const Case& c : cases) {
        const SIZE button{75, 23}, check{120, 17};
        s::gui::dialogs::AskerLayout l =
            s::gui::dialogs::layoutAsker(c.width, c.label, button, button, check, c.withCheck);
        EXPECT_EQ(l.width, c.wantWidth);
        EXPECT_EQ(l.label.left, 10);
        EXPECT_EQ(l.label.top, 12);
        EXPECT_EQ(l.first.top, l.label.bottom + 12);  // the buttons below the label
        EXPECT_EQ(l.second.right, l.width - 10);      // right-aligned
        EXPECT_EQ(l.second.left - l.first.right, 7);
        const int bottom = c.withCheck ? l.check.bottom : l.first.bottom;
        if (c.withCheck) EXPECT_EQ(l.check.top, l.first.bottom);
        EXPECT_EQ(l.minHeight, bottom + 5 + 2);
    }
}

}  // namespace
