// Every toolkit interface header compiles on its own and together, and the numbers the
// rest of the program relies on (event codes, private message numbers, record layouts,
// interface names) keep their values.
#include <gtest/gtest.h>

#include <cstddef>
#include <cwchar>
#include <type_traits>

#include "gui/component/Events.h"
#include "gui/component/IComponent.h"
#include "gui/component/IContainer.h"
#include "gui/component/LibraryMessage.h"
#include "gui/layout/ILayoutManager.h"
#include "gui/window/IWindow.h"

namespace {

using namespace s::gui;

// The class tree of the component model.
static_assert(std::is_base_of_v<events::IEventListener, IComponent>);
static_assert(std::is_base_of_v<IComponent, IContainer>);
static_assert(std::is_base_of_v<IContainer, IWindow>);

TEST(InterfaceHeaders, InterfaceNames) {
    EXPECT_STREQ(IComponent::kInterfaceName, L"s_gui_IComponent");
    EXPECT_STREQ(IContainer::kInterfaceName, L"s_gui_IContainer");
    EXPECT_STREQ(IWindow::kInterfaceName, L"s_gui_IWindow");
    EXPECT_STREQ(ILayoutManager::kInterfaceName, L"s_gui_ILayoutManager");
}

TEST(InterfaceHeaders, EventCodes) {
    EXPECT_EQ(WindowEvent::kClose, 1);
    EXPECT_EQ(WindowEvent::kInvoke, 2);
    EXPECT_EQ(WindowEvent::kSizing, 8);
    EXPECT_EQ(WindowEvent::kDoubleClick, 16);
    EXPECT_EQ(WindowEvent::kLanguage, 20);
    EXPECT_EQ(WindowEvent::kHotKey, 23);
    EXPECT_EQ(WindowEvent::kClipboard, 27);
    EXPECT_EQ(BoxEvent::kFilesDropped, 1);
    EXPECT_EQ(BoxEvent::kPaint, 5);
    EXPECT_EQ(BoxEvent::kUrlDropped, 7);
}

TEST(InterfaceHeaders, LibraryMessageNumbers) {
    EXPECT_EQ(LibraryMessage::kInvoke, 0x401u);
    EXPECT_EQ(LibraryMessage::kAskYesNo, 0x406u);
    EXPECT_EQ(LibraryMessage::kRegisterHotKey, 0x40Cu);
    EXPECT_EQ(LibraryMessage::kDetach, 0x40Fu);
    EXPECT_EQ(LibraryMessage::kStartTimer, 0x414u);
    EXPECT_EQ(LibraryMessage::kUrlDropped, 0x416u);
    EXPECT_EQ(LibraryMessage::kCloseOwner, 0x8001u);
    EXPECT_EQ(LibraryMessage::kAttachChild, 0x8002u);
    EXPECT_EQ(LibraryMessage::kReflectKillFocus, 0x8015u);
    // Private messages stay clear of the system's range.
    EXPECT_GE(LibraryMessage::kInvoke, static_cast<uint32_t>(WM_USER));
}

TEST(InterfaceHeaders, RecordLayouts) {
    // The unregister handler reads the name as the record's second pointer-sized word.
    EXPECT_EQ(offsetof(HotKeyRecord, name), sizeof(void*));
    EXPECT_EQ(offsetof(TimerRecord, milliseconds), 8u);
    EXPECT_EQ(sizeof(InvokeRecord::args) / sizeof(InvokeRecord::args[0]), 4u);
}

}  // namespace
