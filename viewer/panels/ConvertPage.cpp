// The "Convert at Once" drop page: its rows for the three conversion kinds, the
// conversion settings read at start and written when files are queued, and the
// progress shown while the worker converts.
#include <cwchar>

#include "platform/lang/Localizer.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/panels/ToolPanelControls.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using namespace toolshape;
using s::gui::IComponent;
using s::gui::win::Box;

namespace {

// Language-pack ids of the page.
constexpr int32_t kDropHere = 1990001000;
constexpr int32_t kExtensions = 1990002000;
constexpr int32_t kByDropping = 1990002600;
constexpr int32_t kEasily = 1990002601;
constexpr int32_t kFilterLabel = 1990004122;
constexpr int32_t kSizeLabel = 1990004127;
constexpr int32_t kWidthLabel = 1990004128;
constexpr int32_t kHeightLabel = 1990004129;
constexpr int32_t kAutoSharpen = 1990004132;
constexpr int32_t kFormatLabel = 1990004123;
constexpr int32_t kSameFormatText = 1990004124;
constexpr int32_t kSizeTypeTexts[] = {1990004413, 1990004414, 1990004415, 1990004416, 1990004417, 1990004418};

struct FormatEntry {
    int32_t textId;
    const wchar_t* name;
};
constexpr FormatEntry kFormats[] = {{1990000810, convertformat::kJpg},
                                    {1990000811, convertformat::kGif},
                                    {1990000812, convertformat::kPng},
                                    {1990000813, convertformat::kBmp},
                                    {1990000814, convertformat::kIco}};

// The program's constant of that format name (ignoring case), null for another name.
const wchar_t* formatConstant(const wchar_t* name, bool sameAllowed) {
    if (!name) return nullptr;
    for (const FormatEntry& f : kFormats)
        if (_wcsicmp(f.name, name) == 0) return f.name;
    if (sameAllowed && _wcsicmp(convertformat::kSame, name) == 0) return convertformat::kSame;
    return nullptr;
}

// A row holding a fixed-width caption box, then the rest.
Box* captionRow(int32_t vAlign, int32_t captionWidth, int32_t captionId) {
    Box* rowBox = Box::createFixedHeight(kRow, 100, 0, s::gui::Align::kStart, vAlign, 0, 0, 0);
    Box* caption = Box::createSized(kRow, captionWidth, -1, s::gui::Align::kCentre, 0, 0);
    caption->addChild(label(captionId));
    rowBox->addChild(caption);
    return rowBox;
}

s::gui::win::ComboBox* formatList(lang::Localizer* loc, bool withSame, int32_t s) {
    s::gui::win::ComboBox* box = list(100, s);
    if (withSame) box->addItem(row(kSameFormatText, loc, reinterpret_cast<intptr_t>(convertformat::kSame)));
    for (const FormatEntry& f : kFormats) box->addItem(row(f.textId, loc, reinterpret_cast<intptr_t>(f.name)));
    box->select(0, false);
    return box;
}

}  // namespace

void ToolPanels::buildConvertPage() {
    Controls& c = *c_;
    page_ = Box::createWithLayout(kColumn, 100, 100, s::gui::Align::kStart, s::gui::Align::kStart, 0, 0, 5 * s_, 0);

    // The drop box: what to drop while idle, the progress while converting.
    c.dropBox = s::gui::win::GroupBox::createDropBox(100, 100, 10 * s_, 5 * s_, 5 * s_, 3 * s_);
    dropBox_ = c.dropBox;
    // Drops pass through the frame to the drop target that holds the page (the viewer's),
    // which opens or queues them.
    c.dropBox->setAcceptFiles(false);
    if (s::gui::IBox* content = c.dropBox->getContent()) {
        content->alignCenter();
        content->alignMiddle();
    }
    c.idleBox = Box::createWithLayout(kColumn, 100, -1, s::gui::Align::kCentre, s::gui::Align::kStart, 0, 0, 0, 0);
    c.idleBox->addChild(s::gui::win::Label::createWithTextId(kDropHere, true, 0));
    c.idleBox->addChild(s::gui::win::Label::createWithTextId(kExtensions, true, 0));
    c.idleBox->addChild(vgap(10 * s_));
    c.idleBox->addChild(s::gui::win::Label::createWithTextId(kByDropping, true, 0));
    c.idleBox->addChild(s::gui::win::Label::createWithTextId(kEasily, true, 0));
    c.progressBox = Box::createWithLayout(kColumn, 100, -1, s::gui::Align::kCentre, s::gui::Align::kStart, 0, 0, 0, 0);
    c.progressBox->setFixedHeight(0, false);
    c.statusLabel = literal(L"");
    c.progressBar = s::gui::win::ProgressBar::create();
    c.progressBar->setWidthPercent(100);
    c.progressBar->setFixedHeight(16 * s_);
    c.progressBox->addChild(c.statusLabel);
    c.progressBox->addChild(c.progressBar);
    c.dropBox->addChild(c.idleBox);
    c.dropBox->addChild(c.progressBox);

    // Kind 1: the filter set.
    c.filterRow = captionRow(s::gui::Align::kCentre, 85 * s_, kFilterLabel);
    c.convertSetList = list(100, s_);
    c.convertSetList->addItem(row(tooltext::kCurrentFilterSet, loc_, -1));
    c.convertSetList->addItem(s::gui::combobox::ComboBoxItem::createSeparator(kSetListSeparator));
    c.filterRow->addChild(c.convertSetList);
    c.firstSpacer = vgap(0);
    c.firstSpacer->setFixedHeight(0);

    // Kind 2: the size.
    c.sizeRow = captionRow(s::gui::Align::kStart, 85 * s_, kSizeLabel);
    Box* sizeColumn = Box::createWithLayout(kColumn, 100, -1, s::gui::Align::kStart, s::gui::Align::kStart, 0, 0, 0, 0);
    c.sizeTypeList = list(100, s_);
    for (int32_t i = 0; i < 6; ++i) c.sizeTypeList->addItem(row(kSizeTypeTexts[i], loc_, i));
    Box* sides = Box::createWithLayout(kRow, 100, -1, s::gui::Align::kStart, s::gui::Align::kCentre, 0, 0, 0, 0);
    c.widthField = field(35, s_);
    c.widthField->setText(L"200", false);
    c.heightField = field(35, s_);
    c.heightField->setText(L"200", false);
    c.autoSharpenCheck = check(kAutoSharpen, convertAutoSharpen_);
    for (IComponent* child : std::initializer_list<IComponent*>{label(kWidthLabel), c.widthField, literal(L"px"),
                                                                gap(10 * s_), label(kHeightLabel), c.heightField,
                                                                literal(L"px"), gap(10 * s_), c.autoSharpenCheck})
        sides->addChild(child);
    sizeColumn->addChild(c.sizeTypeList);
    sizeColumn->addChild(vgap(5 * s_));
    sizeColumn->addChild(sides);
    c.sizeRow->addChild(sizeColumn);
    c.secondSpacer = vgap(0);
    c.secondSpacer->setFixedHeight(0);

    // Kinds 1 and 2: the format, or the same as each file's.
    c.sizeFormatRow = captionRow(s::gui::Align::kCentre, 85 * s_, kFormatLabel);
    c.sizeFormatList = formatList(loc_, true, s_);
    c.sizeFormatRow->addChild(c.sizeFormatList);

    // Kind 3: the format.
    c.formatRow = Box::createWithLayout(kRow, 100, -1, s::gui::Align::kStart, s::gui::Align::kCentre, 0, 0, 0, 0);
    Box* formatCaption = Box::createSized(kRow, 75 * s_, -1, s::gui::Align::kCentre, 0, 0);
    formatCaption->addChild(label(kFormatLabel));
    c.formatList = formatList(loc_, false, s_);
    c.formatRow->addChild(formatCaption);
    c.formatRow->addChild(c.formatList);

    for (IComponent* child :
         std::initializer_list<IComponent*>{c.dropBox, vgap(10 * s_), c.filterRow, c.firstSpacer, c.sizeRow,
                                            c.secondSpacer, c.sizeFormatRow, c.formatRow, vgap(10 * s_)})
        page_->addChild(child);
    convertFormat_ = convertformat::kJpg;
}

void ToolPanels::showConvertRows(int32_t kind) {
    Controls& c = *c_;
    // Fixed heights: 0 hides a row, -1 lets it take its own height.
    const bool filter = kind == kConvertFilterSet;
    const bool size = kind == kConvertSpecificSize;
    const bool format = kind == kConvertSpecificFormat;
    c.filterRow->setFixedHeight(filter ? -1 : 0, false);
    c.firstSpacer->setFixedHeight(filter ? 7 * s_ : 0);
    c.sizeRow->setFixedHeight(size ? -1 : 0, false);
    c.secondSpacer->setFixedHeight(size ? 7 * s_ : 0);
    c.sizeFormatRow->setFixedHeight(format ? 0 : -1, false);
    c.formatRow->setFixedHeight(format ? -1 : 0, false);
    page_->doLayout();
}

void ToolPanels::chooseConvertKind(int32_t kind) {
    if (kind != kConvertFilterSet && kind != kConvertSpecificSize && kind != kConvertSpecificFormat) return;
    convertKind_ = kind;
    s::gui::IComboBox* inUse = kind == kConvertSpecificFormat ? c_->formatList : c_->sizeFormatList;
    convertFormat_ = reinterpret_cast<const wchar_t*>(selectedData(inUse, reinterpret_cast<intptr_t>(convertFormat_)));
    showConvertRows(kind);
}

void ToolPanels::startConvertPage() {
    Controls& c = *c_;
    if (settings_) {
        // The readers answer the canonical spelling, or the default for a text they do not know.
        if (const wchar_t* f = formatConstant(settings_->getConvertFormat(), false))
            c.formatList->selectByData(reinterpret_cast<intptr_t>(f), false);
        if (const wchar_t* f = formatConstant(settings_->getConvertFilterSetAndSizeFormat(), true))
            c.sizeFormatList->selectByData(reinterpret_cast<intptr_t>(f), false);
        const wchar_t* type = settings_->getConvertType();
        if (_wcsicmp(type, convert::kSpecificFormat) == 0) {
            chooseConvertKind(kConvertSpecificFormat);
        } else if (_wcsicmp(type, convert::kSpecificSize) == 0) {
            chooseConvertKind(kConvertSpecificSize);
        } else if (_wcsicmp(type, convert::kFilterSet) == 0) {
            chooseConvertKind(kConvertFilterSet);
        }
        convertWidth_ = clampConvertSide(settings_->getConvertSizeWidth());
        convertHeight_ = clampConvertSide(settings_->getConvertSizeHeight());
        convertAutoSharpen_ = settings_->getConvertSizeAutoSharpen();
        convertSizeType_ = settings_->getConvertSizeType();
    } else {
        chooseConvertKind(kConvertSpecificFormat);
    }
    c.convertKindList->selectByData(convertKind_, false);
    c.widthField->setText(std::to_wstring(convertWidth_).c_str(), false);
    c.heightField->setText(std::to_wstring(convertHeight_).c_str(), false);
    c.autoSharpenCheck->setCheckedSilently(convertAutoSharpen_);
    c.sizeTypeList->selectByData(convertSizeType_, false);
    c.convertSetList->select(0, false);
}

void ToolPanels::listenConvertPage(s::gui::events::IEventListener* l) {
    Controls& c = *c_;
    for (s::gui::win::ComboBox* box :
         {c.convertKindList, c.convertSetList, c.sizeTypeList, c.sizeFormatList, c.formatList})
        box->addSelectionListener(l);
    c.widthField->addChangeListener(l);
    c.heightField->addChangeListener(l);
    c.autoSharpenCheck->addCheckedListener(l);
    c.autoSharpenCheck->addUncheckedListener(l);
}

bool ToolPanels::handleConvertEvent(IComponent* source, int32_t code) {
    Controls& c = *c_;
    if (source == c.convertKindList) {
        chooseConvertKind(int32_t(selectedData(c.convertKindList, convertKind_)));
        host_->relayout();
        return true;
    }
    if (source == c.widthField || source == c.heightField) {
        str::strbuffer::StrBuffer t;
        t.setText((source == c.widthField ? c.widthField : c.heightField)->getText());
        // Only whole numbers are taken, and only sides a picture can have.
        if (t.isInteger()) (source == c.widthField ? convertWidth_ : convertHeight_) = clampConvertSide(t.toInt());
        return true;
    }
    if (source == c.autoSharpenCheck) {
        convertAutoSharpen_ = code == s::gui::CheckBoxEvent::kChecked;
        return true;
    }
    if (source == c.sizeTypeList) {
        convertSizeType_ = int32_t(selectedData(c.sizeTypeList, convertSizeType_));
        return true;
    }
    if (source == c.formatList || source == c.sizeFormatList) {
        // The list of the kind in use gives the format; the other keeps its choice for later.
        const bool inUse = (source == c.formatList) == (convertKind_ == kConvertSpecificFormat);
        if (inUse) {
            s::gui::win::ComboBox* box = source == c.formatList ? c.formatList : c.sizeFormatList;
            convertFormat_ =
                reinterpret_cast<const wchar_t*>(selectedData(box, reinterpret_cast<intptr_t>(convertFormat_)));
        }
        return true;
    }
    return false;
}

void ToolPanels::writeConvertSettings() {
    if (!settings_) return;
    switch (convertKind_) {
        case kConvertSpecificFormat:
            settings_->setConvertType(convert::kSpecificFormat);
            settings_->setConvertFormat(convertFormat_);
            break;
        case kConvertSpecificSize:
            settings_->setConvertType(convert::kSpecificSize);
            settings_->setConvertSizeWidth(convertWidth_);
            settings_->setConvertSizeHeight(convertHeight_);
            settings_->setConvertSizeAutoSharpen(convertAutoSharpen_);
            settings_->setConvertSizeType(convertSizeType_);
            settings_->setConvertFilterSetAndSizeFormat(convertFormat_);
            break;
        case kConvertFilterSet: {
            settings_->setConvertType(convert::kFilterSet);
            EffectData* set = convertFilterSet();
            settings_->setConvertFilterSetName(set && set->name ? set->name->text() : L"");
            settings_->setConvertFilterSetAndSizeFormat(convertFormat_);
            break;
        }
        default: break;
    }
}

bool ToolPanels::fillConvertRequest(ConvertRequest* request) {
    if (!built_ || !request || !convertFormat_) return false;
    writeConvertSettings();
    request->type = convertKind_;
    request->format = convertFormat_;
    request->width = convertWidth_;
    request->height = convertHeight_;
    request->sizeType = convertSizeType_;
    request->autoSharpen = convertAutoSharpen_;
    request->store = settings_ ? settings_->getStore() : nullptr;
    request->filterSet = nullptr;
    if (convertKind_ == kConvertFilterSet) {
        // The request carries a copy of its own: the panels may change, and the sets
        // be saved or deleted, while the run is queued.
        if (convertCopy_) convertCopy_->release();
        const EffectData* set = convertFilterSet();
        convertCopy_ = set ? set->copy() : nullptr;
        request->filterSet = convertCopy_;
    }
    return true;
}

void ToolPanels::convertStarted() {
    if (!built_) return;
    c_->idleBox->setFixedHeight(0, true);
    c_->progressBox->setFixedHeight(-1, true);
}

void ToolPanels::convertProgress(int32_t total, int32_t done, const wchar_t* status) {
    if (!built_) return;
    // The bar's range is 16 bits wide: halve both until the total fits.
    while (total > 32767) {
        total >>= 1;
        done >>= 1;
    }
    c_->statusLabel->setText(status ? status : L"", true);
    c_->progressBar->setRange(0, total);
    c_->progressBar->setPosition(done);
}

void ToolPanels::convertEnded() {
    if (!built_) return;
    c_->idleBox->setFixedHeight(-1, true);
    c_->progressBox->setFixedHeight(0, true);
    c_->progressBar->setPosition(0);
}

}  // namespace s::image::gui::dialogs::imageview
