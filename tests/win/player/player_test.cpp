// CPlayer against the platform's media pipeline: opening, looping, pause and resume,
// closing, the presentation calls and their "nothing to do" answers, and bad files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "PlayerHarness.h"
#include "base/Handles_win.h"
#include "base/OsVersion_win.h"

using namespace playertest;

namespace {

constexpr DWORD kStartMs = 15000;  // open to MESessionStarted, generous for a loaded machine

std::string Hex(const char* text, HRESULT hr) {
  char buffer[160];
  std::snprintf(buffer, sizeof(buffer), text, static_cast<unsigned>(hr));
  return buffer;
}

// Opens a fixture and pumps until the session has started.
::testing::AssertionResult OpenAndStart(PlayerWindow& window, const wchar_t* name) {
  if (!window.player()) return ::testing::AssertionFailure() << "no player";
  const HRESULT hr = window.player()->OpenURL(Fixture(name).c_str());
  if (FAILED(hr)) return ::testing::AssertionFailure() << "OpenURL " << std::hex << hr;
  if (window.player()->GetState() != CPlayer::OpenPending) {
    return ::testing::AssertionFailure() << "state after OpenURL " << window.player()->GetState();
  }
  if (!window.WaitFor(MESessionStarted, 1, kStartMs)) return ::testing::AssertionFailure() << "never started";
  return ::testing::AssertionSuccess();
}

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearLog();
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_NE(window.player(), nullptr);
  }
  CPlayer* player() { return window.player(); }
  PlayerWindow window;
};

// --- Object basics -----------------------------------------------------------------------------

TEST(PlayerObject, CreateInstanceAndInterfaces) {
  EXPECT_EQ(CPlayer::CreateInstance(nullptr, nullptr, nullptr), E_POINTER);

  CPlayer* player = nullptr;
  ASSERT_EQ(CPlayer::CreateInstance(nullptr, nullptr, &player), S_OK);
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->GetState(), CPlayer::Closed);
  EXPECT_FALSE(player->HasSessionAndSource());
  EXPECT_FALSE(player->HasStreamVolume());
  EXPECT_FALSE(player->HasDisplayControl());

  IUnknown* unknown = nullptr;
  ASSERT_EQ(player->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&unknown)), S_OK);
  IMFAsyncCallback* callback = nullptr;
  ASSERT_EQ(player->QueryInterface(__uuidof(IMFAsyncCallback), reinterpret_cast<void**>(&callback)), S_OK);
  EXPECT_EQ(static_cast<void*>(callback), static_cast<void*>(static_cast<IMFAsyncCallback*>(player)));
  IMFMediaEvent* notOurs = reinterpret_cast<IMFMediaEvent*>(1);
  EXPECT_EQ(player->QueryInterface(__uuidof(IMFMediaEvent), reinterpret_cast<void**>(&notOurs)), E_NOINTERFACE);
  EXPECT_EQ(notOurs, nullptr);
  // Count: 1 + two successful queries.
  EXPECT_EQ(unknown->Release(), 2u);
  EXPECT_EQ(callback->Release(), 1u);

  DWORD flags = 0, queue = 0;
  EXPECT_EQ(player->GetParameters(&flags, &queue), E_NOTIMPL);
  EXPECT_EQ(player->HandleEvent(nullptr, MESessionStarted), E_POINTER);
  EXPECT_EQ(player->Shutdown(), S_OK);
  EXPECT_EQ(player->Release(), 0u);
}

// Everything a closed player is asked answers with the rule for its state, never a crash.
TEST(PlayerObject, ClosedPlayerAnswersByState) {
  CPlayer* player = nullptr;
  ASSERT_EQ(CPlayer::CreateInstance(nullptr, nullptr, &player), S_OK);
  EXPECT_EQ(player->Play(), MF_E_INVALIDREQUEST);
  EXPECT_EQ(player->Pause(), MF_E_INVALIDREQUEST);
  EXPECT_EQ(player->Resume(), S_FALSE);
  EXPECT_EQ(player->CloseSession(), S_OK);
  EXPECT_EQ(player->SetVolume(0.5f), E_FAIL);
  EXPECT_EQ(player->SetStretched(true), E_FAIL);
  EXPECT_EQ(player->SetVideoPosition(true, 0.5f, 0.5f), E_FAIL);
  EXPECT_EQ(player->SetOverlay(0.5f, false, nullptr), E_FAIL);
  int w = 0, h = 0;
  EXPECT_EQ(player->GetCoverSize(RECT{0, 0, 100, 100}, &w, &h), E_FAIL);
  SIZE size{}, ratio{};
  EXPECT_EQ(player->GetNativeVideoSize(&size, &ratio), E_FAIL);
  float level = 1.0f;
  EXPECT_EQ(player->GetVolume(&level), E_FAIL);
  player->Shutdown();
  player->Release();
}

// --- Opening and playing -------------------------------------------------------------------------

// The window's handler passes on the reference that came with the posted event; every
// branch of HandleEvent must free it, or each event keeps its session's objects alive.
TEST_F(PlayerTest, HandlingAnEventFreesThePostedReference) {
  for (MediaEventType type : {MESessionCapabilitiesChanged, MESessionStopped, MESessionEnded, MEEndOfPresentation,
                              MESessionTopologyStatus, MESessionStarted}) {
    SCOPED_TRACE(type);
    Microsoft::WRL::ComPtr<IMFMediaEvent> event;
    ASSERT_EQ(MFCreateMediaEvent(type, GUID_NULL, S_OK, nullptr, &event), S_OK);
    event->AddRef();  // the posted reference
    player()->HandleEvent(event.Get(), type);
    EXPECT_EQ(event->AddRef(), 2u) << "only ours is left";
    event->Release();
  }
}

// A read or decode failure while playing arrives as MEError: it is logged with its status
// (and no box), where it was once dropped without a word.
TEST_F(PlayerTest, AnErrorEventIsLoggedWithItsStatus) {
  Microsoft::WRL::ComPtr<IMFMediaEvent> event;
  ASSERT_EQ(MFCreateMediaEvent(MEError, GUID_NULL, MF_E_INVALID_STREAM_DATA, nullptr, &event), S_OK);
  event->AddRef();  // the posted reference
  ClearLog();
  player()->HandleEvent(event.Get(), MEError);
  bool found = false;
  for (const std::string& line : LogLines())
    found = found || line.find("Media session error. Error 0xC00D36CB. ") != std::string::npos;
  EXPECT_TRUE(found) << "no error line";
  EXPECT_EQ(event->AddRef(), 2u) << "the posted reference is freed";
  event->Release();
}

// A session the player has let go of (its close timed out, the next file is open) may still
// answer an event request late. The request carries its session: that session ends its own
// request and the player neither asks it for more nor hands its event on. (Reading the
// player's session member instead once acted on the next session.)
class LateSession : public IMFMediaSession {
 public:
  ULONG refs = 1;
  int ended = 0, asked = 0;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IMFMediaEventGenerator) || iid == __uuidof(IMFMediaSession)) {
      *out = static_cast<IMFMediaSession*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP GetEvent(DWORD, IMFMediaEvent**) override { return E_NOTIMPL; }
  STDMETHODIMP BeginGetEvent(IMFAsyncCallback*, IUnknown*) override { return ++asked, S_OK; }
  STDMETHODIMP EndGetEvent(IMFAsyncResult*, IMFMediaEvent** event) override {
    ++ended;
    return MFCreateMediaEvent(MESessionStarted, GUID_NULL, S_OK, nullptr, event);
  }
  STDMETHODIMP QueueEvent(MediaEventType, REFGUID, HRESULT, const PROPVARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP SetTopology(DWORD, IMFTopology*) override { return E_NOTIMPL; }
  STDMETHODIMP ClearTopologies() override { return E_NOTIMPL; }
  STDMETHODIMP Start(const GUID*, const PROPVARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP Pause() override { return E_NOTIMPL; }
  STDMETHODIMP Stop() override { return E_NOTIMPL; }
  STDMETHODIMP Close() override { return E_NOTIMPL; }
  STDMETHODIMP Shutdown() override { return E_NOTIMPL; }
  STDMETHODIMP GetClock(IMFClock**) override { return E_NOTIMPL; }
  STDMETHODIMP GetSessionCapabilities(DWORD*) override { return E_NOTIMPL; }
  STDMETHODIMP GetFullTopology(DWORD, TOPOID, IMFTopology**) override { return E_NOTIMPL; }
};

TEST_F(PlayerTest, ALateEventOfASessionLetGoActsOnNothing) {
  ASSERT_EQ(player()->OpenURL(Fixture(L"tone.wav").c_str()), S_OK);
  ASSERT_TRUE(window.WaitFor(MESessionStarted, 1, 10000));
  LateSession late;
  Microsoft::WRL::ComPtr<IMFAsyncResult> result;
  ASSERT_EQ(MFCreateAsyncResult(nullptr, player(), static_cast<IMFMediaSession*>(&late), &result), S_OK);
  const size_t before = window.events.size();
  EXPECT_EQ(player()->Invoke(result.Get()), S_OK);
  EXPECT_EQ(late.ended, 1) << "the late session ends its own request";
  EXPECT_EQ(late.asked, 0) << "and is not asked for more";
  window.PumpFor(300);
  EXPECT_EQ(window.events.size(), before) << "its event is not handed to the window";
  EXPECT_EQ(player()->GetState(), CPlayer::Started) << "the open session goes on";
}

TEST_F(PlayerTest, OpensStartsAndReportsServices) {
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  EXPECT_EQ(player()->GetState(), CPlayer::Started);
  EXPECT_TRUE(player()->HasSessionAndSource());
  EXPECT_TRUE(player()->HasDisplayControl());
  EXPECT_TRUE(player()->HasStreamVolume());
  EXPECT_EQ(player()->ChannelCount(), 2u);

  // The topology status came before the start, and every handled event succeeded.
  ASSERT_GE(window.Count(MESessionTopologyStatus), 1);
  for (const HandledEvent& e : window.events) EXPECT_TRUE(SUCCEEDED(e.result)) << "event " << e.type;

  SIZE native{}, ratio{};
  ASSERT_EQ(player()->GetNativeVideoSize(&native, &ratio), S_OK);
  EXPECT_EQ(native.cx, 160);
  EXPECT_EQ(native.cy, 90);

  for (const char* line : {"Open file: .avi", "Create media session", "Start media session", "Media session started",
                           "Audio channels: 2"}) {
    EXPECT_TRUE(LogHas(line)) << line;
  }
  EXPECT_FALSE(LogHas("Close media session"));  // nothing was open before
}

// End of file: MEEndOfPresentation sets Stopped, MESessionEnded follows, the owner's Play
// starts again from 0 - at least three times in a row.
TEST_F(PlayerTest, LoopsThroughEndOfPresentationEndedAndPlay) {
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  ASSERT_TRUE(window.WaitFor(MESessionEnded, 3, 30000)) << "ended " << window.Count(MESessionEnded) << " times";

  int ends = 0;
  MediaEventType previousEnd = MEUnknown;
  for (const HandledEvent& e : window.events) {
    if (e.type == MEEndOfPresentation) {
      EXPECT_EQ(e.result, S_OK);
      EXPECT_EQ(e.stateAfter, CPlayer::Stopped);
      previousEnd = MEEndOfPresentation;
    } else if (e.type == MESessionEnded) {
      EXPECT_EQ(previousEnd, MEEndOfPresentation) << "MESessionEnded without MEEndOfPresentation before it";
      EXPECT_EQ(e.result, S_OK);
      EXPECT_EQ(e.stateAfter, CPlayer::Stopped);
      EXPECT_EQ(e.playResult, S_OK);
      previousEnd = MEUnknown;
      ++ends;
    }
  }
  EXPECT_GE(ends, 3);
  EXPECT_GE(LogCount("Media session ended"), 3);
  // Opening started once, each loop started again.
  EXPECT_GE(LogCount("Start media session"), 1 + 3);
  EXPECT_EQ(player()->GetState(), CPlayer::Started);
}

TEST_F(PlayerTest, PausesResumesAndRefusesByState) {
  ASSERT_TRUE(OpenAndStart(window, ResumableClip()));
  EXPECT_EQ(player()->Play(), MF_E_INVALIDREQUEST);  // Started
  EXPECT_EQ(player()->Resume(), S_FALSE);            // Started

  window.loop = false;
  ASSERT_EQ(player()->Pause(), S_OK);
  EXPECT_EQ(player()->GetState(), CPlayer::Paused);
  EXPECT_EQ(player()->Pause(), MF_E_INVALIDREQUEST);
  EXPECT_TRUE(LogHas("Pause"));

  // Paused for longer than the clip: the presentation must not reach its end meanwhile.
  const int endsBefore = window.Count(MEEndOfPresentation);
  window.PumpFor(1500);
  EXPECT_EQ(window.Count(MEEndOfPresentation), endsBefore);
  EXPECT_EQ(player()->GetState(), CPlayer::Paused);

  ASSERT_EQ(player()->Resume(), S_OK);
  EXPECT_EQ(player()->GetState(), CPlayer::Started);
  EXPECT_TRUE(LogHas("Resume"));
  // From where it stopped, it plays on to the end.
  EXPECT_TRUE(window.WaitFor(MEEndOfPresentation, endsBefore + 1, 10000));
  EXPECT_TRUE(window.WaitFor(MESessionEnded, 1, 5000));
  EXPECT_EQ(player()->GetState(), CPlayer::Stopped);

  // Play from Paused restarts from the beginning as well.
  ASSERT_EQ(player()->Play(), S_OK);
  ASSERT_EQ(player()->Pause(), S_OK);
  EXPECT_EQ(player()->Play(), S_OK);
  EXPECT_EQ(player()->GetState(), CPlayer::Started);
}

// Closed at the end of the file: Wine 8's video renderer can deadlock when a session is
// closed with frames in flight (audio-only files are closed while playing below).
TEST_F(PlayerTest, ClosesWithinTheWaitAndForgetsTheFile) {
  window.loop = false;
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  ASSERT_TRUE(window.WaitFor(MESessionEnded, 1, 10000));
  EXPECT_EQ(player()->GetState(), CPlayer::Stopped);
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(player()->CloseSession(), S_OK);
  const ULONGLONG took = GetTickCount64() - before;
  EXPECT_LT(took, 5000u);
  EXPECT_EQ(player()->GetState(), CPlayer::Closed);
  EXPECT_FALSE(player()->HasSessionAndSource());
  EXPECT_FALSE(player()->HasDisplayControl());
  EXPECT_FALSE(player()->HasStreamVolume());
  EXPECT_TRUE(LogHas("Close media session"));
  EXPECT_FALSE(LogHas("CloseSession timed out"));

  // Events still in the queue from before the close change nothing.
  window.PumpFor(300);
  EXPECT_EQ(player()->GetState(), CPlayer::Closed);
  EXPECT_EQ(player()->Play(), MF_E_INVALIDREQUEST);
  EXPECT_EQ(player()->SetVolume(0.3f), E_FAIL);
  EXPECT_EQ(player()->CloseSession(), S_OK);  // again: nothing held
}

TEST_F(PlayerTest, OpeningAnotherFileClosesTheFirst) {
  window.loop = false;
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  ASSERT_TRUE(window.WaitFor(MESessionEnded, 1, 10000));  // see ClosesWithinTheWait...
  window.events.clear();
  ASSERT_TRUE(OpenAndStart(window, L"clip43.avi"));
  EXPECT_TRUE(LogHas("Close media session"));
  SIZE native{}, ratio{};
  ASSERT_EQ(player()->GetNativeVideoSize(&native, &ratio), S_OK);
  EXPECT_EQ(native.cx, 160);
  EXPECT_EQ(native.cy, 120);
}

// A video closed while it plays, and one closed just after its owner asked for a pause (the
// wallpaper's Remove): under Wine the session is paused and the renderer left to go still
// first, which the owner never hears of; the close then comes within its wait.
TEST_F(PlayerTest, APlayingVideoIsStilledBeforeItsClose) {
  window.loop = false;
  for (const bool ownerPaused : {false, true}) {
    SCOPED_TRACE(ownerPaused ? "paused by the owner just before" : "playing");
    ClearLog();
    window.events.clear();
    ASSERT_TRUE(OpenAndStart(window, L"long.avi"));
    window.PumpFor(500);
    if (ownerPaused) ASSERT_EQ(player()->Pause(), S_OK);
    const ULONGLONG before = GetTickCount64();
    EXPECT_EQ(player()->CloseSession(), S_OK);
    const ULONGLONG took = GetTickCount64() - before;
    EXPECT_LT(took, 2000u);
    EXPECT_FALSE(LogHas("CloseSession timed out"));
    EXPECT_FALSE(LogHas("Closing a video that did not pause"));
    int stilled = 0;
    for (const std::string& line : LogLines()) {
      if (line.find("Video paused for the close: ") != std::string::npos) ++stilled;
    }
    EXPECT_EQ(stilled, IsRunningOnWine() ? 1 : 0);
    EXPECT_EQ(LogCount("Pause"), ownerPaused ? 1 : 0);  // the close's own pause is not the owner's
    window.PumpFor(300);
    EXPECT_EQ(window.Count(MESessionPaused), 0);
    EXPECT_EQ(player()->GetState(), CPlayer::Closed);
  }
}

// --- Presentation -------------------------------------------------------------------------------

TEST_F(PlayerTest, VolumeOfAFileWithAudio) {
  // Between the topology's readiness and the start the channel count is not known yet.
  HRESULT beforeStart = E_UNEXPECTED;
  window.onEvent = [&](const HandledEvent& e) {
    if (e.type == MESessionTopologyStatus && player()->HasStreamVolume() && beforeStart == E_UNEXPECTED) {
      beforeStart = player()->SetVolume(0.25f);
    }
  };
  EXPECT_EQ(player()->SetVolume(0.25f), E_FAIL);  // nothing open
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  EXPECT_EQ(beforeStart, S_FALSE);

  float level = -1.0f;
  ASSERT_EQ(player()->GetVolume(&level), S_OK);
  EXPECT_EQ(level, 1.0f);

  ClearLog();
  EXPECT_EQ(player()->SetVolume(0.5f), S_OK);
  ASSERT_EQ(player()->GetVolume(&level), S_OK);
  EXPECT_FLOAT_EQ(level, 0.5f);
  EXPECT_EQ(player()->SetVolume(0.5f), S_FALSE);
  EXPECT_EQ(LogCount("SetVolume 0.50"), 1);
  EXPECT_EQ(player()->SetVolume(0.0f), S_OK);
  ASSERT_EQ(player()->GetVolume(&level), S_OK);
  EXPECT_EQ(level, 0.0f);
}

TEST_F(PlayerTest, SilentVideoHasNoVolume) {
  window.loop = false;
  ASSERT_TRUE(OpenAndStart(window, L"silent.avi"));
  EXPECT_TRUE(player()->HasDisplayControl());
  EXPECT_FALSE(player()->HasStreamVolume());
  EXPECT_EQ(player()->ChannelCount(), 0u);
  EXPECT_EQ(player()->SetVolume(0.5f), E_FAIL);
  float level = 0.0f;
  EXPECT_EQ(player()->GetVolume(&level), E_FAIL);
  EXPECT_TRUE(LogHas("Audio channels: 0"));
}

// An audio-only file plays; the calls that need a picture have no service.
class AudioOnlyTest : public PlayerTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(AudioOnlyTest, PlaysButHasNoPicture) {
  window.loop = false;
  ASSERT_TRUE(OpenAndStart(window, GetParam()));
  EXPECT_EQ(player()->GetState(), CPlayer::Started);
  EXPECT_FALSE(player()->HasDisplayControl());
  EXPECT_TRUE(player()->HasStreamVolume());
  EXPECT_EQ(player()->ChannelCount(), 2u);

  EXPECT_EQ(player()->SetStretched(true), E_FAIL);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.5f), E_FAIL);
  EXPECT_EQ(player()->SetVideoPosition(false, 0.5f, 0.5f), E_FAIL);
  UniqueGdiObject bitmap(CreateBitmap(8, 8, 1, 32, nullptr));
  EXPECT_EQ(player()->SetOverlay(0.5f, true, static_cast<HBITMAP>(bitmap.get())), E_FAIL);
  EXPECT_EQ(player()->SetOverlay(0.0f, false, nullptr), E_FAIL);
  int w = 0, h = 0;
  EXPECT_EQ(player()->GetCoverSize(RECT{0, 0, 320, 180}, &w, &h), E_FAIL);
  SIZE native{}, ratio{};
  EXPECT_EQ(player()->GetNativeVideoSize(&native, &ratio), E_FAIL);

  EXPECT_EQ(player()->SetVolume(0.4f), S_OK);

  // Closing while it plays returns within the wait.
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(player()->CloseSession(), S_OK);
  EXPECT_LT(GetTickCount64() - before, 5000u);
  EXPECT_EQ(player()->GetState(), CPlayer::Closed);
  EXPECT_FALSE(LogHas("CloseSession timed out"));
}

INSTANTIATE_TEST_SUITE_P(Player, AudioOnlyTest, ::testing::Values(L"tone.wav", L"tone.mp3"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                           return std::string(info.param[5] == L'w' ? "wav" : "mp3");
                         });

// H.264 mp4, the form users have, with and without sound: it opens, shows its size, covers and
// loops. (Under Wine its decoded video is offered as I420 first, which the renderer refuses:
// the player asks for NV12.)
class Mp4Test : public PlayerTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(Mp4Test, OpensShowsItsSizeCoversAndLoops) {
  const bool sound = std::wstring(GetParam()) == L"h264.mp4";
  // Looped only on Windows, and only with sound: under Wine 8 a video session started again
  // stalls (the wallpaper opens the file afresh there instead, tested with the wallpaper), and
  // closing a playing one can hang or corrupt the heap inside its decoder; after its end it
  // closes cleanly. A video without sound is not looped, as with the silent AVI.
  window.loop = sound && !IsRunningOnWine();
  ASSERT_TRUE(OpenAndStart(window, GetParam()));
  EXPECT_TRUE(LogHas("Open file: .mp4"));
  EXPECT_TRUE(player()->HasDisplayControl());
  EXPECT_EQ(player()->HasStreamVolume(), sound);
  SIZE native{}, ratio{};
  ASSERT_EQ(player()->GetNativeVideoSize(&native, &ratio), S_OK);
  EXPECT_EQ(native.cx, 160);
  EXPECT_EQ(native.cy, 90);
  ASSERT_TRUE(SUCCEEDED(player()->SetStretched(false)));
  int w = 0, h = 0;
  ASSERT_EQ(player()->GetCoverSize(RECT{0, 0, 180, 180}, &w, &h), S_OK);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 180);
  EXPECT_TRUE(SUCCEEDED(player()->SetVideoPosition(true, 0.5f, 0.5f)));  // S_FALSE: 16:9 needs no crop here
  if (IsRunningOnWine()) {
    // Logged once per run: by the first mp4 this process opens.
    const int chosen = LogCount("Video format NV12 chosen over I420");
    if (sound) {
      EXPECT_EQ(chosen, 1);
    } else {
      EXPECT_LE(chosen, 1);
    }
  }
  // The end of the 2 s clip: ended, and started again from its beginning. Under Wine 8 a
  // video-only H.264 session stops short of its end now and then (2 of 8 runs here): there the
  // silent clip's end is not awaited, and the window closes it after a reported pause.
  if (!sound && IsRunningOnWine()) return;
  ASSERT_TRUE(window.WaitFor(MESessionEnded, 1, 20000)) << "the clip never ended";
  if (window.loop) {
    EXPECT_TRUE(window.WaitFor(MESessionStarted, 2, 20000)) << "the clip did not start again";
  }
}

INSTANTIATE_TEST_SUITE_P(Player, Mp4Test, ::testing::Values(L"h264.mp4", L"h264-silent.mp4"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                           return std::string(std::wstring(info.param) == L"h264.mp4" ? "sound" : "silent");
                         });

TEST_F(PlayerTest, StretchComparesFirst) {
  ASSERT_TRUE(OpenAndStart(window, L"clip43.avi"));
  const HRESULT first = player()->SetStretched(false);
  // The renderer's initial mode decides whether the first call has anything to do.
  EXPECT_TRUE(first == S_OK || first == S_FALSE) << std::hex << first;
  EXPECT_EQ(player()->SetStretched(false), S_FALSE);
  ClearLog();
  EXPECT_EQ(player()->SetStretched(true), S_OK);
  EXPECT_EQ(player()->SetStretched(true), S_FALSE);
  EXPECT_EQ(LogCount("Set Stretched 1"), 1);

  // Stretched: the picture fills any rectangle exactly.
  int w = 0, h = 0;
  ASSERT_EQ(player()->GetCoverSize(RECT{0, 0, 320, 180}, &w, &h), S_OK);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 180);
  EXPECT_EQ(player()->SetStretched(false), S_OK);
  EXPECT_TRUE(LogHas("Set Stretched 0"));
}

TEST_F(PlayerTest, CoverSizeFollowsTheVideosProportions) {
  ASSERT_TRUE(OpenAndStart(window, L"clip43.avi"));
  ASSERT_TRUE(SUCCEEDED(player()->SetStretched(false)));
  const struct {
    RECT rect;
    HRESULT result;
    int width, height;
  } cases[] = {
      {{0, 0, 320, 180}, S_OK, 320, 240},     // 4:3 in 16:9: taller
      {{0, 0, 320, 240}, S_OK, 320, 240},     // same proportions
      {{100, 50, 220, 290}, S_OK, 320, 240},  // 120x240 portrait: wider
      {{0, 0, 0, 180}, E_FAIL, 0, 0},        {{0, 0, 320, 0}, E_FAIL, 0, 0},
      {{50, 0, 10, 100}, E_FAIL, 0, 0},  // negative width
  };
  for (const auto& c : cases) {
    int w = 0, h = 0;
    EXPECT_EQ(player()->GetCoverSize(c.rect, &w, &h), c.result) << c.rect.right - c.rect.left;
    if (c.result == S_OK) {
      EXPECT_EQ(w, c.width);
      EXPECT_EQ(h, c.height);
    }
  }
}

TEST_F(PlayerTest, VideoPositionCropsOnlyWhenCovering) {
  ASSERT_TRUE(OpenAndStart(window, L"clip43.avi"));  // 4:3 in a 320x180 window
  ASSERT_TRUE(SUCCEEDED(player()->SetStretched(false)));

  EXPECT_EQ(player()->SetVideoPosition(true, 1.5f, 0.5f), E_INVALIDARG);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, -0.1f), E_INVALIDARG);
  EXPECT_EQ(player()->SetVideoPosition(true, std::numeric_limits<float>::quiet_NaN(), 0.5f), E_INVALIDARG);

  ClearLog();
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.5f), S_OK);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.5f), S_FALSE);  // read back equal
  EXPECT_EQ(LogCount("Set Video Position: X: 0.50; Y: 0.50"), 1);
  // x has no effect on a picture cropped at top and bottom, y does.
  EXPECT_EQ(player()->SetVideoPosition(true, 0.0f, 0.5f), S_FALSE);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 1.0f), S_OK);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.0f), S_OK);

  // Leaving cover shows the whole picture again, once.
  EXPECT_EQ(player()->SetVideoPosition(false, 0.5f, 0.0f), S_OK);
  EXPECT_EQ(player()->SetVideoPosition(false, 9.0f, 9.0f), S_FALSE);
  // Back to cover at the same anchor: the crop is set again.
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.0f), S_OK);

  // Stretched, the cover is the window itself: nothing to crop.
  ASSERT_EQ(player()->SetStretched(true), S_OK);
  EXPECT_EQ(player()->SetVideoPosition(true, 0.5f, 0.5f), S_FALSE);
}

TEST_F(PlayerTest, VideoWithTheWindowsProportionsNeedsNoCrop) {
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));  // 16:9 in 320x180
  ASSERT_TRUE(SUCCEEDED(player()->SetStretched(false)));
  int w = 0, h = 0;
  ASSERT_EQ(player()->GetCoverSize(RECT{0, 0, 320, 180}, &w, &h), S_OK);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 180);
  ClearLog();
  EXPECT_EQ(player()->SetVideoPosition(true, 0.0f, 1.0f), S_FALSE);
  EXPECT_FALSE(LogHas("Set Video Position: X: 0.00; Y: 1.00"));
}

TEST_F(PlayerTest, OverlayArguments) {
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  EXPECT_EQ(player()->SetOverlay(0.5f, true, nullptr), E_INVALIDARG);

  UniqueGdiObject bitmap(CreateBitmap(320, 180, 1, 32, nullptr));
  ClearLog();
  const HRESULT cleared = player()->SetOverlay(0.0f, false, nullptr);
  const HRESULT set = player()->SetOverlay(0.5f, true, static_cast<HBITMAP>(bitmap.get()));
  if (IsRunningOnWine()) {
    // Wine's session gives no mixer service: the overlay has nothing to work with.
    EXPECT_EQ(cleared, E_FAIL);
    EXPECT_EQ(set, E_FAIL);
    EXPECT_TRUE(LogLines().empty() || !LogHas("SetAlphaBitmap enable: 0"));
  } else {
    // Never set: clearing has nothing to do and logs nothing.
    EXPECT_EQ(cleared, S_FALSE);
    EXPECT_FALSE(LogHas("SetAlphaBitmap enable: 0"));
    EXPECT_EQ(set, S_OK);
    EXPECT_EQ(player()->SetOverlay(0.5f, true, static_cast<HBITMAP>(bitmap.get())), S_FALSE);
    EXPECT_EQ(player()->SetOverlay(0.0f, false, nullptr), S_OK);
    EXPECT_TRUE(LogHas("SetAlphaBitmap enable: 0"));
  }
}

// --- Paths and bad files --------------------------------------------------------------------------

TEST_F(PlayerTest, NoPathLogsNoExtAndFails) {
  for (const wchar_t* path : {static_cast<const wchar_t*>(nullptr), L""}) {
    ClearLog();
    const HRESULT hr = player()->OpenURL(path);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(player()->GetState(), CPlayer::Closed);
    EXPECT_TRUE(LogHas("Open file: No Ext"));
    EXPECT_TRUE(LogHas(Hex("OpenURL failed. Error 0x%08X", hr)));
  }
}

TEST_F(PlayerTest, NoExtensionLogsAnEmptyExtension) {
  window.loop = false;
  const HRESULT hr = player()->OpenURL(Fixture(L"clip").c_str());
  EXPECT_TRUE(LogHas("Open file: ")) << "lines: " << LogLines().size();
  EXPECT_FALSE(LogHas("Open file: No Ext"));
  if (SUCCEEDED(hr)) {
    // The content decides: a raw AVI without its extension still plays.
    EXPECT_TRUE(window.WaitFor(MESessionStarted, 1, kStartMs));
  } else {
    EXPECT_EQ(player()->GetState(), CPlayer::Closed);
    EXPECT_TRUE(LogHas(Hex("OpenURL failed. Error 0x%08X", hr)));
  }
}

TEST_F(PlayerTest, NonAsciiPathPlays) {
  window.loop = false;
  ASSERT_TRUE(OpenAndStart(window, L"cl\u00efp-\u65e5\u672c.avi"));
  EXPECT_TRUE(player()->HasDisplayControl());
}

struct BadFile {
  const char* name;
  const wchar_t* file;
};

class BadFileTest : public PlayerTest, public ::testing::WithParamInterface<BadFile> {};

// A file that cannot be played fails with a logged code, leaves the player closed, and the
// next good file plays on the same player.
TEST_P(BadFileTest, FailsThenTheNextGoodFilePlays) {
  const HRESULT hr = player()->OpenURL(Fixture(GetParam().file).c_str());
  EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
  EXPECT_EQ(player()->GetState(), CPlayer::Closed);
  EXPECT_TRUE(LogHas(Hex("OpenURL failed. Error 0x%08X", hr)));
  window.PumpFor(200);  // whatever the failed session still reports changes nothing
  EXPECT_EQ(player()->GetState(), CPlayer::Closed);

  ClearLog();
  window.events.clear();
  ASSERT_TRUE(OpenAndStart(window, L"clip.avi"));
  EXPECT_TRUE(LogHas("Close media session"));  // the failed open's session is closed first
}

INSTANTIATE_TEST_SUITE_P(Player, BadFileTest,
                         ::testing::Values(BadFile{"missing", L"missing.mp4"}, BadFile{"zero_bytes", L"empty.mp4"},
                                           BadFile{"text_named_mp4", L"text.mp4"}, BadFile{"folder", L"folder.mp4"},
                                           BadFile{"missing_non_ascii", L"\u00e9t\u00e9-\u65e5\u672c.mp4"}),
                         [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

}  // namespace
