// Soak of the media player: many open-and-close cycles and many loops of a short clip,
// printing the process's handle, GDI and USER object counts and private bytes before and
// after, to show that nothing grows.
//
// Usage: player_soak_win.exe <fixture folder> [cycles=1000] [loops=2000] [play ms=0]
// [close-while-playing]
// (play ms: how long each open-and-close cycle plays after its start before the close;
// by default each cycle also plays to the end first, close-while-playing does not wait)
// The folder is one made by tools/fixtures/make-fixtures.sh (clip.avi and short.avi).
// SOAK_LOG=1 with QENDOR_TEST_ECHO=1 echoes the player's log to stderr; SOAK_REOPEN=1 keeps
// one player for all the cycles.
#include <mfapi.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "base/ComRef_win.h"
#include "base/Handles_win.h"
#include "base/Messages.h"
#include "common/MediaKit.h"
#include "engine/Player_win.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

namespace {

struct Usage {
  DWORD handles = 0;
  DWORD gdi = 0;
  DWORD user = 0;
  SIZE_T privateBytes = 0;
  // Threads of this process (Toolhelp) and its working set, which Wine does report.
  long threads = 0;
  SIZE_T workingSet = 0;
};

long CountThreads() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  UniqueHandle owner(snapshot);
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  long count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  return count;
}

Usage Measure() {
  Usage u;
  GetProcessHandleCount(GetCurrentProcess(), &u.handles);
  u.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  u.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters))) {
    u.privateBytes = counters.PrivateUsage;
    u.workingSet = counters.WorkingSetSize;
  }
  u.threads = CountThreads();
  return u;
}

void Print(const char* label, const Usage& u) {
  std::printf("%-30s handles %5lu  GDI %4lu  USER %4lu  private %8.1f KiB", label, u.handles, u.gdi, u.user,
              u.privateBytes / 1024.0);
  std::printf("  threads %4ld  working set %8.1f KiB", u.threads, u.workingSet / 1024.0);
  std::printf("\n");
  std::fflush(stdout);
}

void PrintGrowth(const char* label, const Usage& a, const Usage& b) {
  std::printf("%-30s handles %+5ld  GDI %+4ld  USER %+4ld  private %+8.1f KiB", label,
              static_cast<long>(b.handles) - static_cast<long>(a.handles),
              static_cast<long>(b.gdi) - static_cast<long>(a.gdi),
              static_cast<long>(b.user) - static_cast<long>(a.user),
              (static_cast<double>(b.privateBytes) - static_cast<double>(a.privateBytes)) / 1024.0);
  std::printf("  threads %+4ld  working set %+8.1f KiB", b.threads - a.threads,
              (static_cast<double>(b.workingSet) - static_cast<double>(a.workingSet)) / 1024.0);
  std::printf("\n");
  std::fflush(stdout);
}

// The owner side: answers the player's events as the wallpaper window does.
struct Owner {
  CPlayer* player = nullptr;
  bool loop = false;
  int started = 0;
  int ended = 0;
  int failedEvents = 0;
  int failedPlays = 0;
};
int g_slowCloses = 0;  // closes that took longer than 4 s: the player's close wait ran out
Owner g_owner;
std::atomic<ULONGLONG> g_lastProgress{0};
std::atomic<const char*> g_phase{"start"};
std::atomic<int> g_step{0};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP_PLAYER_EVENT) {
    if (!g_owner.player) {
      Microsoft::WRL::ComPtr<IUnknown> orphan;
      AdoptRef(orphan, reinterpret_cast<IUnknown*>(wParam));
      return 0;
    }
    const HRESULT hr = g_owner.player->HandleEvent(wParam, lParam);
    if (FAILED(hr)) {
      ++g_owner.failedEvents;
      return 0;
    }
    if (lParam == MESessionStarted) ++g_owner.started;
    if (lParam == MESessionEnded) {
      ++g_owner.ended;
      if (g_owner.loop && FAILED(g_owner.player->Play())) ++g_owner.failedPlays;
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

using mediakit::PumpUntil;

void DrainPlayerEvents(HWND window) {
  MSG msg;
  while (PeekMessageW(&msg, window, WM_APP_PLAYER_EVENT, WM_APP_PLAYER_EVENT, PM_REMOVE)) {
    Microsoft::WRL::ComPtr<IUnknown> queued;
    AdoptRef(queued, reinterpret_cast<IUnknown*>(msg.wParam));
  }
}

void Progress(int step) {
  g_step = step;
  g_lastProgress = GetTickCount64();
}

// One wallpaper's life: a player, the file opened, started and played to its end, shut down
// and released. The close comes after the end because Wine 8's video renderer can deadlock
// when a session is closed with frames in flight.
DWORD g_playMs = 0;
bool g_waitEnd = true;

// SOAK_REOPEN=1: one player for all the cycles, each opening the file again (which closes
// the last session), as the wallpaper's reopened loop does.
CPlayer* g_kept = nullptr;

bool OpenAndCloseOnce(HWND window, const std::wstring& path) {
  CPlayer* player = g_kept;
  if (!player && FAILED(CPlayer::CreateInstance(window, window, &player))) return false;
  g_owner = Owner{};
  g_owner.player = player;
  const ULONGLONG openStart = GetTickCount64();
  bool ok = SUCCEEDED(player->OpenURL(path.c_str()));
  if (g_kept && GetTickCount64() - openStart > 4000) ++g_slowCloses;
  if (ok) ok = PumpUntil([] { return g_owner.started > 0; }, 10000);
  if (ok && g_playMs) PumpUntil([] { return false; }, g_playMs);
  if (ok && g_waitEnd) ok = PumpUntil([] { return g_owner.ended > 0; }, 10000);
  if (g_kept) return ok;
  const ULONGLONG closeStart = GetTickCount64();
  player->Shutdown();
  if (GetTickCount64() - closeStart > 4000) ++g_slowCloses;
  g_owner.player = nullptr;
  player->Release();
  DrainPlayerEvents(window);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: player_soak_win <fixture folder> [cycles=1000] [loops=2000]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  const int cycles = argc > 2 ? std::atoi(argv[2]) : 1000;
  const int loops = argc > 3 ? std::atoi(argv[3]) : 2000;
  g_playMs = argc > 4 ? static_cast<DWORD>(std::atoi(argv[4])) : 0;
  g_waitEnd = !(argc > 5 && std::string(argv[5]) == "close-while-playing");
  const std::wstring clip(folder.begin(), folder.end());
  // SOAK_CYCLE_FILE and SOAK_LOOP_FILE name other fixtures for the cycles and the loops
  // (tone.wav: the audio path alone; short.avi: shorter loops).
  const auto fixture = [&](const char* variable) {
    const char* name = getenv(variable);
    return clip + (name ? std::wstring(name, name + std::strlen(name)) : std::wstring(L"clip.avi"));
  };
  const std::wstring clipPath = fixture("SOAK_CYCLE_FILE");
  const std::wstring shortPath = fixture("SOAK_LOOP_FILE");

  // SOAK_LOG=1: the player's log on stderr (QENDOR_TEST_ECHO=1 must be set with it).
  static settings::MemoryKeyStore logKeys;
  static settings::SettingsStore logStore(logKeys);
  if (getenv("SOAK_LOG")) mediakit::StartLogCapture(logStore);

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 3;
  if (FAILED(MFStartup(MF_VERSION, MFSTARTUP_FULL))) return 3;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QendorPlayerSoak";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RegisterClassW(&wc);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"player soak", WS_POPUP | WS_VISIBLE, 0, 0, 320,
                                180, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) return 3;

  // A watchdog names the step that stopped making progress, then ends the process.
  Progress(0);
  std::thread([] {
    for (;;) {
      Sleep(1000);
      if (GetTickCount64() - g_lastProgress.load() > 30000) {
        std::printf("STUCK: no progress for 30 s in %s at step %d (closes over 4 s so far: %d)\n", g_phase.load(),
                    g_step.load(), g_slowCloses);
        Print("at the stop", Measure());
        std::fflush(stdout);
        ExitProcess(4);
      }
    }
  }).detach();

  if (getenv("SOAK_REOPEN") && FAILED(CPlayer::CreateInstance(window, window, &g_kept))) return 3;

  // Warm-up: the first uses load the platform's libraries and caches once.
  g_phase = "warm-up";
  for (int i = 0; i < 5; ++i) {
    OpenAndCloseOnce(window, clipPath);
    Progress(i);
  }

  // Open and close.
  g_phase = "open-and-close";
  const Usage beforeCycles = Measure();
  Print("before open/close cycles", beforeCycles);
  int failedCycles = 0;
  const ULONGLONG cyclesStart = GetTickCount64();
  for (int i = 1; i <= cycles; ++i) {
    if (!OpenAndCloseOnce(window, clipPath)) ++failedCycles;
    Progress(i);
    if (i % 25 == 0 || i == cycles) {
      char label[64];
      std::snprintf(label, sizeof(label), "after %d cycles", i);
      Print(label, Measure());
    }
  }
  if (g_kept) {
    g_kept->Shutdown();
    g_owner.player = nullptr;
    g_kept->Release();
    g_kept = nullptr;
    DrainPlayerEvents(window);
  }
  const Usage afterCycles = Measure();
  PrintGrowth("growth over open/close", beforeCycles, afterCycles);
  std::printf("open/close cycles: %d, failed %d, closes over 4 s %d, %.1f s\n", cycles, failedCycles,
              g_slowCloses, (GetTickCount64() - cyclesStart) / 1000.0);

  // Loops of a short clip on one player.
  g_phase = "loops";
  const Usage beforeLoops = Measure();
  Print("before loops", beforeLoops);
  CPlayer* player = nullptr;
  if (FAILED(CPlayer::CreateInstance(window, window, &player))) return 3;
  g_owner = Owner{};
  g_owner.player = player;
  g_owner.loop = true;
  const ULONGLONG loopsStart = GetTickCount64();
  bool loopsOk = SUCCEEDED(player->OpenURL(shortPath.c_str()));
  int reported = 0;
  while (loopsOk && g_owner.ended < loops) {
    const int before = g_owner.ended;
    loopsOk = PumpUntil([&] { return g_owner.ended > before; }, 10000);
    Progress(g_owner.ended);
    if (g_owner.ended / 25 > reported) {
      reported = g_owner.ended / 25;
      char label[64];
      std::snprintf(label, sizeof(label), "after %d loops", g_owner.ended);
      Print(label, Measure());
    }
  }
  player->Shutdown();
  g_owner.player = nullptr;
  player->Release();
  DrainPlayerEvents(window);
  const Usage afterLoops = Measure();
  Print("after loops (player released)", afterLoops);
  PrintGrowth("growth over loops", beforeLoops, afterLoops);
  std::printf("loops: %d of %d, failed events %d, failed plays %d, %.1f s%s\n", g_owner.ended, loops,
              g_owner.failedEvents, g_owner.failedPlays, (GetTickCount64() - loopsStart) / 1000.0,
              loopsOk ? "" : " (stopped: no end of file within 10 s)");

  DestroyWindow(window);
  MFShutdown();
  CoUninitialize();
  return failedCycles == 0 && loopsOk ? 0 : 1;
}
