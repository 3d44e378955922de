// A test program that faults ends at once with a message, instead of waiting for a
// debugger that nobody attaches (which holds a CTest run until its time-out).
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI reportAndEnd(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* r = info ? info->ExceptionRecord : nullptr;
    std::fprintf(stderr, "\nThe test program faulted: exception 0x%08lX at %p\n",
                 r ? static_cast<unsigned long>(r->ExceptionCode) : 0ul, r ? r->ExceptionAddress : nullptr);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const bool installed = [] {
    SetUnhandledExceptionFilter(reportAndEnd);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    return true;
}();

}  // namespace
