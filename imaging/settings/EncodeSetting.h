// Save options of the output formats: each setting is kept in the settings tree under
// a section, and makes a ready-to-write codec from an image or an image set.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"

namespace s::map { class IMappedData; }
namespace s::gui { class IComponent; class IWindow; }
namespace s::image { class IEncodedImage; }
namespace s::image::win { class BufferedImage; class BufferedImageSet; }

namespace s::image {

class IEncodeSetting {
public:
    virtual ~IEncodeSetting() = default;
    // A pooled codec of the format loaded from the set (every frame where the format
    // keeps several); null when nothing could be made.
    virtual IEncodedImage* makeEncoderForSet(image::win::BufferedImageSet* set) = 0;
    // A pooled codec of the format loaded from the image (its filter chain's result when
    // it has filters); null when nothing could be made.
    virtual IEncodedImage* makeEncoder(image::win::BufferedImage* image) = 0;
    // The format's option panel, built for the owner window (null: English captions).
    // The panels live above this library: without installed ConfigBoxHooks none is made.
    virtual ::s::gui::IComponent* createConfigBox(::s::gui::IWindow* owner = nullptr) = 0;
    // Copies the open panel's values into the setting and saves it; true without a panel.
    virtual bool readConfigBox() = 0;
    virtual bool isBound() const = 0;
    virtual map::IMappedData* getStore() const = 0;
    // Keeps the store (not owned) and the section path, then loads.
    virtual void bind(const wchar_t* section, map::IMappedData* store) = 0;
    virtual void load() = 0;
    virtual void save() = 0;
};

class EncodeSettingBase;

// The makers of the option panels, installed once by the program that has them.
struct ConfigBoxHooks {
    // Takes the setting's panel, binds it to the setting and the owner, builds it and
    // answers its component; the panel object goes to *panel (null when none is made).
    ::s::gui::IComponent* (*open)(EncodeSettingBase* setting, ::s::gui::IWindow* owner, base::IObject** panel);
    // Copies the panel's values into the setting (without saving).
    void (*fill)(EncodeSettingBase* setting, base::IObject* panel);
    // Gives the panel back to its pool.
    void (*close)(base::IObject* panel);
};
// Null uninstalls; the hooks must outlive every setting that uses them.
void setConfigBoxHooks(const ConfigBoxHooks* hooks);

// The part every format shares: the store, the section and the background colour.
class EncodeSettingBase : public IEncodeSetting, public base::IObject, public thread::IPoolable {
public:
    EncodeSettingBase() = default;
    ~EncodeSettingBase() override;
    EncodeSettingBase(const EncodeSettingBase&) = delete;
    EncodeSettingBase& operator=(const EncodeSettingBase&) = delete;

    // A new panel replaces the previous one (which goes back to its pool).
    ::s::gui::IComponent* createConfigBox(::s::gui::IWindow* owner = nullptr) override;
    bool readConfigBox() override;
    // The open panel object, or null.
    base::IObject* getConfigBox() const { return panel_; }
    // Gives the open panel back to its pool without reading it; call it once the panel's
    // controls are gone (their window released), so no later read touches them.
    void closeConfigBox();
    bool isBound() const override { return store_ != nullptr; }
    map::IMappedData* getStore() const override { return store_; }
    void bind(const wchar_t* section, map::IMappedData* store) override;
    // The main frame of the set.
    IEncodedImage* makeEncoderForSet(image::win::BufferedImageSet* set) override;
    // Without a store nothing is read or written; otherwise the format's values, then
    // the background colour.
    void load() override;
    void save() override;
    // The settings path of the values: section + "\" + the format's key.
    const wchar_t* valuePath();

    int32_t backRed = 255, backGreen = 255, backBlue = 255;

protected:
    virtual const wchar_t* formatKey() const = 0;
    // The format's own values under the settings path.
    virtual void loadValues(const wchar_t* path) = 0;
    virtual void saveValues(const wchar_t* path) = 0;
    void clearBase();
    void loadBack();
    void saveBack();
    // The image to encode: the filter chain's result when there is one.
    static image::win::BufferedImage* source(image::win::BufferedImage* image);
    uint8_t r() const { return uint8_t(backRed); }
    uint8_t g() const { return uint8_t(backGreen); }
    uint8_t b() const { return uint8_t(backBlue); }

    map::IMappedData* store_ = nullptr;
    str::strbuffer::StrBuffer* section_ = nullptr;
    str::strbuffer::StrBuffer path_;
    base::IObject* panel_ = nullptr;
};

}  // namespace s::image

namespace s::image::jpg {
class EncodeSetting : public EncodeSettingBase {
    S_POOLED(EncodeSetting, L"s_image_jpg_EncodeSetting")
public:
    EncodeSetting() { reset(); }
    void reset() override;
    IEncodedImage* makeEncoder(image::win::BufferedImage* image) override;

    int32_t quality = 75;

protected:
    const wchar_t* formatKey() const override { return L"JpgEncodeSetting"; }
    void loadValues(const wchar_t* path) override;
    void saveValues(const wchar_t* path) override;
};
}  // namespace s::image::jpg

namespace s::image::png {
class EncodeSetting : public EncodeSettingBase {
    S_POOLED(EncodeSetting, L"s_image_png_EncodeSetting")
public:
    EncodeSetting() { reset(); }
    void reset() override;
    IEncodedImage* makeEncoder(image::win::BufferedImage* image) override;

    bool keepTransparency = true;
    bool withInterlace = true;

protected:
    const wchar_t* formatKey() const override { return L"PngEncodeSetting"; }
    void loadValues(const wchar_t* path) override;
    void saveValues(const wchar_t* path) override;
};
}  // namespace s::image::png

namespace s::image::gif {
class EncodeSetting : public EncodeSettingBase {
    S_POOLED(EncodeSetting, L"s_image_gif_EncodeSetting")
public:
    EncodeSetting() { reset(); }
    void reset() override;
    // Every frame of an animated set of several frames; else the main frame.
    IEncodedImage* makeEncoderForSet(image::win::BufferedImageSet* set) override;
    IEncodedImage* makeEncoder(image::win::BufferedImage* image) override;

    bool keepTransparency = true;
    bool withInterlace = true;  // kept in the settings; the GIF writer does not interlace
    int32_t bpp = 8;

protected:
    const wchar_t* formatKey() const override { return L"GifEncodeSetting"; }
    void loadValues(const wchar_t* path) override;
    void saveValues(const wchar_t* path) override;
};
}  // namespace s::image::gif

namespace s::image::bmp {
class EncodeSetting : public EncodeSettingBase {
    S_POOLED(EncodeSetting, L"s_image_bmp_EncodeSetting")
public:
    EncodeSetting() { reset(); }
    void reset() override;
    IEncodedImage* makeEncoder(image::win::BufferedImage* image) override;

    bool keepTransparency = true;
    int32_t bpp = 24;

protected:
    const wchar_t* formatKey() const override { return L"BmpEncodeSetting"; }
    void loadValues(const wchar_t* path) override;
    void saveValues(const wchar_t* path) override;
};
}  // namespace s::image::bmp

namespace s::image::ico {
class EncodeSetting : public EncodeSettingBase {
    S_POOLED(EncodeSetting, L"s_image_ico_EncodeSetting")
public:
    EncodeSetting() { reset(); }
    void reset() override;
    // With one frame entry (size << 16 | depth) per frame of the set: one icon image per
    // frame. Otherwise makeEncoder of the main frame.
    IEncodedImage* makeEncoderForSet(image::win::BufferedImageSet* set) override;
    // One icon image per size and depth (sizes above 255 only at 32 bits); null when
    // there is no size or no depth.
    IEncodedImage* makeEncoder(image::win::BufferedImage* image) override;
    void load() override;
    void save() override;

    bool keepTransparency = true;
    bool keepRatio = true;
    col::_array::ArrayS32 sizes;
    col::_array::ArrayS32 depths;
    col::_array::ArrayS32 frameSpecs;  // filled by the caller, never stored

protected:
    const wchar_t* formatKey() const override { return L"IcoEncodeSetting"; }
    // Not used: load and save above keep the background colour between these values.
    void loadValues(const wchar_t*) override {}
    void saveValues(const wchar_t*) override {}
};
}  // namespace s::image::ico
