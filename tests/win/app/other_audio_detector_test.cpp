// The other-audio detector's thread: its reports to a window, the default output under Wine
// (no session list), following a new default output, an output that cannot be had, and a
// Stop that does not wait for ever on a thread stuck in an audio call.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "app/OtherAudioDetector_win.h"
#include "base/Handles_win.h"
#include "base/Messages.h"
#include "base/OsVersion_win.h"
#include "common/MediaKit.h"
#include "settings/MemoryKeyStore.h"
#include "settings/SettingsStore.h"

namespace {

const char kNoSessionList[] = "Other audio detector: no session list (error 0x80004001), reporting none";
const char kNotStopped[] = "Other audio detector did not stop in time";

// A message-only window that keeps the detector's reports (their wParam) in order.
class ReportWindow {
 public:
  ReportWindow() {
    static const bool registered = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"QendorOtherAudioReports";
      return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    hwnd_.reset(CreateWindowExW(0, L"QendorOtherAudioReports", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), this));
  }
  HWND get() const { return hwnd_.get(); }
  const std::vector<WPARAM>& reports() const { return reports_; }
  bool WaitForReports(size_t count, DWORD timeoutMs) {
    return mediakit::PumpUntil([&] { return reports_.size() >= count; }, timeoutMs);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    } else if (message == WM_APP_OTHER_AUDIO) {
      reinterpret_cast<ReportWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))->reports_.push_back(wParam);
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  UniqueHwnd hwnd_;
  std::vector<WPARAM> reports_;
};

// What a scripted output shares with its test: the detector's thread reads it, the test sets it.
struct Script {
  std::atomic<int> made{0};
  std::atomic<int> opens{0};
  std::atomic<bool> openFails{false};
  std::atomic<bool> defaultChanged{false};
  // The process heard on the output opened first, and on every output opened after it.
  std::atomic<DWORD> loudPid{0};
  std::atomic<DWORD> loudPidAfter{0};
  // Set when a check reads the session list.
  UniqueHandle checking{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  // When there is one, a check waits for it to be set before it reads the session list.
  UniqueHandle release;
  // Set when the thread drops the output.
  UniqueHandle destroyed{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

class ScriptedOutput : public app::AudioOutput, private app::AudioSessions {
 public:
  explicit ScriptedOutput(Script& script) : script_(script) { ++script_.made; }
  ~ScriptedOutput() override { SetEvent(script_.destroyed.get()); }
  bool Open() override {
    loudPid_ = ++script_.opens == 1 ? script_.loudPid.load() : script_.loudPidAfter.load();
    return !script_.openFails;
  }
  bool DefaultChanged() override { return script_.defaultChanged.exchange(false); }
  app::AudioSessions& Sessions() override { return *this; }

 private:
  std::optional<int> Count() override {
    SetEvent(script_.checking.get());
    if (script_.release) WaitForSingleObject(script_.release.get(), INFINITE);
    return 1;
  }
  std::optional<float> Peak(int) override { return 0.5f; }
  std::optional<uint32_t> ProcessId(int) override { return loudPid_; }

  Script& script_;
  DWORD loudPid_ = 0;
};

AudioOutputMaker Scripted(Script& script) {
  return [&script] { return std::unique_ptr<app::AudioOutput>(new ScriptedOutput(script)); };
}

class OtherAudioDetector : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static settings::MemoryKeyStore keys;
    static settings::SettingsStore store(keys);
    mediakit::StartLogCapture(store);
  }
  void SetUp() override { mediakit::ClearLog(); }
  static ULONGLONG MsToStop(COtherAudioDetector& detector) {
    const ULONGLONG start = GetTickCount64();
    detector.Stop();
    return GetTickCount64() - start;
  }
};

TEST_F(OtherAudioDetector, DefaultOutputReportsEveryPollAndStopsAtOnce) {
  ReportWindow window;
  COtherAudioDetector detector(50);
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    const size_t before = window.reports().size();
    ASSERT_TRUE(detector.Start(window.get()));
    EXPECT_TRUE(detector.Running());
    ASSERT_TRUE(window.WaitForReports(before + 4, 5000)) << "a report at every poll";
    // Only this process plays here (nothing at all under Wine): nobody else is heard.
    for (size_t i = before; i < window.reports().size(); ++i) EXPECT_EQ(window.reports()[i], 0u);
    // Wine gives no session list: said once per thread however many checks, and the thread goes on.
    EXPECT_EQ(mediakit::LogCount(kNoSessionList), IsRunningOnWine() ? round : 0);

    EXPECT_LT(MsToStop(detector), 1000u);
    EXPECT_FALSE(detector.Running());
    const size_t stopped = window.reports().size();
    mediakit::PumpFor(300);
    EXPECT_EQ(window.reports().size(), stopped) << "nothing posted after Stop";
  }
  EXPECT_EQ(mediakit::LogCount(kNotStopped), 0);
}

TEST_F(OtherAudioDetector, HearsAnotherProgramOnANewDefaultOutputButNeverItself) {
  Script script;
  script.loudPid = GetCurrentProcessId();
  script.loudPidAfter = GetCurrentProcessId() + 4;
  ReportWindow window;
  COtherAudioDetector detector(30, Scripted(script));
  ASSERT_TRUE(detector.Start(window.get()));
  ASSERT_TRUE(window.WaitForReports(3, 5000));
  EXPECT_EQ(window.reports(), std::vector<WPARAM>({0, 0, 0})) << "our own sound, however loud";
  EXPECT_EQ(script.opens, 1);

  script.defaultChanged = true;  // the user's default output is now another device
  ASSERT_TRUE(mediakit::PumpUntil([&] { return !window.reports().empty() && window.reports().back() == 1; }, 5000))
      << "the new default output, where another program plays, is watched";
  EXPECT_EQ(script.opens, 2) << "opened once more, not at every check";
  detector.Stop();
  EXPECT_EQ(script.made, 1) << "the same thread followed the change";
}

TEST_F(OtherAudioDetector, OutputThatCannotBeHadEndsTheThreadWithoutAReport) {
  Script script;
  script.openFails = true;
  ReportWindow window;
  COtherAudioDetector detector(30, Scripted(script));
  ASSERT_TRUE(detector.Start(window.get()));
  ASSERT_EQ(WaitForSingleObject(script.destroyed.get(), 5000), WAIT_OBJECT_0) << "the thread ends by itself";
  mediakit::PumpFor(200);
  EXPECT_TRUE(window.reports().empty());

  // Still recorded until Stop: starting again starts no thread.
  EXPECT_TRUE(detector.Running());
  EXPECT_TRUE(detector.Start(window.get()));
  EXPECT_EQ(script.made, 1);
  EXPECT_LT(MsToStop(detector), 1000u);
  EXPECT_FALSE(detector.Running());

  script.openFails = false;
  ASSERT_TRUE(detector.Start(window.get()));
  ASSERT_TRUE(window.WaitForReports(1, 5000)) << "a new thread after Stop";
  EXPECT_EQ(script.made, 2);
  EXPECT_EQ(mediakit::LogCount(kNotStopped), 0);
}

TEST_F(OtherAudioDetector, StopLetsAThreadStuckInAnAudioCallGo) {
  Script script;
  script.loudPid = GetCurrentProcessId() + 4;  // would be reported as heard
  script.release.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  ReportWindow window;
  const DWORD bound = 300;
  auto detector = std::make_unique<COtherAudioDetector>(30, Scripted(script), bound);
  ASSERT_TRUE(detector->Start(window.get()));
  ASSERT_EQ(WaitForSingleObject(script.checking.get(), 5000), WAIT_OBJECT_0);

  const ULONGLONG took = MsToStop(*detector);
  EXPECT_GE(took + 20, bound) << "waited its bound";  // tick granularity
  EXPECT_LT(took, bound + 1000u) << "and no longer";
  EXPECT_EQ(mediakit::LogCount(kNotStopped), 1);
  EXPECT_FALSE(detector->Running());
  detector.reset();  // the owner goes; the stuck thread keeps what it uses

  SetEvent(script.release.get());  // the audio call returns
  ASSERT_EQ(WaitForSingleObject(script.destroyed.get(), 5000), WAIT_OBJECT_0) << "the thread ends and frees its output";
  mediakit::PumpFor(200);
  EXPECT_TRUE(window.reports().empty()) << "its finished check is not posted after Stop";
}

}  // namespace
