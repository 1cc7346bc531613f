// What the platform reports about a monitor, read into the portable monitor model.
#pragma once
#include <windows.h>

#include <memory>

#include "engine/Monitor.h"

// Monitor information, the display's current mode and the attached monitor device.
DisplayProbe ProbeMonitor(HMONITOR monitor);
// A CMonitor for an enumerated monitor (handle and rectangle), logging as it reads.
std::unique_ptr<CMonitor> MakeMonitor(HMONITOR monitor, const RECT* rect, int index);
MonitorRect ToMonitorRect(const RECT& rect);
RECT ToRect(const MonitorRect& rect);
