// What the platform reports about the monitors, read into the portable monitor model.
#pragma once
#include <windows.h>

#include <vector>

#include "engine/Monitor.h"

// Monitor information, the display's current mode and the attached monitor device.
DisplayProbe ProbeMonitor(HMONITOR monitor);
// Every monitor of the desktop in the platform's enumeration order.
std::vector<EnumeratedMonitor> EnumerateMonitors();
MonitorRect ToMonitorRect(const RECT& rect);
RECT ToRect(const MonitorRect& rect);
