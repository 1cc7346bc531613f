// Whether another program is heard on the default audio output: the rule over the output's
// audio sessions, and what the detector's thread watches, both without the platform so the
// rule and the thread's checks run in plain tests.
#pragma once
#include <cstdint>
#include <optional>

namespace app {

// The audio sessions of one output device, by index from 0. Every read may fail (nullopt):
// the platform answers per session, and a session can end while it is being read.
class AudioSessions {
 public:
  virtual ~AudioSessions() = default;
  // How many sessions there are; nullopt when the session list cannot be had.
  virtual std::optional<int> Count() = 0;
  // The session's peak level, 0..1; nullopt when its control or meter cannot be had or read.
  virtual std::optional<float> Peak(int index) = 0;
  // The process the session plays for; nullopt when it cannot be read.
  virtual std::optional<uint32_t> ProcessId(int index) = 0;
};

// True when a session of another process than ownPid is heard (its peak is above zero).
// Sessions that cannot be read are passed over; the process id is read only for a session
// that is heard. Our own sound never counts, however loud.
bool IsOtherAudioPlaying(AudioSessions& sessions, uint32_t ownPid);

// The default output as the detector's thread sees it. Made, used and destroyed on that thread.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Takes the current default output (again); false when it cannot be had.
  virtual bool Open() = 0;
  // Whether the default output changed since the last Open.
  virtual bool DefaultChanged() = 0;
  // The sessions of the output opened last (only after an Open that succeeded).
  virtual AudioSessions& Sessions() = 0;
};

// One check of the detector: opens the output again when its default changed or the last
// open failed (opened keeps that), then decides. An output that cannot be had hears nothing.
bool CheckOtherAudio(AudioOutput& output, bool& opened, uint32_t ownPid);

}  // namespace app
