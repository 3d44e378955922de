// Path lists handed to the shell: copy and move through SHFileOperationW, shortcuts for
// every item.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/file/PathArray.h"
#include "tests/platform/file/PathTestSupport.h"
#include "platform/shell/Shortcut.h"

namespace {

using namespace pathtest;
using s::file::win::PathArray;

struct List {
    PathArray* a = PathArray::create();
    ~List() { a->release(); }
    PathArray* operator->() { return a; }
};

TEST(PathArrayShell, CopyAndMoveIntoAFolder) {
    TempDir dir("pathlist_copy");
    ASSERT_TRUE(makeDir(dir / L"to"));
    ASSERT_TRUE(writeFile(dir / L"one.jpg", 11));
    ASSERT_TRUE(writeFile(dir / L"two.png", 22));
    ASSERT_TRUE(makeDir(dir / L"sub"));
    ASSERT_TRUE(writeFile(dir / L"sub\\in.gif", 3));

    List single;
    single->add((dir / L"one.jpg").c_str());
    EXPECT_EQ(single->copyTo((dir / L"to").c_str(), true, true, nullptr), 2);
    EXPECT_TRUE(present(dir / L"to\\one.jpg"));
    EXPECT_TRUE(present(dir / L"one.jpg"));

    List many;
    many->add((dir / L"two.png").c_str())->add((dir / L"sub").c_str());
    EXPECT_EQ(many->moveTo((dir / L"to").c_str(), true, true, nullptr), 2);
    EXPECT_TRUE(present(dir / L"to\\two.png"));
    EXPECT_TRUE(present(dir / L"to\\sub\\in.gif"));
    EXPECT_FALSE(present(dir / L"two.png"));
    EXPECT_FALSE(present(dir / L"sub"));

    // Nothing to do, or not run: outcome 0 and nothing changed.
    List empty;
    EXPECT_EQ(empty->copyTo((dir / L"to").c_str(), false, true, nullptr), 0);
    EXPECT_EQ(single->moveTo((dir / L"to2").c_str(), true, false, nullptr), 0);
    EXPECT_TRUE(present(dir / L"one.jpg"));
    EXPECT_FALSE(present(dir / L"to2"));
}

TEST(PathArrayShell, ShortcutsForEveryItem) {
    TempDir dir("pathlist_links");
    ASSERT_TRUE(makeDir(dir / L"links"));
    ASSERT_TRUE(writeFile(dir / L"a.jpg", 1));
    ASSERT_TRUE(writeFile(dir / L"b.jpg", 1));
    List items;
    items->add((dir / L"a.jpg").c_str())->add((dir / L"b.jpg").c_str());

    PathArray* plan = nullptr;
    EXPECT_EQ(items->createShortcuts((dir / L"links").c_str(), false, false, false, true, &plan), 0);
    ASSERT_NE(plan, nullptr);
    ASSERT_EQ(plan->getCount(), 2);
    for (int32_t i = 0; i < 2; ++i) EXPECT_FALSE(plan->get(i)->exists());
    std::wstring firstLink = plan->get(0)->getFullPath();
    plan->release();

    EXPECT_EQ(items->createShortcuts((dir / L"links").c_str(), false, false, true, false, nullptr), 2);
    ASSERT_TRUE(present(firstLink));
    s::str::strbuffer::StrBuffer* target = s::shell::readShortcut(firstLink.c_str());
    EXPECT_EQ(std::wstring(target->text()), dir / L"a.jpg");
    target->release();

    // Again without overwrite: none made. With unique names: numbered new links.
    EXPECT_EQ(items->createShortcuts((dir / L"links").c_str(), false, false, false, false, nullptr), 0);
    PathArray* made = nullptr;
    EXPECT_EQ(items->createShortcuts((dir / L"links").c_str(), false, true, false, false, &made), 2);
    ASSERT_NE(made, nullptr);
    EXPECT_NE(std::wstring(made->get(0)->getFullPath()), firstLink);
    EXPECT_TRUE(made->get(0)->exists());
    made->release();

    // One item missing: done partly.
    ASSERT_TRUE(DeleteFileW((dir / L"b.jpg").c_str()));
    EXPECT_EQ(items->createShortcuts((dir / L"links").c_str(), true, false, false, false, nullptr), 1);
}

TEST(PathArrayShell, RecycleSilently) {
    TempDir dir("pathlist_recycle");
    ASSERT_TRUE(writeFile(dir / L"gone.jpg", 4));
    ASSERT_TRUE(makeDir(dir / L"folder"));
    ASSERT_TRUE(writeFile(dir / L"folder\\in.jpg", 4));
    ASSERT_TRUE(writeFile(dir / L"stays.jpg", 4));
    List items;
    items->add((dir / L"gone.jpg").c_str())->add((dir / L"folder").c_str());
    items->markFolders();
    EXPECT_TRUE(items->recycle(true, false, nullptr));
    EXPECT_FALSE(present(dir / L"gone.jpg"));
    EXPECT_FALSE(present(dir / L"folder"));
    EXPECT_TRUE(present(dir / L"stays.jpg"));
    EXPECT_FALSE(items->get(0)->exists());
    List empty;
    EXPECT_FALSE(empty->recycle(false, false, nullptr));
    EXPECT_FALSE(empty->showProperties());
}

}  // namespace
