// Every toolkit interface header compiles on its own and together, and the numbers the
// rest of the program relies on (event codes, private message numbers, record layouts,
// interface names) keep their values.
#include <gtest/gtest.h>

#include <cstddef>
#include <cwchar>
#include <type_traits>

#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/app/IEncodeSettingBox.h"
#include "gui/box/IBox.h"
#include "gui/component/Events.h"
#include "gui/component/IComponent.h"
#include "gui/component/IContainer.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/IButton.h"
#include "gui/controls/ICheckBox.h"
#include "gui/controls/IComboBox.h"
#include "gui/controls/IGroupBox.h"
#include "gui/controls/IImage.h"
#include "gui/controls/ILabel.h"
#include "gui/controls/IProgressBar.h"
#include "gui/controls/IRadioButton.h"
#include "gui/controls/IScrollBar.h"
#include "gui/controls/IScrollBox.h"
#include "gui/controls/IScrollInfo.h"
#include "gui/controls/ISlider.h"
#include "gui/controls/ISpacer.h"
#include "gui/controls/ITextField.h"
#include "gui/dialogs/IColorPicker.h"
#include "gui/dialogs/IFileOpener.h"
#include "gui/layout/ILayoutManager.h"
#include "gui/menus/IMenuEx.h"
#include "gui/menus/IPopupMenu.h"
#include "gui/window/IWindow.h"

namespace {

using namespace s::gui;

// The class tree of the component model.
static_assert(std::is_base_of_v<events::IEventListener, IComponent>);
static_assert(std::is_base_of_v<IComponent, IContainer>);
static_assert(std::is_base_of_v<IContainer, IWindow>);
static_assert(std::is_base_of_v<IContainer, IBox>);
static_assert(std::is_base_of_v<IContainer, IScrollBox>);
static_assert(std::is_base_of_v<IContainer, IGroupBox>);
static_assert(std::is_base_of_v<IComponent, IButton> && !std::is_base_of_v<IContainer, IButton>);
static_assert(std::is_base_of_v<IComponent, IImage> && std::is_base_of_v<IComponent, IMenuEx>);
static_assert(std::is_base_of_v<events::IEventListener, IPopupMenu>);
static_assert(std::is_base_of_v<s::base::IObject, s::app::IAppBase>);
static_assert(std::is_base_of_v<s::base::IObject, s::app::IAppWindow>);
static_assert(std::is_base_of_v<s::base::IObject, s::image::gui::IEncodeSettingBox>);
static_assert(std::is_base_of_v<s::base::IObject, scrollbar::IScrollInfo>);

TEST(InterfaceHeaders, InterfaceNames) {
    EXPECT_STREQ(IComponent::kInterfaceName, L"s_gui_IComponent");
    EXPECT_STREQ(IContainer::kInterfaceName, L"s_gui_IContainer");
    EXPECT_STREQ(IWindow::kInterfaceName, L"s_gui_IWindow");
    EXPECT_STREQ(ILayoutManager::kInterfaceName, L"s_gui_ILayoutManager");
    EXPECT_STREQ(IBox::kInterfaceName, L"s_gui_IBox");
    EXPECT_STREQ(IButton::kInterfaceName, L"s_gui_IButton");
    EXPECT_STREQ(ILabel::kInterfaceName, L"s_gui_ILabel");
    EXPECT_STREQ(ITextField::kInterfaceName, L"s_gui_ITextField");
    EXPECT_STREQ(IScrollBox::kInterfaceName, L"s_gui_IScrollBox");
    EXPECT_STREQ(IGroupBox::kInterfaceName, L"s_gui_IGroupBox");
    EXPECT_STREQ(IComboBox::kInterfaceName, L"s_gui_IComboBox");
    EXPECT_STREQ(ICheckBox::kInterfaceName, L"s_gui_ICheckBox");
    EXPECT_STREQ(IRadioButton::kInterfaceName, L"s_gui_IRadioButton");
    EXPECT_STREQ(ISlider::kInterfaceName, L"s_gui_ISlider");
    EXPECT_STREQ(IProgressBar::kInterfaceName, L"s_gui_IProgressBar");
    EXPECT_STREQ(ISpacer::kInterfaceName, L"s_gui_ISpacer");
    EXPECT_STREQ(IImage::kInterfaceName, L"s_gui_IImage");
    EXPECT_STREQ(IMenuEx::kInterfaceName, L"s_gui_IMenuEx");
}

TEST(InterfaceHeaders, Numberings) {
    EXPECT_EQ(LayoutKind::kRow, 0);
    EXPECT_EQ(LayoutKind::kColumn, 1);
    EXPECT_EQ(LayoutKind::kFlow, 2);
    EXPECT_EQ(LayoutKind::kPile, 3);
    EXPECT_EQ(Align::kStart, 0);
    EXPECT_EQ(Align::kEnd, 2);
    // The bar and its model number the axes differently; the bar maps one onto the other.
    EXPECT_EQ(ScrollBarOrientation::kHorizontal, 0);
    EXPECT_EQ(ScrollBarOrientation::kVertical, 1);
    EXPECT_EQ(scrollbar::ScrollInfoOrientation::kHorizontal, 1);
    EXPECT_EQ(scrollbar::ScrollInfoOrientation::kVertical, 2);
    EXPECT_EQ(SpacerOrientation::kVertical, 1);
    EXPECT_EQ(CheckBoxEvent::kChecked, 1);
    EXPECT_EQ(CheckBoxEvent::kUnchecked, 2);
    EXPECT_EQ(ButtonEvent::kPress, 3);
    EXPECT_EQ(TextFieldEvent::kFocusLost, 3);
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
