#include <gtest/gtest.h>

#include "gui/controls/ComboBoxItem.h"
#include "platform/lang/Localizer.h"

using s::gui::combobox::ComboBoxItem;

namespace {

const wchar_t kPack[] =
    L"<pack><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
    L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"/></languages>"
    L"<entries><entry id=\"1990004660\"><eng>Default Font</eng><deu>Standardschrift</deu></entry></entries></pack>";

}  // namespace

TEST(ComboBoxItem, FollowsItsOwnersLanguageOnlyWhenItHasATextId) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(kPack);
    localizer->setLanguage(L"English");
    ComboBoxItem* byId = ComboBoxItem::createWithTextId(1990004660, localizer, 7);
    ComboBoxItem* plain = ComboBoxItem::createWithText(L"Arial", 8);
    plain->setOwner(localizer);
    localizer->addListener(byId);
    localizer->addListener(plain);
    EXPECT_STREQ(byId->getText(), L"Default Font");
    EXPECT_EQ(byId->getData(), 7);

    localizer->setLanguage(L"German");
    EXPECT_STREQ(byId->getText(), L"Standardschrift");
    EXPECT_STREQ(plain->getText(), L"Arial");

    // Events from anything but the owner change nothing.
    s::lang::Localizer* other = s::lang::Localizer::loadXmlText(kPack);
    other->setLanguage(L"English");
    byId->onEvent(other, 0);
    EXPECT_STREQ(byId->getText(), L"Standardschrift");

    localizer->removeListener(byId);
    localizer->removeListener(plain);
    byId->release();
    plain->release();
    other->release();
    localizer->release();
}

TEST(ComboBoxItem, AReleasedItemComesBackEmpty) {
    ComboBoxItem* item = ComboBoxItem::createWithText(L"JPEG", 42);
    item->setListStyle(s::gui::combobox::ComboBoxItemStyle::kHeading);
    item->setFieldStyle(s::gui::combobox::ComboBoxItemStyle::kBold);
    item->setTextId(5);
    EXPECT_STREQ(item->getClassName(), L"s_gui_combobox_ComboBoxItem");
    item->release();
    ComboBoxItem* again = ComboBoxItem::create();
    EXPECT_STREQ(again->getText(), L"");
    EXPECT_EQ(again->getTextId(), -1);
    EXPECT_EQ(again->getOwner(), nullptr);
    EXPECT_EQ(again->getData(), 0);
    EXPECT_EQ(again->getListStyle(), 0u);
    EXPECT_EQ(again->getFieldStyle(), 0u);
    again->release();
}

TEST(ComboBoxItem, SeparatorsAreKnownByTheMarkerAddressNotByItsText) {
    static const wchar_t lookalike[] = L"Separator";
    ComboBoxItem* separator = ComboBoxItem::createSeparator(L"----------------------------");
    ComboBoxItem* impostor = ComboBoxItem::createWithText(L"x", reinterpret_cast<intptr_t>(lookalike));
    EXPECT_TRUE(separator->isSeparator());
    EXPECT_FALSE(impostor->isSeparator());
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(ComboBoxItem::separatorData()), L"Separator");
    separator->release();
    impostor->release();
}
