// The program's entry point.
#include <windows.h>

#include "app/App_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
  CQendor2App app(commandLine);
  SetApp(&app);
  app.Startup();
  app.Exit();
  SetApp(nullptr);
  return 0;
}
