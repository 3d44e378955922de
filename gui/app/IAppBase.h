// The application-wide service object: program file and folder, command line, program
// icons, language pack, built-in pictures, settings store and skinner.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::archive::icon {
class Archive;
}
namespace s::file::win {
class PathWin;
}
namespace s::gui::drawer {
class ISkinner;
}
namespace s::image {
class IEncodedImage;
}
namespace s::image::ico::win {
class IconImage;
}
namespace s::image::win {
class BufferedImage;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::process::commandline::win {
class CommandLine;
}

namespace s::app {

class IAppBase : public base::IObject {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_app_IAppBase";

    virtual file::win::PathWin* getModulePath() = 0;
    virtual file::win::PathWin* getModuleDir() = 0;
    virtual process::commandline::win::CommandLine* getCommandLine() = 0;
    virtual archive::icon::Archive* getIconArchive() = 0;
    // The program icon at that size (best entry of the icon group), decoded once and
    // kept by the application base.
    virtual image::ico::win::IconImage* getIcon16() = 0;
    virtual image::ico::win::IconImage* getIcon32() = 0;
    virtual image::ico::win::IconImage* getIcon64() = 0;
    virtual image::ico::win::IconImage* getIcon128() = 0;
    virtual image::ico::win::IconImage* getIcon256() = 0;
    virtual HICON getIconHandle64() = 0;
    virtual HICON getIconHandle128() = 0;
    virtual HICON getIconHandle256() = 0;
    // Another icon group of the program file (the caller releases it).
    virtual archive::icon::Archive* getIconById(int32_t id) = 0;
    virtual int32_t getTextBaseId() = 0;
    virtual lang::Localizer* getLangPack() = 0;
    virtual base::IObject* getSpare1() = 0;
    virtual base::IObject* getSpare2() = 0;
    virtual base::IObject* getSpare3() = 0;
    // The built-in picture's first frame as a new image (the caller releases it).
    virtual image::win::BufferedImage* getPictureImage1() = 0;
    virtual image::IEncodedImage* getPicture1() = 0;
    virtual image::win::BufferedImage* getPictureImage2() = 0;
    virtual image::IEncodedImage* getPicture2() = 0;
    virtual map::IMappedData* getSettings() = 0;
    // Flushes the settings store; answers the flush result.
    virtual bool saveSettings() = 0;
    virtual bool hasSkinner() = 0;
    virtual gui::drawer::ISkinner* getSkinner() = 0;
    virtual const wchar_t* getLanguage() = 0;
    virtual void setLanguage(const wchar_t* name) = 0;
    virtual const wchar_t* getSkinName() = 0;
    virtual void setSkinName(const wchar_t* name) = 0;
    virtual bool signalOtherInstance(bool signal, bool secondMessage, bool withLanguage) = 0;
    virtual bool findOtherInstance(bool onDesktop, bool flag, bool withLanguage) = 0;
    // Returned, not kept.
    virtual map::IMappedData* openXmlSettings() = 0;
    virtual map::IMappedData* openRegistrySettings() = 0;
};

}  // namespace s::app
