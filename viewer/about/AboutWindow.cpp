#include "viewer/about/AboutWindow.h"

#include <windows.h>

#include <algorithm>

#include "gui/app/IAppBase.h"
#include "gui/box/Box.h"
#include "gui/component/Events.h"
#include "gui/controls/Button.h"
#include "gui/controls/ISpacer.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/Spacer.h"
#include "gui/fonts/Font.h"
#include "gui/layout/LayoutKind.h"
#include "gui/window/Window.h"
#include "imaging/image/BufferedImage.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"
#include "platform/system/Screen.h"
#include "skins/skinner/Skinner.h"
#include "viewer/app/AppWindow.h"

namespace s::image::gui::dialogs::imageview {

using s::gui::LayoutKind::kColumn;
using s::gui::LayoutKind::kRow;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::Label;
using s::gui::win::Spacer;

namespace {

constexpr const wchar_t* kRecordName = L"AboutWindow";

Spacer* gapX(int32_t size) { return Spacer::createFixed(s::gui::SpacerOrientation::kHorizontal, size); }
Spacer* gapY(int32_t size) { return Spacer::createFixed(s::gui::SpacerOrientation::kVertical, size); }

// The program icon as a small picture: the handle that suits the screen scale drawn at
// 16 x 16 times the scale.
image::win::BufferedImage* iconPicture(s::app::IAppBase* base, int32_t scale) {
    if (!base) return nullptr;
    HICON icon = scale == 2   ? base->getIconHandle128()
                 : scale >= 4 ? base->getIconHandle256()
                              : base->getIconHandle64();
    const int32_t side = 16 * scale;
    image::win::BufferedImage* picture = image::win::BufferedImage::createSized(side, side, true);
    if (!picture || !icon) return picture;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture->getHBitmap());
    DrawIconEx(dc, 0, 0, icon, side, side, 0, nullptr, DI_NORMAL);
    SelectObject(dc, old);
    DeleteDC(dc);
    GdiFlush();
    picture->setHasAlpha(true);
    return picture;
}

}  // namespace

AboutWindow* AboutWindow::createFor(s::app::IAppWindow* viewerRecord) {
    auto* about = new AboutWindow();
    s::app::IAppBase* base = viewerRecord ? viewerRecord->getAppBase() : nullptr;
    auto* skinner = s::gui::drawer::Skinner::create();
    skinner->familyName()->setText(L"ThinWindow");
    skinner->registerBuiltinSkins();
    about->record_ = s::app::win::AppWindow::create();
    about->record_->init(base, kRecordName, kWidth, kHeight, true, s::app::win::mclick::kClose, skinner, L"Classic LG");
    return about;
}

AboutWindow::~AboutWindow() {
    if (window_) {
        window_->close();
        window_->release();
    }
    if (record_) record_->release();
}

std::wstring AboutWindow::text(int32_t id) const {
    s::lang::Localizer* pack = record_ ? record_->getLangPack() : nullptr;
    const wchar_t* t = pack ? pack->getText(id) : nullptr;
    return t ? t : L"";
}

void AboutWindow::show(s::gui::IWindow* owner) {
    if (window_) {
        window_->close();
        window_->release();
        window_ = nullptr;
    }
    owner_ = owner;
    window_ = s::gui::win::Window::create();
    if (!window_) return;
    window_->setResizable(false);
    window_->setClientEdge(false);
    window_->setMaximizeBox(false);
    window_->setMinimizeBox(false);
    window_->setAppWindow(record_, false);
    window_->setTitle(text(kTitleId).c_str());
    scale_ = std::max(1, s::system::getScreenScale());
    build();
    window_->addCloseTrigger(close_);
    window_->addCloseTrigger(titleClose_);
    window_->addCloseListener(this);

    for (int i = 0; i < 3; ++i) window_->doLayout();
    fitToContents();
    window_->setVisible(true, true);
    fitToContents();
    if (owner_) owner_->setModalState(true);
}

void AboutWindow::build() {
    const int32_t s = scale_;
    s::app::IAppBase* base = record_ ? record_->getAppBase() : nullptr;
    const int32_t textBase = record_ ? record_->getTextBaseId() : 0;
    Box* column = Box::createWithLayout(kColumn, 100, -1, 0, 0, 0, 2 * s, 0, 0);
    window_->addChild(column);

    // Title row: the caption and a small button that closes the window.
    Box* titleRow = Box::createFixedHeight(kRow, 100, 14 * s, 0, 1, 0, 0, 0);
    column->addChild(titleRow);
    titleRow->addChild(gapX(54 * s));
    Label* title = Label::createWithText(text(kTitleId).c_str(), true);
    titleRow->addChild(title);
    titleRow->addChild(gapX(4 * s));
    Box* titleButtonBox = Box::createSized(kRow, 50 * s, 14 * s, 0, 0, 0);
    titleRow->addChild(titleButtonBox);
    titleClose_ = Button::createWithText(L"#", 100, 14 * s);
    titleButtonBox->addChild(titleClose_);
    column->addChild(gapY(4 * s));

    // The built-in picture across the width.
    image::win::BufferedImage* picture = base ? base->getPictureImage1() : nullptr;
    column->addChild(s::gui::win::Image::createWithWidthPercent(100, picture ? picture->copy() : nullptr));

    // Header: icon and program title.
    Box* header = Box::createFixedHeight(kRow, 100, 20 * s, 0, 1, 0, 0, 0);
    column->addChild(header);
    header->addChild(s::gui::win::Image::createFixedSize(16 * s, 16 * s, iconPicture(base, s)));
    header->addChild(gapX(5 * s));
    Label* program = Label::createWithText(text(textBase).c_str(), false);
    program->setWordWrap(true);
    header->addChild(program);
    column->addChild(gapY(3 * s));

    // Version, date and address rows.
    Label* labels[6] = {};
    const int32_t rows[3][2] = {
        {kVersionLabelId, textBase + 10}, {kUpdatedLabelId, textBase + 20}, {kUrlLabelId, kWebAddressId}};
    for (int32_t r = 0; r < 3; ++r) {
        Box* row = Box::createFixedHeight(kRow, 100, 20 * s, 0, 1, 7 * s, 0, 0);
        column->addChild(row);
        Box* nameBox = Box::createSized(kRow, 140 * s, 20 * s, 1, 0, 0);
        row->addChild(nameBox);
        labels[2 * r] = Label::createWithText(text(rows[r][0]).c_str(), true);
        nameBox->addChild(labels[2 * r]);
        Box* valueBox = Box::createFixedHeight(kRow, 100, 20 * s, 0, 1, 0, 0, 0);
        row->addChild(valueBox);
        labels[2 * r + 1] = Label::createWithText(text(rows[r][1]).c_str(), true);
        valueBox->addChild(labels[2 * r + 1]);
    }
    webAddress_ = labels[5];
    if (!*webAddress_->getText()) webAddress_->setText(text(textBase + 3).c_str(), true);
    webAddress_->setClickable(true);
    webAddress_->getStateFont1()->setColor(0, 170, 0);
    webAddress_->getStateFont2()->setColor(170, 170, 0);
    webAddress_->addClickListener(this);
    column->addChild(gapY(7 * s));
    column->addChild(gapY(3 * s));

    close_ = Button::createWithText(text(kCloseId).c_str(), 100, 20 * s);
    column->addChild(close_);

    labels_.assign({title, program, labels[0], labels[1], labels[2], labels[3], labels[4], labels[5]});
    for (Label* label : labels_) label->setTextColor(0, 0, 0);

    column_ = column;
}

void AboutWindow::fitToContents() {
    // The window holds its contents: the default width, and the height down to the
    // Close button's bottom once laid out.
    const int32_t s = scale_;
    window_->setInnerWidth(kWidth * s);
    window_->setInnerHeight(std::max(column_->getPreferredHeight(), 100 * s));
    for (int i = 0; i < 3; ++i) {
        window_->doLayout();
        RECT client, button;
        if (!GetClientRect(window_->getHwnd(), &client) || !GetWindowRect(close_->m_hWnd, &button)) break;
        MapWindowPoints(nullptr, window_->getHwnd(), reinterpret_cast<POINT*>(&button), 2);
        const int32_t missing = button.bottom + 2 * s - client.bottom;
        if (missing == 0) break;
        window_->setInnerHeight(window_->getInnerHeight() + missing);
    }
}

void AboutWindow::onEvent(base::IObject* source, int32_t code) {
    if (window_ && source == static_cast<base::IObject*>(window_) && code == s::gui::WindowEvent::kClose) {
        if (owner_) owner_->setModalState(false);
        return;
    }
    if (webAddress_ && source == static_cast<base::IObject*>(webAddress_)) {
        const wchar_t* address = webAddress_->getText();
        if (address && *address) s::shell::open(address);
    }
}

}  // namespace s::image::gui::dialogs::imageview
