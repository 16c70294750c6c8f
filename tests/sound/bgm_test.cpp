// The music procedures and the loop, against a device that records what it is sent.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Frm.h"
#include "sound/mci.h"
#include "support/fakes.h"

namespace porukami {
namespace {

struct RecordingDevice : MciDevice {
  std::uint32_t SendString(const std::string& command, char* reply, std::uint32_t len) override {
    commands.push_back(command);
    if (command.rfind("status", 0) == 0 && !mode.empty()) std::strncpy(reply, mode.c_str(), len);
    return mode.empty() ? kMciErrInvalidDeviceName : kMciOk;
  }
  std::vector<std::string> commands;
  std::string mode = "playing";  // empty: nothing open, every command fails
};

class BgmTest : public ::testing::Test {
 protected:
  void SetUp() override { 共用関数::SetMciDevice(&device); }
  void TearDown() override {
    共用関数::SetMciDevice(nullptr);
    共用関数::MusicOn = saved;
  }
  RecordingDevice device;
  std::int16_t saved = 共用関数::MusicOn;
};

TEST_F(BgmTest, ProceduresSendTheirCommandTexts) {
  共用関数::MusicOn = 0;
  共用関数::BgmPlay();  // music off: nothing
  共用関数::MusicOn = -1;
  共用関数::BgmOpen("/home/u/my game\\bgm.mid");
  共用関数::BgmPlay();
  共用関数::BgmStop();
  EXPECT_EQ(
      device.commands,
      (std::vector<std::string>{"close MIDI notify", "open \"/home/u/my game\\bgm.mid\" alias MIDI",
                                "play MIDI notify", "stop MIDI notify"}));
}

TEST_F(BgmTest, TheLoopRestartsOnAStoppedReplyInAnyCase) {
  testing::FakeHost host;
  testing::FakeRandom random;
  Frm frm(host, random);
  共用関数::MusicOn = -1;
  const std::vector<std::string> query = {"status MIDI mode"};
  const std::vector<std::string> restart = {"status MIDI mode", "seek MIDI to start",
                                            "play MIDI from 0"};
  struct Case {
    const char* mode;  // "": nothing open, the reply keeps its spaces
    bool restarts;
  };
  for (const Case& c : {Case{"stopped", true}, Case{"STOPPED", true}, Case{"sToPpEd more", true},
                        Case{"playing", false}, Case{"stoppe", false}, Case{"", false}}) {
    device.commands.clear();
    device.mode = c.mode;
    frm.BgmTim_Timer();
    EXPECT_EQ(device.commands, c.restarts ? restart : query) << '"' << c.mode << '"';
  }
}

}  // namespace
}  // namespace porukami
