#include <gtest/gtest.h>
#include <windows.h>

// The test programs are real 64-bit Windows programs.
TEST(Build, RunsAsNative64BitWindowsProgram) {
    EXPECT_EQ(sizeof(void*), 8u);
    SYSTEM_INFO si;
    GetNativeSystemInfo(&si);
    EXPECT_EQ(si.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
}
