// The other-audio rule over an output's sessions.
#include "app/OtherAudio.h"

namespace app {

bool IsOtherAudioPlaying(AudioSessions& sessions, uint32_t ownPid) {
  const std::optional<int> count = sessions.Count();
  if (!count) return false;
  for (int i = 0; i < *count; ++i) {
    const std::optional<float> peak = sessions.Peak(i);
    if (!peak || !(*peak > 0.0f)) continue;
    const std::optional<uint32_t> pid = sessions.ProcessId(i);
    if (pid && *pid != ownPid) return true;
  }
  return false;
}

bool CheckOtherAudio(AudioOutput& output, bool& opened, uint32_t ownPid) {
  // Asked every time, so a change seen while the output could not be had is not kept for later.
  const bool changed = output.DefaultChanged();
  if (changed || !opened) opened = output.Open();
  return opened && IsOtherAudioPlaying(output.Sessions(), ownPid);
}

}  // namespace app
