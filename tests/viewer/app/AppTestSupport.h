// An application base for the tests: the program's resources taken from the built
// program file, its settings on a registry key of the test's own.
#pragma once

#include <functional>
#include <string>

#include "viewer/ViewerTestSupport.h"
#include "viewer/app/AppBase.h"

namespace viewertest {

// The built program file as a Windows path (its icons, language pack and pictures).
inline std::wstring programFile() {
    std::string unixPath = std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe";
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : wchar_t(c);
    return path;
}

struct TestAppBase {
    explicit TestAppBase(s::gui::drawer::Skinner* skinner = nullptr, const wchar_t* commandLine = L"Glimmer.exe",
                         const std::function<void(RegistryStore&)>& before = nullptr) {
        if (before) before(reg);
        const std::wstring file = programFile();
        s::app::win::AppBaseSources sources;
        sources.commandLine = commandLine;
        sources.resourceFile = file.c_str();
        sources.settingsKey = reg.root().c_str();
        base = s::app::win::AppBase::create();
        base->init(skinner, sources);
    }
    ~TestAppBase() {
        if (base) base->release();
    }
    RegistryStore reg;
    s::app::win::AppBase* base = nullptr;
};

}  // namespace viewertest
