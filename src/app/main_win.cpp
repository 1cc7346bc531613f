// The program's entry point.
#include <windows.h>

#include "app/App_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  CQendor2App app(commandLine);
  app.Startup();
  app.Exit();
  return 0;
}
