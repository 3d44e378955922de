#include "viewer/app/StartUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process/CommandLine.h"
#include "platform/system/OsVersion.h"

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
