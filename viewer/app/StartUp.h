// The decisions of the program's start: whether the system is one it runs on, and what
// the command line asks for (a picture to open, nothing, or a run that makes the program
// the opener of file extensions or undoes that).
//
//   switch (startActionOf(base->getCommandLine())) { ... }
#pragma once

#include <cstdint>

namespace s::process::commandline {
class ICommandLine;
}
namespace s::system {
struct OsVersionFacts;
}

namespace s::app {
class IAppWindow;
}

namespace s::app::win {

struct AppBaseSources;

enum class StartAction {
    OpenEmpty,    // no argument: the empty viewer
    OpenPath,     // one argument: the viewer on that path (even "-associate" alone)
    Associate,    // "-associate" then extensions
    Deassociate,  // "-deassociate" then extensions
    Nothing,      // two or more arguments of any other kind: the program ends
};

StartAction startActionOf(process::commandline::ICommandLine* args);

// NT 5.1 or 5.2, or any system from 6.0 on.
bool isSupportedSystem(const system::OsVersionFacts& os);

// What an association run does with one extension (s::shell::associate or deassociate).
using ExtensionAction = void (*)(const wchar_t* extension, const wchar_t* programPath);

// Hands each argument after the switch, in order, to the action with the program path;
// the number handed over.
int32_t runAssociation(process::commandline::ICommandLine* args, ExtensionAction action, const wchar_t* programPath);

// The association branch for the program's own file: associate or deassociate every
// extension the command line names. False when the command line is no such run.
bool runAssociationCommand(process::commandline::ICommandLine* args);

// Runs the viewer on the main window record, opening the path (null: none); returns once
// the viewer has closed.
using ViewerRun = void (*)(IAppWindow* mainWindow, const wchar_t* path);

// The program's viewer: the viewer controller on the main window record, run on the path
// (null: the empty viewer) until its window closes, then released.
void runViewerWindow(IAppWindow* mainWindow, const wchar_t* path);

// The parts of the start that are not fixed: the viewer and the extension actions
// (null: s::shell::associate and s::shell::deassociate), and where the base takes its parts.
struct StartUpParts {
    ViewerRun runViewer = nullptr;
    ExtensionAction associate = nullptr;
    ExtensionAction deassociate = nullptr;
    const AppBaseSources* sources = nullptr;
};

// The whole start: the skinner of the "ThinWindow" family, the application base, the
// "MainWindow" record (scale x 500 by scale x 450, "Close" on a middle click), the system
// check, then the command line's action; everything is released before it returns. The
// action it took (the system check failing answers Nothing).
StartAction runProgram(const StartUpParts& parts);

}  // namespace s::app::win
