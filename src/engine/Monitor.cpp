// The monitor model's rules: construction, key and label, the record's reads and writes,
// the wallpaper window's life, the list order and the wallpaper layer's coordinates.
#include "engine/Monitor.h"

#include <algorithm>

#include "settings/SettingsStore.h"
#include "diag/Log.h"

std::wstring MonitorLabel(int index) {
  if (index >= 0 && index < 8) return std::wstring(1, static_cast<wchar_t>(L'A' + index));
  return std::to_wstring(index + 1);
}

std::wstring MonitorKeyFor(const MonitorRect& monitorRect, std::wstring_view id) {
  if (monitorRect.IsEmpty()) return L"0";
  size_t first = id.find(L'\\');
  if (id.empty() || first == std::wstring_view::npos) return L"0";
  if (first + 1 >= id.size()) return L"0";
  size_t second = id.find(L'\\', first + 1);
  if (second == std::wstring_view::npos) return L"0";
  std::wstring key(id.substr(first + 1, second - first - 1));
  size_t third = second + 1 >= id.size() ? std::wstring_view::npos : id.find(L'\\', second + 1);
  if (third == std::wstring_view::npos) return key + L"_0";
  return key + L"_" + std::wstring(id.substr(third + 1));
}

CMonitor::CMonitor(MonitorServices& services, const DisplayProbe* probe, const MonitorRect* rect, int index)
    : services_(services) {
  if (rect) monitorRect = *rect;
  label = MonitorLabel(index);
  if (probe)
    TakeProbe(*probe, rect, index, true);
  else if (rect)
    displayRect = *rect;
  settings.Load(services_.store, DefaultSection());
}

void CMonitor::TakeProbe(const DisplayProbe& probe, const MonitorRect* rect, int index, bool log) {
  if (log) {
    LogMessage(Info, "Add Monitor %d", index);
    if (rect)
      LogMessage(Info, "    Monitor rect: left = %d; top = %d; right = %d; bottom = %d", rect->left, rect->top,
                 rect->right, rect->bottom);
  }
  if (!probe.infoOk) {
    LogMessage(Error, "GetMonitorInfo failed");
    return;
  }
  displayDevice.deviceName = probe.deviceName;
  if (log) LogMessage(Info, "    Device %S", probe.deviceName.c_str());
  if (probe.modeOk) {
    displayMode = {probe.x, probe.y, probe.width, probe.height};
    displayRect = {probe.x, probe.y, probe.x + static_cast<int32_t>(probe.width),
                   probe.y + static_cast<int32_t>(probe.height)};
    if (log)
      LogMessage(Info, "    Display rect: left = %d; top = %d; right = %d; bottom = %d", displayRect.left,
                 displayRect.top, displayRect.right, displayRect.bottom);
  } else {
    displayRect = {};
    LogMessage(Error, "EnumDisplaySettings failed");
  }
  if (probe.deviceOk) {
    displayDevice.deviceId = probe.deviceId;
    if (log) LogMessage(Info, "    Device id: %S", probe.deviceId.c_str());
  } else {
    LogMessage(Error, "EnumDisplayDevices failed");
  }
}

void CMonitor::Relocate(const DisplayProbe& probe, const MonitorRect& rect, int index) {
  monitorRect = rect;
  label = MonitorLabel(index);
  TakeProbe(probe, &rect, index, false);
}

CMonitor::~CMonitor() {
  WriteSettings();
  RemoveWindow();
}

std::wstring CMonitor::MonitorKey() const { return MonitorKeyFor(monitorRect, displayDevice.deviceId); }

std::wstring CMonitor::DefaultSection() const { return baseSection + L"\\" + MonitorKey(); }

void CMonitor::SetPath(const wchar_t* path, bool force) {
  std::wstring text = path ? path : L"";
  if (!force && text == settings.Path) return;
  settings.Path = std::move(text);
  RefreshWindow();
}

void CMonitor::RemoveWindow() {
  if (!videoWnd) return;
  videoWnd->Destroy();
  videoWnd.reset();
}

int32_t CMonitor::RefreshWindow() {
  if (settings.Path.empty()) {
    RemoveWindow();
    return kResultNothingOpened;
  }
  if (!videoWnd) {
    if (services_.makeWindow) videoWnd = services_.makeWindow();
    if (!videoWnd) {
      LogMessage(Error, "Unable to create Video window");
      return kResultFail;
    }
  }
  if (!videoWnd->Create(*this)) return kResultFail;
  // The file is opened first: the picture's settings then go to the new file, whose player
  // takes them when it starts. (Given to the old one just before its close, they can meet the
  // end of its clip, where Wine's video presenter can block for ever.)
  const int32_t result = videoWnd->Open(settings.Path);
  ApplyStretchAndPosition();
  int overlay = settings.BlackOverlay;
  videoWnd->ApplyOverlay(static_cast<float>(overlay) / 100.0f, overlay > 0);
  videoWnd->ApplyVolume(settings.Mute ? 0.0f : static_cast<float>(settings.Volume) / 100.0f);
  return result;
}

void CMonitor::ApplyStretchAndPosition() {
  if (!videoWnd) return;
  videoWnd->ApplyStretchAndPosition(
      settings.VideoSize == WallpaperSettings::Stretch, settings.VideoSize == WallpaperSettings::Cover,
      static_cast<float>(settings.PosX) / 100.0f, static_cast<float>(settings.PosY) / 100.0f);
}

bool CMonitor::SetVideoSize(int size) {
  if (settings.VideoSize == size) return false;
  settings.VideoSize = size;
  ApplyStretchAndPosition();
  return true;
}

void CMonitor::SetPosX(int x) {
  if (settings.PosX == x) return;
  settings.PosX = x;
  ApplyStretchAndPosition();
}

void CMonitor::SetPosY(int y) {
  if (settings.PosY == y) return;
  settings.PosY = y;
  ApplyStretchAndPosition();
}

template <typename Write>
void CMonitor::WriteOwnRecord(Write write) {
  bool hideAutoMute = settings.Mute && autoMuted;
  if (hideAutoMute) settings.Mute = false;
  write();
  if (hideAutoMute) settings.Mute = true;
}

void CMonitor::WriteSettings() {
  WriteOwnRecord([this] { settings.Save(services_.store, DefaultSection()); });
}

void CMonitor::WriteSetting(std::wstring_view name) {
  WriteOwnRecord([this, name] { settings.SaveValue(services_.store, DefaultSection(), name); });
}

void CMonitor::WriteSection(std::wstring_view section) {
  if (section.empty()) return;
  settings.Save(services_.store, std::wstring(section) + L"\\" + MonitorKey());
}

void CMonitor::LoadSection(std::wstring_view section) {
  if (section.empty()) {
    settings.Load(services_.store, DefaultSection());
    return;
  }
  WriteSettings();
  settings.Load(services_.store, std::wstring(section) + L"\\" + MonitorKey());
}

void InsertMonitor(MonitorArray& monitors, std::unique_ptr<CMonitor> monitor) {
  if (!monitor) return;
  // The enumeration reports monitors in any order; the list shows them from left to right.
  int32_t left = monitor->monitorRect.left;
  auto at = std::find_if(monitors.begin(), monitors.end(),
                         [left](const std::unique_ptr<CMonitor>& m) { return m->displayRect.left > left; });
  monitors.insert(at, std::move(monitor));
}

void ArrangeDisplayRects(MonitorArray& monitors) {
  if (monitors.empty()) return;
  const MonitorRect& first = monitors.front()->displayRect;
  bool sameRow = true, sameColumn = true;
  for (const auto& m : monitors) {
    sameRow = sameRow && m->displayRect.top == first.top;
    sameColumn = sameColumn && m->displayRect.left == first.left;
  }
  // The layer's origin is the virtual desktop's top-left corner: every monitor moves by the
  // same amount, the distance of the leftmost (topmost) edge from 0 when that is negative.
  if (!sameColumn) {
    int32_t minLeft = 0;
    for (const auto& m : monitors) minLeft = std::min(minLeft, m->displayRect.left);
    for (auto& m : monitors) {
      m->displayRect.left -= minLeft;
      m->displayRect.right -= minLeft;
    }
  }
  if (sameRow) return;
  int32_t minTop = 0;
  for (const auto& m : monitors) minTop = std::min(minTop, m->displayRect.top);
  for (auto& m : monitors) {
    m->displayRect.top -= minTop;
    m->displayRect.bottom -= minTop;
  }
}

MonitorArray MakeMonitors(MonitorServices& services, const std::vector<EnumeratedMonitor>& enumerated) {
  MonitorArray monitors;
  for (const EnumeratedMonitor& m : enumerated) {
    int index = static_cast<int>(monitors.size());
    InsertMonitor(monitors, std::make_unique<CMonitor>(services, &m.probe, &m.rect, index));
  }
  LogMessage(Info, "Detected %d monitors", static_cast<int>(monitors.size()));
  ArrangeDisplayRects(monitors);
  return monitors;
}

int RestoreSelected(settings::SettingsStore& store, int current, int count) {
  int value = store.GetProfileInt(L"Video", L"Selected", 0);
  if (count > 0 && value >= 0 && value < count) return value;
  return current;
}

int ReadDisplayOptions(settings::SettingsStore& store, std::wstring_view section, int monitorCount) {
  int value = store.GetProfileInt(section, L"DisplayOptions", 0);
  if (value < 0 || value > 2 || monitorCount < 2) return 0;
  return value;
}
