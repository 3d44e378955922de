#include "viewer/app/StartUp.h"

#include <cwchar>

#include "foundation/str/StrBuffer.h"
#include "platform/file/PathWin.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "platform/shell/Association.h"
#include "platform/system/OsVersion.h"
#include "platform/system/Screen.h"
#include "skins/drawers/InstallDrawers.h"
#include "skins/skinner/Skinner.h"
#include "viewer/app/AppBase.h"
#include "viewer/app/AppWindow.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/saveopts/ConfigBox.h"

namespace s::app::win {

StartAction startActionOf(process::commandline::ICommandLine* args) {
    const int32_t n = args ? args->getCount() : 0;
    if (n <= 0) return StartAction::OpenEmpty;
    if (n == 1) return StartAction::OpenPath;
    const wchar_t* first = args->getArgument(0);
    if (_wcsicmp(first, L"-associate") == 0) return StartAction::Associate;
    if (_wcsicmp(first, L"-deassociate") == 0) return StartAction::Deassociate;
    return StartAction::Nothing;
}

bool isSupportedSystem(const system::OsVersionFacts& os) {
    if (os.major >= 6) return true;
    return os.isNt && os.major == 5 && (os.minor == 1 || os.minor == 2);
}

int32_t runAssociation(process::commandline::ICommandLine* args, ExtensionAction action, const wchar_t* programPath) {
    if (!args || !action) return 0;
    const int32_t n = args->getCount();
    for (int32_t i = 1; i < n; ++i) action(args->getArgument(i), programPath);
    return n > 1 ? n - 1 : 0;
}

namespace {

void associateWith(process::commandline::ICommandLine* args, ExtensionAction action) {
    file::win::PathWin* program = process::getModulePath();
    runAssociation(args, action, program ? program->getFullPath() : L"");
    if (program) program->release();
}

}  // namespace

bool runAssociationCommand(process::commandline::ICommandLine* args) {
    const StartAction what = startActionOf(args);
    if (what != StartAction::Associate && what != StartAction::Deassociate) return false;
    associateWith(args, what == StartAction::Associate ? &shell::associate : &shell::deassociate);
    return true;
}

void runViewerWindow(IAppWindow* mainWindow, const wchar_t* path) {
    image::gui::dialogs::imageview::Dialog* viewer = image::gui::dialogs::imageview::Dialog::create(mainWindow);
    if (!viewer) return;
    viewer->run(path);
    viewer->release();
}

StartAction runProgram(const StartUpParts& parts) {
    image::gui::boxes::installConfigBoxes();  // every encode setting opens its own panel from here on
    skins::installDefaultDrawers();           // controls without a skin drawer paint with these
    gui::drawer::Skinner* skinner = gui::drawer::Skinner::create();
    skinner->familyName()->setText(L"ThinWindow");
    skinner->registerBuiltinSkins();

    AppBase* base = AppBase::create();
    base->init(skinner, parts.sources ? *parts.sources : AppBaseSources{});
    const int32_t scale = system::getScreenScale();
    AppWindow* mainWindow = AppWindow::create();
    mainWindow->init(base, L"MainWindow", scale * 500, scale * 450, false, mclick::kClose, base->getSkinner(), nullptr);

    StartAction what = StartAction::Nothing;
    if (isSupportedSystem(system::osVersion())) {
        process::commandline::ICommandLine* args = base->getCommandLine();
        what = startActionOf(args);
        switch (what) {
            case StartAction::OpenEmpty:
                if (parts.runViewer) parts.runViewer(mainWindow, nullptr);
                break;
            case StartAction::OpenPath:
                if (parts.runViewer) parts.runViewer(mainWindow, args->getArgument(0));
                break;
            case StartAction::Associate:
                associateWith(args, parts.associate ? parts.associate : &shell::associate);
                break;
            case StartAction::Deassociate:
                associateWith(args, parts.deassociate ? parts.deassociate : &shell::deassociate);
                break;
            case StartAction::Nothing: break;
        }
    }
    base->release();
    mainWindow->release();
    return what;
}

}  // namespace s::app::win
