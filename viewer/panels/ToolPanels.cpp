// The side panels that are not filters: building them, their start values from the
// settings, their buttons and lists, and the worker's status shown on them.
#include "viewer/panels/ToolPanels.h"

#include "gui/menus/PopupMenu.h"
#include "platform/lang/Localizer.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/panels/ToolPanelControls.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/worker/ViewerWorker.h"

namespace s::image::gui::dialogs::imageview {

using namespace toolshape;
using s::gui::IComponent;
using s::gui::win::Box;
namespace cmd = command;

ToolPanels::ToolPanels(IToolPanelHost* host) : host_(host), c_(new Controls()) {}

ToolPanels::~ToolPanels() {
    if (savedCurrent_) savedCurrent_->release();
    if (convertCopy_) convertCopy_->release();
    // The options panel belongs to the page's window like the rest; only the setting is ours.
    dropConvertOptions(false);
    // The panels and the page belong to the window they are attached to.
    delete c_;
}

const wchar_t* ToolPanels::text(int32_t id) const {
    const wchar_t* t = loc_ ? loc_->getText(id) : nullptr;
    return t ? t : L"";
}

Box* ToolPanels::newPanel(int32_t command) {
    Box* panel = Box::createWithLayout(kRow, 100, 100, s::gui::Align::kStart, s::gui::Align::kCentre, 0, 0, 0, 0);
    panels_[command] = panel;
    return panel;
}

s::gui::IBox* ToolPanels::panelFor(int32_t command) {
    auto found = panels_.find(command);
    return found == panels_.end() ? nullptr : found->second;
}

s::gui::IBox* ToolPanels::convertPage() { return page_; }

void ToolPanels::build() {
    if (built_) return;
    built_ = true;
    settings_ = host_->settings();
    loc_ = host_->localizer();
    s_ = host_->screenScale() > 0 ? host_->screenScale() : 1;
    buildToolbar();
    buildSlideShow();
    buildScreenshot();
    buildLoadFilterSet();
    buildSaveFilterSet();
    buildSave();
    buildPrint();
    buildConvertKind();
    buildConvertPage();
}

void ToolPanels::buildToolbar() {
    Box* p = newPanel(cmd::kPanelView);
    ToolbarControls& t = toolbar_;
    t.left = glyph(L"#Left", s_);
    t.right = glyph(L"#Right", s_);
    t.minus = glyph(L"#Minus", s_);
    auto* zoom = s::gui::win::Slider::createRange(0, 100, 50, 100, 18 * s_);
    zoom->setTicFrequency(10);
    zoom->setShowTicks(false);
    zoom->setStep(50);
    t.zoom = zoom;
    t.plus = glyph(L"#Plus", s_);
    t.plusMinus = glyph(L"#PlusMinus", s_);
    auto* compact = gap(0);
    t.compactSpacer = compact;
    t.palm = glyph(L"#Palm", s_);
    auto* fitGap = gap(7 * s_);
    t.fitGap = fitGap;
    t.fitToWindow = glyph(L"#FitToWindow", s_);
    t.fitWindow = glyph(L"#FitWindow", s_);
    for (s::gui::IButton* b : {t.palm, t.fitToWindow, t.fitWindow}) b->setToggleMode(true, true, false, false);
    if (host_->isTitleBarShown()) {
        // Their twins sit in the title area.
        for (s::gui::IButton* b : {t.palm, t.fitToWindow, t.fitWindow}) b->setFixedWidth(0);
        fitGap->setFixedWidth(0);
    }
    for (IComponent* child : std::initializer_list<IComponent*>{t.left, t.right, gap(7 * s_), t.minus, zoom, t.plus,
                                                                gap(7 * s_), t.plusMinus, gap(7 * s_), compact, t.palm,
                                                                fitGap, t.fitToWindow, t.fitWindow})
        p->addChild(child);
}

void ToolPanels::buildSlideShow() {
    Box* p = newPanel(cmd::kPanelSlideShow);
    c_->slideButton = textButton(tooltext::kStart, 100, s_);
    c_->intervalField = field(45, s_);
    c_->repeatCheck = check(tooltext::kRepeat, settings_ ? settings_->getSlideShowRepeat() : true);
    p->addChild(c_->slideButton);
    p->addChild(gap(7 * s_));
    p->addChild(c_->intervalField);
    p->addChild(label(tooltext::kMsec));
    p->addChild(gap(7 * s_));
    p->addChild(c_->repeatCheck);
}

void ToolPanels::buildScreenshot() {
    Box* p = newPanel(cmd::kPanelScreenshot);
    c_->captureList = list(50, s_);
    c_->captureList->addItem(row(tooltext::kEntireScreen, loc_, 1));
    c_->captureList->addItem(row(tooltext::kWindow, loc_, 3));
    c_->captureList->addItem(row(tooltext::kWindowPart, loc_, 5));
    c_->captureButton = textButton(tooltext::kCapture, 50, s_);
    p->addChild(c_->captureList);
    p->addChild(gap(7 * s_));
    p->addChild(c_->captureButton);
}

void ToolPanels::buildLoadFilterSet() {
    Box* p = newPanel(cmd::kPanelLoadFilterSet);
    c_->setList = list(100, s_);
    c_->setList->addItem(row(tooltext::kCurrentFilterSet, loc_, -1));
    c_->setList->addItem(s::gui::combobox::ComboBoxItem::createSeparator(kSetListSeparator));
    c_->lockButton = textButton(tooltext::kLock, -1, s_);
    c_->lockButton->setToggleMode(true, true, false, false);
    c_->clearButton = textButton(tooltext::kClear, -1, s_);
    c_->deleteButton = textButton(tooltext::kDelete, -1, s_);
    c_->deleteButton->setEnabledFlag(false);
    p->addChild(c_->setList);
    p->addChild(gap(7 * s_));
    p->addChild(c_->lockButton);
    p->addChild(gap(7 * s_));
    p->addChild(c_->clearButton);
    p->addChild(gap(7 * s_));
    p->addChild(c_->deleteButton);
}

void ToolPanels::buildSaveFilterSet() {
    Box* p = newPanel(cmd::kPanelSaveFilterSet);
    c_->nameField = s::gui::win::TextField::create();
    c_->nameField->setWidthPercent(100);
    c_->nameField->setFixedHeight(20 * s_);
    c_->nameField->setText(text(tooltext::kMyFilterSet), false);
    c_->saveSetButton = textButton(tooltext::kSave, -1, s_);
    p->addChild(label(tooltext::kName));
    p->addChild(c_->nameField);
    p->addChild(gap(7 * s_));
    p->addChild(c_->saveSetButton);
}

void ToolPanels::buildSave() {
    Box* p = newPanel(cmd::kPanelSave);
    c_->saveList = list(70, s_);
    c_->saveList->addItem(row(tooltext::kOriginalSize, loc_, 1));
    c_->saveList->addItem(row(tooltext::kViewSize, loc_, 3));
    c_->saveList->addItem(row(tooltext::kViewSizeSharpen, loc_, 4));
    c_->saveButton = textButton(tooltext::kSaveButton, 30, s_);
    p->addChild(c_->saveList);
    p->addChild(gap(7 * s_));
    p->addChild(c_->saveButton);
}

void ToolPanels::buildPrint() {
    Box* p = newPanel(cmd::kPanelPrint);
    c_->printList = list(70, s_);
    const int32_t ids[] = {tooltext::kOriginalSize,    tooltext::kOriginalSizeSharpen, tooltext::kViewSize,
                           tooltext::kViewSizeSharpen, tooltext::kPaperMaximum,        tooltext::kPaperMaximumSharpen};
    for (int32_t i = 0; i < 6; ++i) c_->printList->addItem(row(ids[i], loc_, i + 1));
    c_->autoRotateCheck = check(tooltext::kAutoRotate, host_->isAutoRotate());
    c_->printButton = textButton(tooltext::kPrintButton, 30, s_);
    p->addChild(c_->printList);
    p->addChild(gap(7 * s_));
    p->addChild(c_->autoRotateCheck);
    p->addChild(gap(7 * s_));
    p->addChild(c_->printButton);
}

void ToolPanels::buildConvertKind() {
    Box* p = newPanel(cmd::kPanelConvert);
    c_->convertKindList = list(100, s_);
    c_->convertKindList->addItem(row(tooltext::kToSpecificFormat, loc_, kConvertSpecificFormat));
    c_->convertKindList->addItem(row(tooltext::kToSpecificSize, loc_, kConvertSpecificSize));
    c_->convertKindList->addItem(row(tooltext::kApplyFilterSet, loc_, kConvertFilterSet));
    p->addChild(c_->convertKindList);
}

void ToolPanels::start() {
    if (!built_ || started_) return;
    started_ = true;
    s::gui::events::IEventListener* l = host_->panelListener();
    if (!l) l = this;

    // Slide Show.
    slideInterval_ = settings_ ? settings_->getSlideShowMSec() : kDefaultSlideShowInterval;
    c_->intervalField->setText(std::to_wstring(slideInterval_).c_str(), false);
    c_->repeatCheck->setCheckedSilently(settings_ ? settings_->getSlideShowRepeat() : true);
    c_->slideButton->addActionListener(l);
    c_->repeatCheck->addCheckedListener(l);
    c_->repeatCheck->addUncheckedListener(l);

    // Screenshot: the button's shape follows the stored kind.
    setCaptureKind(settings_ ? settings_->getScreenShotType() : 1);
    c_->captureList->addSelectionListener(l);
    c_->captureButton->addToggleListener(l);
    c_->captureButton->addActionListener(l);

    // Load and Save Current Filter Set.
    c_->setList->select(0, false);
    c_->setList->addSelectionListener(l);
    c_->lockButton->addToggleListener(l);
    c_->clearButton->addActionListener(l);
    c_->deleteButton->addActionListener(l);
    c_->nameField->addChangeListener(l);
    c_->saveSetButton->addActionListener(l);

    // Save... and Print: a stored kind no entry carries (Save has none for 2) selects no
    // entry of its own, and the kind is kept for the button.
    saveType_ = settings_ ? settings_->getSaveType() : 1;
    c_->saveList->selectByData(saveType_, false);
    c_->saveList->addSelectionListener(l);
    c_->saveButton->addActionListener(l);
    printType_ = settings_ ? settings_->getPrintType() : 1;
    c_->printList->selectByData(printType_, false);
    c_->printList->addSelectionListener(l);
    c_->autoRotateCheck->setCheckedSilently(host_->isAutoRotate());
    c_->autoRotateCheck->addCheckedListener(l);
    c_->autoRotateCheck->addUncheckedListener(l);
    c_->printButton->addActionListener(l);

    startConvertPage();
    listenConvertPage(l);
}

void ToolPanels::onEvent(base::IObject* source, int32_t code) { handleEvent(dynamic_cast<IComponent*>(source), code); }

bool ToolPanels::handleEvent(IComponent* source, int32_t code) {
    if (!source || !built_) return false;
    return handleFilterSetEvent(source, code) || handleToolEvent(source, code) || handleConvertEvent(source, code);
}

void ToolPanels::setCaptureKind(int32_t kind) {
    if (kind != 1 && kind != 3 && kind != 5) kind = 1;
    captureType_ = kind;
    // Entire screen captures at once; a window or its part is picked by the next click.
    s::gui::win::Button* b = c_->captureButton;
    b->setToggleMode(kind != 1, kind != 1, false, false);
    b->setToggled(false);
    b->setTextId(kind == 1 ? tooltext::kCapture : tooltext::kPick);
    c_->captureList->selectByData(kind, false);
}

int32_t ToolPanels::slideShowInterval() {
    if (!built_) return slideInterval_;
    slideInterval_ = slideShowIntervalFrom(c_->intervalField->getText(), slideInterval_);
    c_->intervalField->setText(std::to_wstring(slideInterval_).c_str(), false);
    if (settings_) settings_->setSlideShowMSec(slideInterval_);
    return slideInterval_;
}

std::wstring ToolPanels::slideShowIntervalText() {
    const wchar_t* text = built_ ? c_->intervalField->getText() : nullptr;
    return text ? text : L"";
}

void ToolPanels::setSlideShowIntervalText(const wchar_t* text) {
    if (built_) c_->intervalField->setText(text ? text : L"", false);
}

bool ToolPanels::isSlideShowRepeat() {
    if (built_) return c_->repeatCheck->isChecked();
    return settings_ ? settings_->getSlideShowRepeat() : true;
}

bool ToolPanels::handleToolEvent(IComponent* source, int32_t code) {
    Controls& c = *c_;
    if (source == c.slideButton) {
        if (host_->isSlideShowRunning()) {
            host_->requestWorkerStop();
        } else {
            // The controller takes the interval and Repeat from the panel.
            host_->startSlideShow();
        }
        return true;
    }
    if (source == c.repeatCheck) {
        if (settings_) settings_->setSlideShowRepeat(code == s::gui::CheckBoxEvent::kChecked);
        return true;
    }
    if (source == c.captureList) {
        setCaptureKind(int32_t(selectedData(c.captureList, captureType_)));
        return true;
    }
    if (source == c.captureButton) {
        // A plain button tells both lists of a click; act once, on the action.
        const bool plain = captureType_ == 1;
        if (plain != (code == s::gui::ButtonEvent::kAction)) return true;
        if (settings_) settings_->setScreenShotType(captureType_);
        if (plain) {
            host_->captureNow();
        } else if (c.captureButton->isToggled()) {
            host_->startCapturePick(captureType_);
        }
        return true;
    }
    if (source == c.saveList) {
        saveType_ = int32_t(selectedData(c.saveList, saveType_));
        return true;
    }
    if (source == c.saveButton) {
        if (settings_) settings_->setSaveType(saveType_);
        switch (saveType_) {
            case 1: host_->saveAs(false, false); break;
            case 2: host_->saveAs(false, true); break;
            case 3: host_->saveAs(true, false); break;
            case 4: host_->saveAs(true, true); break;
            default: break;
        }
        return true;
    }
    if (source == c.printList) {
        printType_ = int32_t(selectedData(c.printList, printType_));
        return true;
    }
    if (source == c.autoRotateCheck) {
        host_->setAutoRotate(code == s::gui::CheckBoxEvent::kChecked);
        return true;
    }
    if (source == c.printButton) {
        if (settings_) settings_->setPrintType(printType_);
        if (!host_->isPictureShown() || printType_ < 1 || printType_ > 6) return true;
        const bool viewSize = printType_ == 3 || printType_ == 4;
        const bool sharpen = printType_ % 2 == 0;
        const bool paper = printType_ >= 5;
        host_->print(viewSize, sharpen, paper);
        return true;
    }
    return false;
}

void ToolPanels::showAutoRotate(bool on) {
    if (built_) c_->autoRotateCheck->setCheckedSilently(on);
}

void ToolPanels::captureEnded() {
    if (built_) c_->captureButton->setToggled(false);
}

void ToolPanels::slideShowStarted() {
    if (built_) c_->slideButton->setTextId(tooltext::kStop);
}

void ToolPanels::slideShowEnded() {
    if (built_) c_->slideButton->setTextId(tooltext::kStart);
}

IToolPanels* makeToolPanels(IToolPanelHost* host) { return new ToolPanels(host); }

}  // namespace s::image::gui::dialogs::imageview
