#include "viewer/app/StartUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "gui/app/IAppWindow.h"
#include "platform/process/CommandLine.h"
#include "platform/system/OsVersion.h"
#include "platform/system/Screen.h"

using s::app::win::StartAction;
using s::process::commandline::win::CommandLine;

namespace {

struct Args {
    explicit Args(const wchar_t* text) { line->parseText(text); }
    ~Args() { line->release(); }
    CommandLine* line = CommandLine::create();
};

TEST(StartUpTest, CommandLineDecidesWhatTheProgramDoes) {
    struct Case {
        const wchar_t* text;
        StartAction action;
    } cases[] = {
        {L"Glimmer.exe", StartAction::OpenEmpty},
        {L"Glimmer.exe Z:\\pics\\a.jpg", StartAction::OpenPath},
        {L"Glimmer.exe -associate", StartAction::OpenPath},  // alone it is a path, not a run
        {L"Glimmer.exe -ASSOCIATE .jpg .jpeg", StartAction::Associate},
        {L"Glimmer.exe /associate .png", StartAction::Associate},
        {L"Glimmer.exe -Deassociate .gif", StartAction::Deassociate},
        {L"Glimmer.exe Z:\\a.jpg Z:\\b.jpg", StartAction::Nothing},
        {L"Glimmer.exe -associated .jpg", StartAction::Nothing},
    };
    for (const Case& c : cases) {
        Args args(c.text);
        EXPECT_EQ(s::app::win::startActionOf(args.line), c.action) << std::string(c.text, c.text + wcslen(c.text));
    }
    EXPECT_EQ(s::app::win::startActionOf(nullptr), StartAction::OpenEmpty);
}

std::vector<std::wstring> seen;
std::wstring seenProgram;
void record(const wchar_t* extension, const wchar_t* program) {
    seen.push_back(extension);
    seenProgram = program;
}

TEST(StartUpTest, AssociationHandsEveryExtensionOverInOrder) {
    seen.clear();
    Args args(L"Glimmer.exe -associate .jpg .jpeg .png");
    EXPECT_EQ(s::app::win::runAssociation(args.line, &record, L"Z:\\Glimmer.exe"), 3);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L".jpg", L".jpeg", L".png"}));
    EXPECT_EQ(seenProgram, L"Z:\\Glimmer.exe");
}

TEST(StartUpTest, ACommandLineThatIsNoAssociationRunAssociatesNothing) {
    Args args(L"Glimmer.exe Z:\\a.jpg Z:\\b.jpg");
    EXPECT_FALSE(s::app::win::runAssociationCommand(args.line));
}

struct StartRun {
    std::vector<std::wstring> viewerPaths;  // "<none>" for a run without a path
    std::wstring windowName;
    int32_t defaultWidth = 0;
    std::vector<std::wstring> associated, deassociated;
};
StartRun* currentRun = nullptr;

StartRun runWith(const wchar_t* commandLine, StartAction* action) {
    StartRun run;
    currentRun = &run;
    viewertest::RegistryStore reg;
    const std::wstring file = viewertest::programFile();
    s::app::win::AppBaseSources sources;
    sources.commandLine = commandLine;
    sources.resourceFile = file.c_str();
    sources.settingsKey = reg.root().c_str();
    s::app::win::StartUpParts parts;
    parts.sources = &sources;
    parts.runViewer = [](s::app::IAppWindow* window, const wchar_t* path) {
        currentRun->viewerPaths.push_back(path ? path : L"<none>");
        currentRun->windowName = window->getName();
        currentRun->defaultWidth = window->getWidth();
    };
    parts.associate = [](const wchar_t* e, const wchar_t*) { currentRun->associated.push_back(e); };
    parts.deassociate = [](const wchar_t* e, const wchar_t*) { currentRun->deassociated.push_back(e); };
    *action = s::app::win::runProgram(parts);
    currentRun = nullptr;
    return run;
}

TEST(StartUpTest, ProgramRunsTheViewerOrAnAssociationRunAsTheCommandLineAsks) {
    StartAction action;
    StartRun empty = runWith(L"Glimmer.exe", &action);
    EXPECT_EQ(action, StartAction::OpenEmpty);
    EXPECT_EQ(empty.viewerPaths, (std::vector<std::wstring>{L"<none>"}));
    EXPECT_EQ(empty.windowName, L"MainWindow");
    EXPECT_EQ(empty.defaultWidth, 500 * s::system::getScreenScale());

    StartRun one = runWith(L"Glimmer.exe Z:\\pics\\a.jpg", &action);
    EXPECT_EQ(one.viewerPaths, (std::vector<std::wstring>{L"Z:\\pics\\a.jpg"}));

    StartRun assoc = runWith(L"Glimmer.exe -ASSOCIATE .jpg .jpeg", &action);
    EXPECT_EQ(action, StartAction::Associate);
    EXPECT_TRUE(assoc.viewerPaths.empty());
    EXPECT_EQ(assoc.associated, (std::vector<std::wstring>{L".jpg", L".jpeg"}));

    StartRun deassoc = runWith(L"Glimmer.exe -deassociate .gif", &action);
    EXPECT_EQ(deassoc.deassociated, (std::vector<std::wstring>{L".gif"}));
    EXPECT_TRUE(deassoc.associated.empty());

    StartRun two = runWith(L"Glimmer.exe Z:\\a.jpg Z:\\b.jpg", &action);
    EXPECT_EQ(action, StartAction::Nothing);
    EXPECT_TRUE(two.viewerPaths.empty());
}

TEST(StartUpTest, SupportedSystems) {
    struct Case {
        int32_t major, minor;
        bool nt, supported;
    } cases[] = {{5, 0, true, false}, {5, 1, true, true}, {5, 2, true, true},  {5, 1, false, false},
                 {4, 0, true, false}, {6, 0, true, true}, {6, 1, false, true}, {10, 0, true, true}};
    for (const Case& c : cases) {
        s::system::OsVersionFacts os;
        os.major = c.major, os.minor = c.minor, os.isNt = c.nt;
        EXPECT_EQ(s::app::win::isSupportedSystem(os), c.supported) << c.major << "." << c.minor;
    }
}

}  // namespace
