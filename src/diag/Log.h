// The program's leveled diagnostic log: the call (base/Log.h) and switching the logger on
// and off.
#pragma once
#include "base/Log.h"

namespace settings {
class SettingsStore;
}
// (Re)starts logging from the "BugReport" settings; atStartup selects the start line's wording.
void StartLogging(settings::SettingsStore& store, bool atStartup);
void StopLogging();
bool LoggingRunning();
