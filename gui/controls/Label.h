// The label (see ILabel.h): a text laid out and painted by a text drawer (the skin's,
// else a default one) on a window of the toolkit's generic class. Its sizes are the
// measured ones; laid out to a width, it takes the size of its text wrapped (or cut)
// to that width, remembered per width until the text or a font changes.
//
//   Label* status = Label::createWithText(L"Ready", true);
//   column->addChild(status);
//   status->showTemporaryText(L"Saved", 2000);   // "Ready" again after two seconds
//
// Setting the text while a temporary text shows changes the text that returns at its end.
//
// A clickable label highlights under the pointer (the link fonts), opens its URL with
// the shell when clicked and tells its click listeners LabelEvent::kClick. A label that
// is not clickable lets clicks through to what lies below.
#pragma once

#include <string>
#include <vector>

#include "gui/controls/SingleFontControl.h"
#include "gui/controls/ILabel.h"

namespace s::gui::win {

// wParam of LibraryMessage::kLabelTemporaryText.
struct TemporaryTextRecord {
    const wchar_t* text;
    bool redraw;
    int32_t milliseconds;
};

class Label : public SingleFontControl<ILabel, CWnd> {
    S_POOLED(Label, L"s_gui_win_Label")
public:
    static constexpr UINT_PTR kTemporaryTimer = 100;

    Label();
    ~Label() override;
    void reset() override;

    // Text given, no word wrap, end ellipsis as given, size code 0.
    static Label* createWithText(const wchar_t* text, bool endEllipsis);
    // Text of the id, word wrap as given, no end ellipsis, the size code given.
    static Label* createWithTextId(int32_t textId, bool wordWrap, int32_t sizeCode);

    // IEventListener: language and skin changes of the owner window.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent
    void setVisible(bool visible, bool deep) override;
    void setEnabled(bool enabled) override;
    // Takes the size of the text laid out in the width (the height asked is ignored).
    void setSizeClamped(int32_t w, int32_t h) override;

    // ITextFont: the main font; size code and boldness also the state fonts made so far.
    void setSizeCode(int32_t code) override;
    void setBold(bool on) override;

    // ILabel
    void setWordWrap(bool on) override;
    void setEndEllipsis(bool on) override;
    bool setText(const wchar_t* text, bool redraw) override;
    const wchar_t* getText() override { return text_.c_str(); }
    void showTemporaryText(const wchar_t* text, int32_t milliseconds) override;
    void setTextId(int32_t id) override;
    int32_t getTextId() override { return textId_; }
    void setPointSize(int32_t points) override;
    int32_t getTextEffect() override { return font_.getTextEffect(); }
    void setTextEffect(int32_t effect) override;
    void setDrawer(drawer::IText* drawer, bool owned) override;
    bool isClickable() override { return clickable_; }
    void setClickable(bool on) override;
    void setUrl(const wchar_t* url) override { url_ = url ? url : L""; }
    void addClickListener(events::IEventListener* l) override { clickListeners_.push(l); }
    Font* getFont() override { return &font_; }
    Font* getStateFont1() override { return stateFont(0); }
    Font* getStateFont2() override { return stateFont(1); }
    Font* getStateFont3() override { return stateFont(2); }
    Font* getStateFont4() override { return stateFont(3); }
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    const wchar_t* getUrl() const { return url_.c_str(); }
    int32_t getHoverState() const { return hoverState_; }
    bool isShowingTemporaryText() const { return temporaryActive_; }
    // The drawer in use: the own one, else the default one (null when there is none).
    drawer::IText* activeDrawer();

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;
    void paintContent(HDC dc, const RECT& rc) override;
    void fontChanged() override { updateSize(); }

private:
    Font* stateFont(int index);
    // Hands the main font and the state fonts made so far to the drawer.
    void handFonts(drawer::IText* drawer);
    template <class F>
    void forStateFonts(F change);
    // Sets the text on the window's thread (or directly without a window).
    bool applyText(const wchar_t* text, bool redraw);
    // The label's own text, on the window's thread: shown at once, or kept for the end of
    // a temporary text that is showing.
    bool setOwnText(const wchar_t* text, bool redraw);
    void startTemporaryText(const TemporaryTextRecord& record);
    void endTemporaryText();
    void setHover(int32_t state);
    void clearCaches();

    Font* stateFonts_[4] = {nullptr, nullptr, nullptr, nullptr};
    int32_t textId_ = -1;
    std::wstring text_;
    // The label's own text while a temporary text shows.
    std::wstring savedText_;
    bool temporaryActive_ = false;
    drawer::IText* drawer_ = nullptr;
    bool drawerOwned_ = false;
    drawer::IText* defaultDrawer_ = nullptr;
    std::vector<int32_t> widthCache_, heightCache_;
    bool clickable_ = false;
    bool pressed_ = false;
    int32_t hoverState_ = 0;
    std::wstring url_;
    col::_array::ArrayP clickListeners_;
};

}  // namespace s::gui::win
