// Shared pieces of the Windows media tests (player and wallpaper): the generated media
// fixtures, the log lines the program writes, and a message pump with a deadline.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace mediakit {

// Finds or makes the media fixtures (tools/fixtures/make-fixtures.sh) in media-fixtures beside
// the test program: ctest's setup entry makes them there once for every case; a program run by
// hand without them generates them through Wine's Unix process support. False when there are none.
bool PrepareFixtures();
// Folder of the fixtures (with a trailing backslash) and one fixture's path.
const std::wstring& FixtureDir();
std::wstring Fixture(const wchar_t* name);
// A clip to pause and resume: clip.avi, or under Wine tone.wav. Wine 8's video renderer,
// paused and started again, asks for no more samples: the video never presents another frame,
// never reaches its end and never completes its close (measured here). Pause and resume do
// not depend on the kind of media, and Wine's audio renderer pauses and resumes properly.
const wchar_t* ResumableClip();

// Sends the program's log, at Debug, to memory (and to stderr when QENDOR_TEST_ECHO is set).
void StartLogCapture(settings::SettingsStore& store);
// Log lines written since the last ClearLog, compared by their message part.
void ClearLog();
std::vector<std::string> LogLines();
int LogCount(const std::string& message);
inline bool LogHas(const std::string& message) { return LogCount(message) > 0; }

// Pumps this thread's messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Pumps for a fixed time (to show that something does NOT happen).
void PumpFor(DWORD ms);

}  // namespace mediakit
