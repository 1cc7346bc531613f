// The wallpapers as a whole: loading, the operations on all of them, display changes.
#include "engine/Wallpapers.h"

#include <algorithm>
#include <utility>

#include "base/Log.h"
#include "settings/SettingsStore.h"

namespace engine {

Wallpapers::Wallpapers(MonitorServices& services) : services_(services) {}

void Wallpapers::Load(const std::vector<EnumeratedMonitor>& enumerated) {
  Clear();
  all_ = std::make_unique<CMonitor>(services_, nullptr, nullptr, 0);
  monitors_ = MakeMonitors(services_, enumerated);
  selected = RestoreSelected(services_.store, 0, Count());
}

void Wallpapers::Clear() {
  if (!all_) return;
  services_.store.WriteProfileInt(L"Video", L"Selected", selected);
  for (auto& monitor : monitors_) monitor.reset();
  monitors_.clear();
  all_.reset();
}

void Wallpapers::PauseAll(bool paused) {
  ForEach([paused](CMonitor& m) {
    if (m.videoWnd && m.videoWnd->HasWindow()) m.videoWnd->Pause(paused);
  });
}

void Wallpapers::ApplyPlayback() {
  ForEach([](CMonitor& m) {
    if (m.videoWnd && m.videoWnd->HasWindow()) m.videoWnd->ApplyPlayback();
  });
}

void Wallpapers::SetVolumeAll(int volume) {
  ForEach([volume](CMonitor& m) {
    m.autoMuted = false;
    m.settings.Volume = volume;
    m.settings.Mute = volume == 0;
    if (m.videoWnd) m.videoWnd->ApplyVolume(static_cast<float>(volume) / 100.0f);
  });
}

void Wallpapers::MuteAll(bool mute, bool automatic) {
  ForEach([mute, automatic](CMonitor& m) {
    if (m.settings.Mute == mute) {
      // Already muted automatically and now muted by the user: the user's mute stays.
      if (mute && !automatic) m.autoMuted = false;
      return;
    }
    if (mute) {
      m.autoMuted = automatic;
      m.settings.Mute = true;
      if (m.videoWnd) m.videoWnd->ApplyVolume(0.0f);
      return;
    }
    if (automatic && !m.autoMuted) return;  // a mute the user made stays
    m.settings.Mute = false;
    m.autoMuted = false;
    if (m.videoWnd) m.videoWnd->ApplyVolume(static_cast<float>(m.settings.Volume) / 100.0f);
  });
}

void Wallpapers::RemoveAllPaths() {
  ForEach([](CMonitor& m) {
    m.SetPath(nullptr, true);
    m.WriteSetting(L"Path");
  });
}

void Wallpapers::ResetAll() {
  ForEach([](CMonitor& m) {
    m.settings.Reset();
    m.RemoveWindow();
  });
}

namespace {
struct Placed {
  std::wstring key;
  MonitorRect displayRect;
  friend bool operator==(const Placed&, const Placed&) = default;
};
std::vector<Placed> Placement(const MonitorArray& monitors) {
  std::vector<Placed> placed;
  for (const auto& m : monitors) placed.push_back({m->MonitorKey(), m->displayRect});
  return placed;
}
}  // namespace

bool Wallpapers::Reconcile(const std::vector<EnumeratedMonitor>& enumerated, int displayOption) {
  if (!all_) return false;
  std::vector<Placed> before = Placement(monitors_);
  CMonitor* selectedMonitor = Monitor(selected);
  std::wstring selectedKey = selectedMonitor ? selectedMonitor->MonitorKey() : L"";
  std::wstring sharedPath;  // display option 2: the path every monitor plays
  for (const auto& m : monitors_)
    if (sharedPath.empty()) sharedPath = m->settings.Path;
  if (selectedMonitor && !selectedMonitor->settings.Path.empty()) sharedPath = selectedMonitor->settings.Path;

  MonitorArray old = std::move(monitors_);
  monitors_.clear();
  std::vector<CMonitor*> added;
  for (size_t i = 0; i < enumerated.size(); ++i) {
    const EnumeratedMonitor& e = enumerated[i];
    std::wstring key =
        MonitorKeyFor(e.rect, e.probe.infoOk && e.probe.deviceOk ? e.probe.deviceId : std::wstring());
    auto same = std::find_if(old.begin(), old.end(),
                             [&key](const std::unique_ptr<CMonitor>& m) { return m && m->MonitorKey() == key; });
    if (same != old.end()) {
      std::unique_ptr<CMonitor> kept = std::move(*same);
      kept->Relocate(e.probe, e.rect, static_cast<int>(i));
      InsertMonitor(monitors_, std::move(kept));
    } else {
      auto made = std::make_unique<CMonitor>(services_, &e.probe, &e.rect, static_cast<int>(i));
      added.push_back(made.get());
      InsertMonitor(monitors_, std::move(made));
    }
  }
  ArrangeDisplayRects(monitors_);
  for (auto& gone : old)
    if (gone) gone.reset();  // writes its record, removes its window

  for (auto& m : monitors_) {
    bool isNew = std::find(added.begin(), added.end(), m.get()) != added.end();
    if (!isNew) {
      if (m->videoWnd && m->videoWnd->HasWindow()) m->videoWnd->Create(*m);  // moves it
    } else if (displayOption == 0) {
      m->RefreshWindow();
    } else if (displayOption == 2 && !sharedPath.empty()) {
      m->SetPath(sharedPath.c_str(), true);
    }
  }
  if (all_->videoWnd && all_->videoWnd->HasWindow()) all_->videoWnd->Create(*all_);

  int previous = selected;
  selected = 0;
  for (int i = 0; i < Count(); ++i)
    if (selectedMonitor && monitors_[static_cast<size_t>(i)]->MonitorKey() == selectedKey) selected = i;
  if (!selectedMonitor) selected = previous < 0 ? previous : 0;
  bool changed = Placement(monitors_) != before;
  if (changed) LogMessage(Info, "Display change: %d monitors", Count());
  return changed;
}

}  // namespace engine
