// The handlers of the number panels, Size and Stretch, Cut, Flip and Monochrome: each
// turns its controls' events into values of the current filter set, brings the panel's
// other controls in line and rebuilds the one filter of its kind on the shown picture.
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/IImage.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextField.h"
#include "imaging/filters/Scale.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/FilterList.h"
#include "viewer/panels/FilterPanels.h"
#include "viewer/panels/IFilterPanelHost.h"

namespace s::image::gui::dialogs::imageview {

using s::gui::IComponent;
using s::gui::win::Button;
using s::gui::win::TextField;

namespace {

constexpr double kPi = 3.14159265358979323846;
// The largest target side in pixels without a picture to bound it.
constexpr int32_t kMaxPixels = 32767;

// A whole decimal number, optionally signed, with nothing else but surrounding blanks.
bool parseInt(const wchar_t* text, int32_t* out) {
    if (!text) return false;
    while (*text == L' ') ++text;
    const wchar_t* p = text;
    if (*p == L'-' || *p == L'+') ++p;
    if (*p < L'0' || *p > L'9') return false;
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(text, &end, 10);
    while (end && *end == L' ') ++end;
    if (!end || *end) return false;
    *out = int32_t(std::clamp<long long>(v, -1000000000LL, 1000000000LL));
    return true;
}

// Brings the value into the panel's range the way the panel does; false when the value
// is to be ignored. Large steps always stop at the range ends.
bool normalise(const NumberRule& rule, int32_t* v, bool largeStep) {
    if (rule.range == NumberRule::kWrap) {
        const int32_t span = rule.maximum - rule.minimum;
        while (*v > rule.maximum) *v -= span;
        while (*v < rule.minimum) *v += span;
        return true;
    }
    if (rule.range == NumberRule::kClamp || largeStep) {
        *v = std::clamp(*v, rule.minimum, rule.maximum);
        return true;
    }
    return *v >= rule.minimum && *v <= rule.maximum;
}

int32_t* valueOf(EffectData* d, NumericKind kind) {
    switch (kind) {
        case NumericKind::kSharpness: return &d->sharpness;
        case NumericKind::kHue: return &d->hue;
        case NumericKind::kSaturation: return &d->saturation;
        case NumericKind::kBrightness: return &d->brightness;
        case NumericKind::kLevel: return &d->level;
        case NumericKind::kCurve: return &d->curve;
        case NumericKind::kAlpha: return &d->alpha;
        case NumericKind::kRotate: return &d->rotation;
        case NumericKind::kMisty: return &d->mistyFrame;
        case NumericKind::kStretchH: return &d->widthPercent;
        case NumericKind::kStretchV: return &d->heightPercent;
        default: return nullptr;
    }
}

bool isStretch(NumericKind kind) { return kind == NumericKind::kStretchH || kind == NumericKind::kStretchV; }

void showNumber(TextField* field, int32_t value) { field->setText(std::to_wstring(value).c_str(), false); }

}  // namespace

// ---- number panels

bool FilterPanels::onNumericPanel(IComponent* source) {
    for (int k = 0; k < int(NumericKind::kCount); ++k) {
        const NumericKind kind = NumericKind(k);
        NumericPanel& p = numeric_[k];
        if (isStretch(kind)) {
            if (onStretch(kind, source)) return true;
            continue;
        }
        const NumberRule& rule = numberRule(kind);
        const int32_t current = *valueOf(values(), kind);
        if (source == static_cast<IComponent*>(p.field)) {
            int32_t v = 0;
            // A typed number outside the range is ignored (Rotate wraps it instead).
            if (!parseInt(p.field->getText(), &v)) return true;
            if (rule.range != NumberRule::kWrap && (v < rule.minimum || v > rule.maximum)) return true;
            normalise(rule, &v, false);
            setNumeric(kind, v, false);
            return true;
        }
        if (source == static_cast<IComponent*>(p.reset)) {
            setNumeric(kind, rule.neutral, true);
            return true;
        }
        for (int32_t i = 0; i < p.stepCount; ++i) {
            if (source != static_cast<IComponent*>(p.steps[i].button)) continue;
            int32_t v = current + p.steps[i].delta;
            if (normalise(rule, &v, p.steps[i].large)) setNumeric(kind, v, true);
            return true;
        }
        if (source == static_cast<IComponent*>(p.slider)) {
            if (kind == NumericKind::kRotate && host_->isFitWindowToImage()) host_->setFitModeOff();
            setNumeric(kind, p.slider->getPosition() - rule.offset, true);
            return true;
        }
    }
    return false;
}

void FilterPanels::setNumeric(NumericKind kind, int32_t value, bool rewriteField) {
    if (isStretch(kind)) {
        EffectData* cur = values();
        if (kind == NumericKind::kStretchH)
            setSizing(0, false, value, false, std::max(1, cur->heightPercent), false, nullptr);
        else
            setSizing(0, false, std::max(1, cur->widthPercent), false, value, false, nullptr);
        return;
    }
    const NumberRule& rule = numberRule(kind);
    normalise(rule, &value, true);
    int32_t* ref = valueOf(values(), kind);
    const int32_t old = *ref;
    *ref = value;
    showNumeric(kind, rewriteField);
    applyNumeric(kind, old);
}

void FilterPanels::showNumeric(NumericKind kind, bool rewriteField) {
    NumericPanel& p = numeric_[int(kind)];
    if (!p.slider) return;
    const int32_t value = *valueOf(values(), kind);
    p.slider->setPosition(value + numberRule(kind).offset);
    if (rewriteField) showNumber(p.field, value);
}

void FilterPanels::applyNumeric(NumericKind kind, int32_t oldValue) {
    switch (kind) {
        case NumericKind::kSharpness: applyNamed(filtername::kSharpness); break;
        case NumericKind::kHue:
        case NumericKind::kSaturation:
        case NumericKind::kBrightness: applyNamed(filtername::kHsv); break;
        case NumericKind::kLevel: applyNamed(filtername::kLevel); break;
        case NumericKind::kCurve: applyNamed(filtername::kCurve); break;
        case NumericKind::kAlpha: applyNamed(filtername::kAlpha); break;
        case NumericKind::kMisty: applyNamed(filtername::kFeatherFrame); break;
        case NumericKind::kRotate: applyRotation(oldValue); break;
        default: break;
    }
}

// ---- the filter list

void FilterPanels::applyNamed(const wchar_t* filterName) {
    if (resetting_) return;
    s::gui::IImage* target = pictureShown() ? view() : nullptr;
    pauseView();
    filters::IFilter* existing = list_->find(filterName);
    filters::IFilter* made = values()->makeFilter(filterName, existing);
    if (existing && !made)
        list_->remove(existing, target);
    else if (!existing && made)
        list_->add(made, target);
    markFilterSetChanged();
    resumeView();
}

void FilterPanels::markFilterSetChanged() {
    if (loading_) return;
    const bool shown = pictureShown();
    if (shown)
        for (int32_t i = 0; i < view()->getFrameCount(); ++i) view()->applyFrameFilters(i);
    host_->filterValuesChanged();
    if (shown) view()->repaint();
}

void FilterPanels::geometryChanged(double relX, double relY) {
    if (loading_ || !pictureShown()) return;
    s::gui::IImage* v = view();
    v->updateImageSize();
    if (!values()->sizingAdded) {
        baseW_ = v->getImageWidth();
        baseH_ = v->getImageHeight();
        showNumber(size_.width, baseW_);
        showNumber(size_.height, baseH_);
    }
    host_->reapplyScale(std::clamp(relX, 0.0, 1.0), std::clamp(relY, 0.0, 1.0));
}

// ---- rotation

void FilterPanels::applyRotation(int32_t oldAngle) {
    if (resetting_) return;
    const bool shown = pictureShown() && !loading_;
    double rx = 0.5, ry = 0.5;
    int32_t oldW = 1, oldH = 1;
    if (shown) {
        host_->viewCentre(&rx, &ry);
        oldW = std::max(1, view()->getImageWidth());
        oldH = std::max(1, view()->getImageHeight());
    }
    applyNamed(filtername::kShearRotation);
    values()->rotationAdded = list_->find(filtername::kShearRotation) != nullptr;
    if (!shown) return;
    view()->updateImageSize();
    const double newW = std::max(1, view()->getImageWidth()), newH = std::max(1, view()->getImageHeight());
    // The remembered point turns about the middle with the picture (clockwise on screen).
    const double turn = (values()->rotation - oldAngle) * kPi / 180.0;
    const double px = (rx - 0.5) * oldW, py = (ry - 0.5) * oldH;
    const double qx = px * std::cos(turn) - py * std::sin(turn);
    const double qy = px * std::sin(turn) + py * std::cos(turn);
    geometryChanged(qx / newW + 0.5, qy / newH + 0.5);
}

// ---- cut

bool FilterPanels::onCutPanel(IComponent* source) {
    EffectData* c = values();
    int32_t v = 0;
    if (source == static_cast<IComponent*>(cutLR_.first)) {
        if (parseInt(cutLR_.first->getText(), &v)) setCut(v, c->cutRight, c->cutTop, c->cutBottom, false);
    } else if (source == static_cast<IComponent*>(cutLR_.second)) {
        if (parseInt(cutLR_.second->getText(), &v)) setCut(c->cutLeft, v, c->cutTop, c->cutBottom, false);
    } else if (source == static_cast<IComponent*>(cutTB_.first)) {
        if (parseInt(cutTB_.first->getText(), &v)) setCut(c->cutLeft, c->cutRight, v, c->cutBottom, false);
    } else if (source == static_cast<IComponent*>(cutTB_.second)) {
        if (parseInt(cutTB_.second->getText(), &v)) setCut(c->cutLeft, c->cutRight, c->cutTop, v, false);
    } else if (source == static_cast<IComponent*>(cutLR_.slider)) {
        if (host_->isFitWindowToImage()) host_->setFitModeOff();
        setCut(cutLR_.slider->getPosition(), 100 - cutLR_.slider->getUpperPosition(), c->cutTop, c->cutBottom, true);
    } else if (source == static_cast<IComponent*>(cutTB_.slider)) {
        if (host_->isFitWindowToImage()) host_->setFitModeOff();
        setCut(c->cutLeft, c->cutRight, cutTB_.slider->getPosition(), 100 - cutTB_.slider->getUpperPosition(), true);
    } else if (source == static_cast<IComponent*>(cutLR_.reset)) {
        setCut(0, 0, 0, 0, true);
    } else if (source == static_cast<IComponent*>(cutTB_.reset)) {
        setCut(c->cutLeft, c->cutRight, 0, 0, true);
    } else {
        return false;
    }
    return true;
}

void FilterPanels::setCut(int32_t left, int32_t right, int32_t top, int32_t bottom, bool rewriteFields) {
    EffectData* c = values();
    c->cutLeft = std::clamp(left, 0, 100);
    c->cutRight = std::clamp(right, 0, 100);
    c->cutTop = std::clamp(top, 0, 100);
    c->cutBottom = std::clamp(bottom, 0, 100);
    showCut(rewriteFields);
    applyCut();
}

void FilterPanels::showCut(bool rewriteFields) {
    const EffectData* c = values();
    auto show = [rewriteFields](CutPanel& p, int32_t first, int32_t second) {
        if (!p.slider) return;
        // The second thumb first makes room for the first, which stays below it.
        p.slider->setUpperPosition(100);
        p.slider->setPosition(first);
        p.slider->setUpperPosition(100 - second);
        if (rewriteFields) {
            showNumber(p.first, first);
            showNumber(p.second, second);
        }
    };
    show(cutLR_, c->cutLeft, c->cutRight);
    show(cutTB_, c->cutTop, c->cutBottom);
}

void FilterPanels::applyCut() {
    if (resetting_) return;
    double rx = 0.5, ry = 0.5;
    if (pictureShown()) host_->viewCentre(&rx, &ry);
    applyNamed(filtername::kCut);
    geometryChanged(rx, ry);
}

// ---- flip and monochrome

bool FilterPanels::onFlipPanel(IComponent* source) {
    const EffectData* c = values();
    if (source == static_cast<IComponent*>(flip_.reset))
        setFlip(false, false);
    else if (source == static_cast<IComponent*>(flip_.horizontal))
        setFlip(flip_.horizontal->isToggled(), c->flipVertical);
    else if (source == static_cast<IComponent*>(flip_.vertical))
        setFlip(c->flipHorizontal, flip_.vertical->isToggled());
    else
        return false;
    return true;
}

void FilterPanels::setFlip(bool horizontal, bool vertical) {
    EffectData* c = values();
    c->flipHorizontal = horizontal;
    c->flipVertical = vertical;
    if (flip_.horizontal) {
        flip_.horizontal->setToggled(horizontal);
        flip_.vertical->setToggled(vertical);
    }
    applyNamed(filtername::kFlip);
}

bool FilterPanels::onMonochromePanel(IComponent* source) {
    if (source == static_cast<IComponent*>(mono_.reset))
        setMonochrome(0);
    else if (source == static_cast<IComponent*>(mono_.grayscale))
        setMonochrome(1);
    else if (source == static_cast<IComponent*>(mono_.desaturate))
        setMonochrome(3);
    else if (source == static_cast<IComponent*>(mono_.sepia))
        setMonochrome(2);
    else
        return false;
    return true;
}

void FilterPanels::setMonochrome(int32_t mode) {
    values()->monochrome = std::clamp(mode, 0, 3);
    applyNamed(filtername::kMonotone);
}

// ---- size and stretch

void FilterPanels::currentSize(int32_t* width, bool* widthPixels, int32_t* height, bool* heightPixels) {
    const EffectData* c = values();
    // Before the size filter is used the pixel sizes are those of the picture as shown.
    const bool fromPicture = !c->sizingAdded && baseW_ > 0 && baseH_ > 0;
    *widthPixels = c->widthInPixels || fromPicture;
    *heightPixels = c->heightInPixels || fromPicture;
    *width = fromPicture ? baseW_ : c->widthInPixels ? c->widthPixels : std::max(1, c->widthPercent);
    *height = fromPicture ? baseH_ : c->heightInPixels ? c->heightPixels : std::max(1, c->heightPercent);
}

bool FilterPanels::onSizePanel(IComponent* source) {
    EffectData* c = values();
    int32_t w = 0, h = 0;
    bool wPix = true, hPix = true;
    currentSize(&w, &wPix, &h, &hPix);
    int32_t v = 0;
    if (source == static_cast<IComponent*>(size_.width)) {
        if (!parseInt(size_.width->getText(), &v)) return true;
        if (pictureShown() && c->sizingType == 0 && c->keepRatio)
            setSizing(0, true, v, true, 5000, true, size_.width);
        else
            setSizing(c->sizingType, c->keepRatio, v, true, h, hPix, size_.width);
    } else if (source == static_cast<IComponent*>(size_.height)) {
        if (!parseInt(size_.height->getText(), &v)) return true;
        if (pictureShown() && c->sizingType == 0 && c->keepRatio)
            setSizing(0, true, 5000, true, v, true, size_.height);
        else
            setSizing(c->sizingType, c->keepRatio, w, wPix, v, true, size_.height);
    } else if (source == static_cast<IComponent*>(size_.keepRatio)) {
        if (c->sizingType != 0) {
            size_.keepRatio->setToggled(c->keepRatio);
            return true;
        }
        const int32_t pw = c->sizingAdded ? c->widthPixels : w, ph = c->sizingAdded ? c->heightPixels : h;
        setSizing(0, !c->keepRatio, pw, true, ph, true, nullptr);
    } else if (source == static_cast<IComponent*>(size_.minus)) {
        const int32_t pw = c->sizingAdded ? c->widthPixels : w, ph = c->sizingAdded ? c->heightPixels : h;
        setSizing(c->sizingType, c->keepRatio, int32_t(std::floor(pw * 0.95)), true, int32_t(std::floor(ph * 0.95)),
                  true, nullptr);
    } else if (source == static_cast<IComponent*>(size_.plus)) {
        if (host_->isFitWindowToImage() || host_->isFitImageToWindow()) host_->setFitModeOff();
        if (host_->currentScale() != 1.0) host_->showAtOriginalSize();
        const int32_t pw = c->sizingAdded ? c->widthPixels : w, ph = c->sizingAdded ? c->heightPixels : h;
        setSizing(c->sizingType, c->keepRatio, int32_t(std::ceil(pw * 1.05)), true, int32_t(std::ceil(ph * 1.05)), true,
                  nullptr);
    } else if (source == static_cast<IComponent*>(size_.reset)) {
        setSizing(0, true, 100, false, 100, false, nullptr);
    } else if (source == static_cast<IComponent*>(size_.type)) {
        s::gui::combobox::ComboBoxItem* item = size_.type->getSelectedItem();
        if (!item) return true;
        const int32_t type = int32_t(item->getData());
        setSizing(type, type != 0 || c->keepRatio, w, wPix, h, hPix, nullptr);
    } else {
        return false;
    }
    return true;
}

bool FilterPanels::onStretch(NumericKind kind, IComponent* source) {
    NumericPanel& p = numeric_[int(kind)];
    const int32_t current = *valueOf(values(), kind);
    int32_t v = 0;
    TextField* typing = nullptr;
    if (source == static_cast<IComponent*>(p.field)) {
        if (!parseInt(p.field->getText(), &v) || v < 1) return true;
        typing = p.field;
    } else if (source == static_cast<IComponent*>(p.reset)) {
        v = 100;
    } else if (source == static_cast<IComponent*>(p.slider)) {
        if (!pictureShown()) {
            p.slider->setPosition(100);
            return true;
        }
        if (host_->isFitWindowToImage()) host_->setFitModeOff();
        v = stretchFromSlider(kind, p.slider->getPosition());
    } else {
        int32_t i = 0;
        while (i < p.stepCount && source != static_cast<IComponent*>(p.steps[i].button)) ++i;
        if (i == p.stepCount) return false;
        v = current + p.steps[i].delta;
        if (v < 1) {
            if (!p.steps[i].large) return true;
            v = 1;
        }
    }
    const EffectData* c = values();
    if (kind == NumericKind::kStretchH)
        setSizing(0, false, v, false, std::max(1, c->heightPercent), false, typing);
    else
        setSizing(0, false, std::max(1, c->widthPercent), false, v, false, typing);
    return true;
}

int32_t FilterPanels::stretchFromSlider(NumericKind kind, int32_t position) {
    if (position <= 100) return position;
    const bool h = kind == NumericKind::kStretchH;
    const int64_t base = h ? baseW_ : baseH_, max = h ? maxW_ : maxH_;
    if (base <= 0) return position;
    return int32_t((max - base) * (position - 100) / base + 100);
}

int32_t FilterPanels::stretchToSlider(NumericKind kind, int32_t percent) {
    if (percent <= 100) return percent;
    const bool h = kind == NumericKind::kStretchH;
    const int64_t base = h ? baseW_ : baseH_, max = h ? maxW_ : maxH_;
    if (base <= 0 || max <= base) return 200;
    return int32_t(std::min<int64_t>(200, (percent - 100) * base / (max - base) + 100));
}

void FilterPanels::setSizing(int32_t type, bool keepRatio, int32_t width, bool widthPixels, int32_t height,
                             bool heightPixels, TextField* typing) {
    EffectData* c = values();
    const bool shown = pictureShown();
    c->sizingType = type;
    c->keepRatio = type != 0 ? true : keepRatio;
    c->widthInPixels = widthPixels;
    c->heightInPixels = heightPixels;
    auto pixels = [shown](int32_t v, int32_t max) { return std::clamp(v, 1, shown ? max : kMaxPixels); };
    auto percent = [shown](int32_t v, int32_t base, int32_t max) {
        v = std::clamp(v, 1, 100000);
        if (shown && base > 0 && int64_t(base) * v / 100 > max) v = int32_t(int64_t(max) * 100 / base);
        return std::max(v, 1);
    };
    if (widthPixels)
        c->widthPixels = pixels(width, maxW_);
    else
        c->widthPercent = percent(width, baseW_, maxW_);
    if (heightPixels)
        c->heightPixels = pixels(height, maxH_);
    else
        c->heightPercent = percent(height, baseH_, maxH_);
    applySizing();
    showSizing(typing);
}

void FilterPanels::applySizing() {
    if (resetting_) return;
    EffectData* c = values();
    const bool shown = pictureShown();
    s::gui::IImage* target = shown ? view() : nullptr;
    double rx = 0.5, ry = 0.5;
    if (shown) host_->viewCentre(&rx, &ry);
    pauseView();
    auto* existing = dynamic_cast<filters::scale::ScaleFilter*>(list_->find(filtername::kScale));
    filters::scale::ScaleFilter* scale = c->makeScaleFilter(existing);
    if (!existing) list_->add(scale, target);
    c->sizingAdded = true;
    markFilterSetChanged();
    bool neutral = false;
    if (shown && !loading_) {
        const int32_t outW = scale->resultWidth, outH = scale->resultHeight;
        const int32_t inW = std::max(1, scale->sourceWidth), inH = std::max(1, scale->sourceHeight);
        if (c->sizingType == 0) {
            c->widthPixels = std::max(1, outW);
            c->heightPixels = std::max(1, outH);
        }
        c->widthPercent = std::max(1, int32_t(std::lround(outW * 100.0 / inW)));
        c->heightPercent = std::max(1, int32_t(std::lround(outH * 100.0 / inH)));
        neutral = c->sizingType == 0 && c->widthPercent == 100 && c->heightPercent == 100;
    } else if (!shown) {
        neutral = c->sizingType == 0 && !c->widthInPixels && !c->heightInPixels && c->widthPercent == 100 &&
                  c->heightPercent == 100;
    }
    if (neutral) {
        list_->remove(scale, target);
        c->sizingAdded = false;
        markFilterSetChanged();
    }
    if (shown && !loading_) {
        view()->updateImageSize();
        host_->reapplyScale(rx, ry);
        host_->updateZoomLimitsAndSlider();
    }
    resumeView();
}

void FilterPanels::showSizing(TextField* typing) {
    const EffectData* c = values();
    if (!size_.width) return;
    if (typing != size_.width) showNumber(size_.width, c->widthPixels);
    if (typing != size_.height) showNumber(size_.height, c->heightPixels);
    size_.keepRatio->setToggled(c->keepRatio);
    if (size_.type->getSelectedIndex() != c->sizingType) size_.type->selectByData(c->sizingType, false);
    for (NumericKind kind : {NumericKind::kStretchH, NumericKind::kStretchV}) {
        NumericPanel& p = numeric_[int(kind)];
        const int32_t percent = kind == NumericKind::kStretchH ? c->widthPercent : c->heightPercent;
        if (typing != p.field) showNumber(p.field, percent);
        p.slider->setPosition(stretchToSlider(kind, percent));
    }
}

}  // namespace s::image::gui::dialogs::imageview
