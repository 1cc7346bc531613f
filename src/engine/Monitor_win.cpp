// Reading a monitor's platform records: GetMonitorInfoW, EnumDisplaySettingsW and
// EnumDisplayDevicesW.
#include "engine/Monitor_win.h"

MonitorRect ToMonitorRect(const RECT& r) {
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
          static_cast<int32_t>(r.bottom)};
}

RECT ToRect(const MonitorRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

DisplayProbe ProbeMonitor(HMONITOR monitor) {
  DisplayProbe probe;
  MONITORINFOEXW info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return probe;
  probe.infoOk = true;
  probe.deviceName = info.szDevice;
  DEVMODEW mode{};
  mode.dmSize = sizeof(mode);
  if (EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) {
    probe.modeOk = true;
    probe.x = mode.dmPosition.x;
    probe.y = mode.dmPosition.y;
    probe.width = mode.dmPelsWidth;
    probe.height = mode.dmPelsHeight;
  }
  DISPLAY_DEVICEW device{};
  device.cb = sizeof(device);
  if (EnumDisplayDevicesW(info.szDevice, 0, &device, 0)) {
    probe.deviceOk = true;
    probe.deviceId = device.DeviceID;
  }
  return probe;
}

std::vector<EnumeratedMonitor> EnumerateMonitors() {
  std::vector<EnumeratedMonitor> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, LPRECT rect, LPARAM param) -> BOOL {
        if (rect)
          reinterpret_cast<std::vector<EnumeratedMonitor>*>(param)->push_back({ProbeMonitor(monitor), ToMonitorRect(*rect)});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}
