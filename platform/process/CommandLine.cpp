#include "platform/process/CommandLine.h"

#include <windows.h>

#include "framework/app/WinApp.h"
#include "platform/file/PathWin.h"

namespace s::process::commandline::win {

using str::strbuffer::StrBuffer;

void CommandLine::parseParam(const wchar_t* param, bool isSwitch, bool) {
    if (!param) param = L"";
    if (isSwitch) {
        args_.push(StrBuffer::fromConcat(L"-", param));
        return;
    }
    if (!*param || hasSwitch(L"-associate") || hasSwitch(L"-deassociate")) {
        args_.addText(param);
        return;
    }
    file::win::PathWin* path = file::win::PathWin::fromUserText(param);
    args_.addText(path->getFullPath());
    path->release();
}

CommandLine* CommandLine::parseProcessCommandLine() {
    CWinApp::ParseCommandLineText(*this, GetCommandLineW());
    return this;
}

CommandLine* CommandLine::parseText(const wchar_t* commandLine) {
    CWinApp::ParseCommandLineText(*this, commandLine);
    return this;
}

const wchar_t* CommandLine::getArgument(int32_t index) {
    // Out of range (a negative index included) gives an empty text.
    StrBuffer* s = index >= 0 ? args_.at(uint32_t(index)) : nullptr;
    return s ? s->text() : L"";
}

void CommandLine::dump() {
    for (uint32_t i = 0; i < args_.count(); ++i) (void)args_.at(i);
}

bool CommandLine::hasSwitch(const wchar_t* name) { return args_.indexOfTextIgnoreCase(name); }

void CommandLine::reset() {
    if (args_.count()) args_.clear();
}

}  // namespace s::process::commandline::win
