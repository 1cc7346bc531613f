// Replacement of older installed versions. Until that procedure is built, start-up goes on
// as if no older version were present.
#include "app/App_win.h"

bool CQendor2App::CheckOlderVersion() { return true; }
