// The program's argument list: each argument after the program name, in the order
// given, switches marked by a leading "-" whether they were written with "-" or "/".
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/str/StrArray.h"
#include "foundation/thread/Pool.h"
#include "framework/app/CommandLineInfo.h"

namespace s::process::commandline {

class ICommandLine : public base::IObject {
public:
    virtual int32_t getCount() = 0;
    // The argument at index (0-based, below the count).
    virtual const wchar_t* getArgument(int32_t index) = 0;
    // Walks the arguments; writes nothing.
    virtual void dump() = 0;
};

}  // namespace s::process::commandline

namespace s::process::commandline::win {

class CommandLine final : public ICommandLine, public thread::IPoolable, public CCommandLineInfo {
    S_POOLED(CommandLine, L"s_process_commandline_win_CommandLine")
public:
    CommandLine() = default;
    ~CommandLine() override = default;

    // Appends one argument: "-" + param for a switch, else the argument. A plain argument
    // that follows neither "-associate" nor "-deassociate" names a file and is stored in
    // its absolute form (against the current folder), so that it still names the same
    // file when another copy or folder takes it over. Extensions after those switches
    // are kept as given.
    void parseParam(const wchar_t* param, bool isSwitch, bool last);
    void ParseParam(const wchar_t* param, bool flag, bool last) override { parseParam(param, flag, last); }

    // The process's own command line, parsed into this list.
    CommandLine* parseProcessCommandLine();
    // A command line text (program name first), parsed into this list.
    CommandLine* parseText(const wchar_t* commandLine);

    int32_t getCount() override { return int32_t(args_.count()); }
    const wchar_t* getArgument(int32_t index) override;
    void dump() override;

    // True when the argument list holds that switch (given with its "-"), ignoring case.
    bool hasSwitch(const wchar_t* name);

    void reset() override;

private:
    str::strarray::StrArray args_;
};

}  // namespace s::process::commandline::win
