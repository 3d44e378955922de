#include "viewer/app/StartUp.h"

#include <cwchar>

#include "platform/file/PathWin.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Process.h"
#include "platform/shell/Association.h"
#include "platform/system/OsVersion.h"

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

bool runAssociationCommand(process::commandline::ICommandLine* args) {
    const StartAction what = startActionOf(args);
    if (what != StartAction::Associate && what != StartAction::Deassociate) return false;
    file::win::PathWin* program = process::getModulePath();
    runAssociation(args, what == StartAction::Associate ? &shell::associate : &shell::deassociate,
                   program ? program->getFullPath() : L"");
    if (program) program->release();
    return true;
}

}  // namespace s::app::win
