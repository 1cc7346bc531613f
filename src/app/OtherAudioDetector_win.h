// The other-audio detector: a thread that watches the default audio output and posts
// WM_APP_OTHER_AUDIO (wParam 1: another program is heard, 0: none) to a window at every check.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "app/OtherAudio.h"
#include "base/Handles_win.h"

// Makes the output the thread watches; called on the thread, inside its COM apartment.
using AudioOutputMaker = std::function<std::unique_ptr<app::AudioOutput>()>;
// The system's default render output (multimedia role), followed when the user's default changes.
std::unique_ptr<app::AudioOutput> MakeDefaultAudioOutput();

class COtherAudioDetector {
 public:
  static constexpr DWORD kPollMs = 5000;
  static constexpr DWORD kStopWaitMs = 3000;

  explicit COtherAudioDetector(DWORD pollMs = kPollMs, AudioOutputMaker makeOutput = MakeDefaultAudioOutput,
                               DWORD stopWaitMs = kStopWaitMs);
  ~COtherAudioDetector();
  COtherAudioDetector(const COtherAudioDetector&) = delete;
  COtherAudioDetector& operator=(const COtherAudioDetector&) = delete;

  // Starts the thread reporting to target. True when it started, or when a thread is already
  // recorded (then nothing changes, even if that thread has ended because the output could
  // not be had); false when it could not be started.
  bool Start(HWND target);
  // Asks the thread to end and waits for it a bounded time; a thread stuck in an audio call
  // is let go (it posts nothing more and frees what it holds when it ends). No thread is
  // recorded afterwards.
  void Stop();
  // A thread is recorded: started and not stopped since.
  bool Running() const { return static_cast<bool>(thread_); }

  struct Shared;  // what the thread holds, shared with this object

 private:
  DWORD pollMs_;
  AudioOutputMaker makeOutput_;
  DWORD stopWaitMs_;
  std::shared_ptr<Shared> shared_;
  UniqueHandle thread_;
};
