// The other-audio rule: which sessions of the default output count as another program heard,
// and when the detector opens the output again.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/OtherAudio.h"

namespace {

constexpr uint32_t kOwnPid = 100;

// One scripted session: nullopt where its read fails.
struct Session {
  std::optional<float> peak;
  std::optional<uint32_t> pid;
};

// Sessions read from a script; records which process ids were asked for.
class ScriptedSessions : public app::AudioSessions {
 public:
  ScriptedSessions(bool hasList, std::vector<Session> sessions) : hasList_(hasList), sessions_(std::move(sessions)) {}
  std::optional<int> Count() override {
    if (!hasList_) return std::nullopt;
    return static_cast<int>(sessions_.size());
  }
  std::optional<float> Peak(int index) override { return sessions_.at(index).peak; }
  std::optional<uint32_t> ProcessId(int index) override {
    pidAsked.push_back(index);
    return sessions_.at(index).pid;
  }
  std::vector<int> pidAsked;

 private:
  bool hasList_;
  std::vector<Session> sessions_;
};

TEST(OtherAudio, HeardOnlyForAnotherProcessAboveSilence) {
  const std::optional<float> failed;
  const std::optional<uint32_t> noPid;
  struct Case {
    const char* name;
    bool hasList;
    std::vector<Session> sessions;
    bool playing;
    std::vector<int> pidAsked;  // the sessions whose process id is read, in order
  } cases[] = {
      {"no session list", false, {}, false, {}},
      {"no sessions", true, {}, false, {}},
      {"our own sound, loud", true, {{1.0f, kOwnPid}}, false, {0}},
      {"another process, silent", true, {{0.0f, 200}}, false, {}},
      {"another process, loud", true, {{0.25f, 200}}, true, {0}},
      {"another process, barely heard", true, {{1e-6f, 200}}, true, {0}},
      {"a meter that fails, then another process loud", true, {{failed, 200}, {0.5f, 300}}, true, {1}},
      {"a process id that fails", true, {{0.5f, noPid}}, false, {0}},
      {"a process id that fails, then another process loud", true, {{0.5f, noPid}, {0.5f, 300}}, true, {0, 1}},
      {"ours loud, then another loud", true, {{0.9f, kOwnPid}, {0.1f, 200}}, true, {0, 1}},
      {"silent sessions around ours", true, {{0.0f, 200}, {0.7f, kOwnPid}, {0.0f, 300}}, false, {1}},
      {"the search stops at the first heard", true, {{0.3f, 200}, {0.3f, 300}}, true, {0}},
  };
  for (const Case& c : cases) {
    ScriptedSessions sessions(c.hasList, c.sessions);
    EXPECT_EQ(app::IsOtherAudioPlaying(sessions, kOwnPid), c.playing) << c.name;
    EXPECT_EQ(sessions.pidAsked, c.pidAsked) << c.name;
  }
}

// An output whose opens succeed or fail from a script; the sessions hold another process, loud.
class ScriptedOutput : public app::AudioOutput {
 public:
  explicit ScriptedOutput(std::vector<bool> opens) : opens_(std::move(opens)) {}
  bool Open() override { return opens_.at(openCount++); }
  bool DefaultChanged() override { return std::exchange(changed, false); }
  app::AudioSessions& Sessions() override { return sessions_; }
  int openCount = 0;
  bool changed = false;

 private:
  std::vector<bool> opens_;
  ScriptedSessions sessions_{true, {{0.5f, 200}}};
};

TEST(OtherAudio, OutputOpenedAgainAfterADefaultChangeOrAFailedOpen) {
  ScriptedOutput output({true, true, false, false, true});
  bool opened = true;  // the thread's first open succeeded

  EXPECT_TRUE(app::CheckOtherAudio(output, opened, kOwnPid));
  EXPECT_EQ(output.openCount, 0) << "the same default: the output already open is used";

  output.changed = true;
  EXPECT_TRUE(app::CheckOtherAudio(output, opened, kOwnPid));
  EXPECT_EQ(output.openCount, 1) << "a new default is opened before the check";

  output.changed = true;
  EXPECT_TRUE(app::CheckOtherAudio(output, opened, kOwnPid));
  EXPECT_EQ(output.openCount, 2);

  output.changed = true;
  EXPECT_FALSE(app::CheckOtherAudio(output, opened, kOwnPid)) << "a new default that cannot be had hears nothing";
  EXPECT_FALSE(opened);
  EXPECT_FALSE(app::CheckOtherAudio(output, opened, kOwnPid)) << "tried again at the next check, without a change";
  EXPECT_EQ(output.openCount, 4);
  EXPECT_TRUE(app::CheckOtherAudio(output, opened, kOwnPid));
  EXPECT_EQ(output.openCount, 5);
  EXPECT_TRUE(opened);
}

}  // namespace
