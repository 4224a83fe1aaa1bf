// The entry point of every Win32 test program. Under Wine a crash would otherwise open a dialog or
// leave an unreliable exit status, so an unhandled exception prints one line that ctest looks for
// and ends the process with a fixed code.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/win32.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "TARNWICK-TEST-CRASHED: exception 0x%08lx at %p\n",
               static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
               info->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 99);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(&ReportCrash);
  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                         ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WSADATA wsa;
  WSAStartup(MAKEWORD(1, 1), &wsa);
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  WSACleanup();
  CoUninitialize();
  return result;
}
