// The captioned frame around one content panel (see IGroupBox.h): a system group box
// window ("Button" class, BS_GROUPBOX) whose frame and caption a group box drawer
// paints, and whose children live in the content panel, placed inside the margins that
// the caption leaves.
//
//   GroupBox* group = GroupBox::createWithText(L"Size && colour", 100, LayoutKind::kColumn, 0, 4, 6, 4);
//   window->addChild(group);    // makes the window on the window's thread
//   group->addChild(checkBox);  // goes into the content panel
//
// The caption's size only grows: a shorter title keeps the margins of the longest
// measured so far, so the content does not jump when the title changes.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/col/Array.h"
#include "framework/controls/ButtonCtrl.h"
#include "gui/controls/SingleFontControl.h"
#include "gui/controls/IGroupBox.h"
#include "gui/layout/Layouts.h"
#include "gui/layout/SizeHints.h"

namespace s::gui::win {

// The title as the window shows it: every "&" doubled, so that none marks a mnemonic.
std::wstring groupBoxWindowText(const wchar_t* title);

// The content's margins for a caption of the given height: 4 left, right and bottom,
// the caption's height + 1 on top.
struct GroupBoxMargins {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    static GroupBoxMargins forCaptionHeight(int32_t captionHeight) { return {4, 4, captionHeight + 1, 4}; }
    bool operator==(const GroupBoxMargins&) const = default;
};

class GroupBox : public SingleFontControl<IGroupBox, CButton> {
    S_POOLED(GroupBox, L"s_gui_win_GroupBox")
public:
    // The language pack's "Drop Box".
    static constexpr int32_t kDropBoxTitleId = 1990004121;
    static constexpr UINT kControlId = 1000;

    GroupBox();
    ~GroupBox() override;
    void reset() override;

    // Factories: a content panel of the layout kind filling the group box (gaps and
    // margins as given), the title, enabled. A width (height) percent below 0 is left unset.
    static GroupBox* createWithText(const wchar_t* title, double widthPercent, int32_t kind, int32_t gapX, int32_t gapY,
                                    int32_t marginH, int32_t marginV);
    static GroupBox* createWithTextId(int32_t titleId, double widthPercent, int32_t kind, int32_t gapX, int32_t gapY,
                                      int32_t marginH, int32_t marginV);
    // A column that accepts dropped files, titled "Drop Box".
    static GroupBox* createDropBox(double widthPercent, double heightPercent, int32_t gapX, int32_t gapY,
                                   int32_t marginH, int32_t marginV);

    // IEventListener: language and skin changes, files dropped on the content.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent: sized as a panel whose inner area lies inside the caption's margins.
    int32_t getInnerWidth() override { return layout::panelInnerSize(axisX(), width_); }
    void setInnerWidth(int32_t w) override;
    int32_t getInnerHeight() override { return layout::panelInnerSize(axisY(), height_); }
    void setInnerHeight(int32_t h) override;
    int32_t getMinWidth() override { return layout::panelMinSize(axisX()); }
    int32_t getMinHeight() override { return layout::panelMinSize(axisY()); }
    int32_t getMinInnerWidth() override { return layout::panelMinInnerSize(axisX()); }
    int32_t getMinInnerHeight() override { return layout::panelMinInnerSize(axisY()); }
    int32_t getPreferredWidth() override { return layout::panelPreferredSize(axisX(), parentInnerWidth()); }
    int32_t getPreferredHeight() override { return layout::panelPreferredSize(axisY(), parentInnerHeight()); }
    int32_t getPreferredInnerWidth() override { return layout::panelPreferredInnerSize(axisX(), parentInnerWidth()); }
    int32_t getPreferredInnerHeight() override { return layout::panelPreferredInnerSize(axisY(), parentInnerHeight()); }
    void setSizeClamped(int32_t w, int32_t h) override;
    void beginUpdate() override;
    void endUpdate() override;
    void setVisible(bool visible, bool deep) override;
    void setEnabled(bool enabled) override;
    // Into the content panel.
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    bool isContainer() override { return true; }
    void validate() override { doLayout(); }
    int32_t getChildCount() override { return int32_t(children_.count()); }
    IComponent* getChildAt(int32_t index) override;
    col::_array::ArrayP* getChildren() override { return &children_; }
    // The group box's own image, which the content paints its transparent parts from.
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override;

    // IContainer: the content piled into the inner area at the top left.
    void doLayout() override;
    ILayoutManager* getLayout() override;
    void setLayout(ILayoutManager* layout) override;

    // IGroupBox
    void setTitle(const wchar_t* text) override;
    void setTitleId(int32_t id) override;
    void setPointSize(int32_t points) override;
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void setTitleColor(int32_t r, int32_t g, int32_t b) override;
    void addSecondListener(events::IEventListener* l) override { secondListeners_.push(l); }
    IBox* getContent() override { return content_; }
    void setContent(IBox* box) override;
    void setAcceptFiles(bool on) override;
    void addDropListener(events::IEventListener* l) override { dropListeners_.push(l); }
    file::win::PathArray* getDroppedPaths() override;
    void setDrawer(drawer::IGroupBox* drawer, bool owned) override;
    drawer::IGroupBox* getDrawer() override;
    void setCollapsed(bool on) override { collapsed_ = on; }

    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // Measures the title in the title font and grows the caption size; sets the margins
    // from its height and lays out again.
    void measureCaption();

    const wchar_t* getTitle() const { return title_.c_str(); }
    int32_t getTitleId() const { return titleId_; }
    uint32_t getTitleColor() const { return titleColor_; }
    int32_t getCaptionWidth() const { return captionWidth_; }
    int32_t getCaptionHeight() const { return captionHeight_; }
    GroupBoxMargins getMargins() const { return {marginLeft_, marginRight_, marginTop_, marginBottom_}; }
    bool isCollapsed() const { return collapsed_; }
    bool isAcceptingFiles() const { return acceptFiles_; }
    // The title font (the text-font operations change it) and the one used while disabled.
    Font* getTitleFont() { return &font_; }
    Font* getDisabledTitleFont() { return &disabledFont_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override { measureCaption(); }
    void attachServices() override;
    void detachServices() override;

private:
    layout::PanelAxis axisX() const;
    layout::PanelAxis axisY() const;
    int32_t parentInnerWidth() { return parent_ ? parent_->getInnerWidth() : 0; }
    int32_t parentInnerHeight() { return parent_ ? parent_->getInnerHeight() : 0; }
    // After a change of the title font: the new handle to the window, the caption measured.
    void fontChanged() override;
    void showTitle();
    void relayout();
    void releaseBackBuffer();
    void paint();

    col::_array::ArrayP children_;
    IBox* content_ = nullptr;
    // The group box is listed as the content's drop listener.
    bool dropListening_ = false;
    ::s::image::win::BufferedImage* backBuffer_ = nullptr;
    ILayoutManager* layoutObject_ = nullptr;
    layout::LayoutSizes layoutSizes_;
    int32_t titleId_ = -1;
    std::wstring title_;
    Font disabledFont_;
    int32_t captionWidth_ = 0, captionHeight_ = 0;
    uint32_t titleColor_ = 0xBFD0D0;
    int32_t marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    bool acceptFiles_ = false;
    bool collapsed_ = false;
    int32_t layoutDepth_ = 0;
    col::_array::ArrayP dropListeners_;
    col::_array::ArrayP secondListeners_;
    drawer::IGroupBox* defaultDrawer_ = nullptr;
    drawer::IGroupBox* drawer_ = nullptr;
    bool drawerOwned_ = false;
};

}  // namespace s::gui::win
