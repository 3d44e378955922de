// An application base and window settings record kept in memory, counting what the
// window writes, for the placement and end-of-session tests.
#pragma once

#include <windows.h>

#include <string>

#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"

namespace windowtest {

class FakeAppBase : public s::app::IAppBase {
public:
    int saves = 0;
    std::wstring language;
    s::image::ico::win::IconImage* icons[5] = {};

    const wchar_t* getClassName() const override { return L"test_FakeAppBase"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    s::file::win::PathWin* getModulePath() override { return nullptr; }
    s::file::win::PathWin* getModuleDir() override { return nullptr; }
    s::process::commandline::win::CommandLine* getCommandLine() override { return nullptr; }
    s::archive::icon::Archive* getIconArchive() override { return nullptr; }
    s::image::ico::win::IconImage* getIcon16() override { return icons[0]; }
    s::image::ico::win::IconImage* getIcon32() override { return icons[1]; }
    s::image::ico::win::IconImage* getIcon64() override { return icons[2]; }
    s::image::ico::win::IconImage* getIcon128() override { return icons[3]; }
    s::image::ico::win::IconImage* getIcon256() override { return icons[4]; }
    HICON getIconHandle64() override { return nullptr; }
    HICON getIconHandle128() override { return nullptr; }
    HICON getIconHandle256() override { return nullptr; }
    s::archive::icon::Archive* getIconById(int32_t) override { return nullptr; }
    int32_t getTextBaseId() override { return 501000; }
    s::lang::Localizer* getLangPack() override { return nullptr; }
    s::base::IObject* getSpare1() override { return nullptr; }
    s::base::IObject* getSpare2() override { return nullptr; }
    s::base::IObject* getSpare3() override { return nullptr; }
    s::image::win::BufferedImage* getPictureImage1() override { return nullptr; }
    s::image::IEncodedImage* getPicture1() override { return nullptr; }
    s::image::win::BufferedImage* getPictureImage2() override { return nullptr; }
    s::image::IEncodedImage* getPicture2() override { return nullptr; }
    s::map::IMappedData* getSettings() override { return nullptr; }
    bool saveSettings() override {
        ++saves;
        return true;
    }
    bool hasSkinner() override { return false; }
    s::gui::drawer::ISkinner* getSkinner() override { return nullptr; }
    const wchar_t* getLanguage() override { return language.c_str(); }
    void setLanguage(const wchar_t* name) override { language = name ? name : L""; }
    const wchar_t* getSkinName() override { return L""; }
    void setSkinName(const wchar_t*) override {}
    bool signalOtherInstance(bool, bool, bool) override { return false; }
    bool findOtherInstance(bool, bool, bool) override { return false; }
    s::map::IMappedData* openXmlSettings() override { return nullptr; }
    s::map::IMappedData* openRegistrySettings() override { return nullptr; }
};

class FakeAppWindow : public s::app::IAppWindow {
public:
    FakeAppBase base;
    s::lang::Localizer* langPack = nullptr;
    int keepOnTopWrites = 0;
    bool keepOnTop = false, maximized = false, easyDrag = false;
    bool hasX_ = false, hasY_ = false, hasW = false, hasH = false;
    int32_t x = 0, y = 0, w = 0, h = 0;
    std::wstring action = L"DoNothing";
    std::wstring skinName;

    const wchar_t* getClassName() const override { return L"test_FakeAppWindow"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    s::app::IAppBase* getAppBase() override { return &base; }
    const wchar_t* getName() override { return L"TestWindow"; }
    const wchar_t* sectionPath(const wchar_t*) override { return L"TestWindow"; }
    int32_t getTextBaseId() override { return 501000; }
    s::lang::Localizer* getLangPack() override { return langPack; }
    bool hasSkinner() override { return false; }
    s::gui::drawer::ISkinner* getSkinner() override { return nullptr; }
    const wchar_t* getSkinName() override { return skinName.c_str(); }
    void setSkinName(const wchar_t* name) override { skinName = name ? name : L""; }
    bool hasPosition() override { return hasX_ && hasY_; }
    void setBounds(int32_t nx, int32_t ny, int32_t nw, int32_t nh) override {
        setX(nx), setY(ny), setWidth(nw), setHeight(nh);
    }
    void setSize(int32_t nw, int32_t nh) override { setWidth(nw), setHeight(nh); }
    void clearBounds() override { hasX_ = hasY_ = hasW = hasH = false; }
    bool hasX() override { return hasX_; }
    int32_t getX() override { return x; }
    void setX(int32_t v) override { x = v, hasX_ = true; }
    bool hasY() override { return hasY_; }
    int32_t getY() override { return y; }
    void setY(int32_t v) override { y = v, hasY_ = true; }
    bool isWidthValid() override { return !hasW || (w >= 10 && w <= GetSystemMetrics(SM_CXVIRTUALSCREEN)); }
    bool hasWidth() override { return hasW; }
    int32_t getWidth() override { return hasW ? w : 480; }  // 480 x 360: the record's defaults
    void setWidth(int32_t v) override { w = v, hasW = true; }
    bool isHeightValid() override { return !hasH || (h >= 10 && h <= GetSystemMetrics(SM_CYVIRTUALSCREEN)); }
    bool hasHeight() override { return hasH; }
    int32_t getHeight() override { return hasH ? h : 360; }
    void setHeight(int32_t v) override { h = v, hasH = true; }
    bool getEasyDrag() override { return easyDrag; }
    void setEasyDrag(bool on) override { easyDrag = on; }
    bool getMaximized() override { return maximized; }
    void setMaximized(bool on) override { maximized = on; }
    bool getKeepOnTop() override { return keepOnTop; }
    void setKeepOnTop(bool on) override {
        keepOnTop = on;
        ++keepOnTopWrites;
    }
    bool isCloseOnMClick() override { return action == L"Close"; }
    bool isIconizeOnMClick() override { return action == L"Iconize"; }
    const wchar_t* getMClickAction() override { return action.c_str(); }
    void setMClickAction(const wchar_t* a) override { action = a ? a : L"DoNothing"; }
    void checkForUpdate(s::gui::IWindow*) override {}
    void progressIndeterminate(s::gui::IWindow*) override {}
    void progressValue(s::gui::IWindow*, int64_t, int64_t) override {}
    void progressOff(s::gui::IWindow*) override {}
};

}  // namespace windowtest
