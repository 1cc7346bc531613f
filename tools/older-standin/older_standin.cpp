// A stand-in for an older installed version, for the replacement test under Wine.
//   older-standin.exe MUTEX READY_FILE [HOLD_FILE]
//       holds the named mutex MUTEX (as the older version's running instance does) and, when
//       given, HOLD_FILE open without any sharing (so that nobody can delete it), then writes
//       READY_FILE and waits until it is ended.
#include <windows.h>
#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count < 3) return 2;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, args[1]);
  if (!mutex) return 3;
  if (count > 3 &&
      CreateFileW(args[3], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr) ==
          INVALID_HANDLE_VALUE)
    return 5;
  HANDLE ready = CreateFileW(args[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 4;
  CloseHandle(ready);
  Sleep(INFINITE);
  return 0;
}
