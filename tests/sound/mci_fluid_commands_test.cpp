// The music device's answers to the text commands, with no synthesiser behind it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "sound/mci_command.h"
#include "sound/mci_fluid.h"
#include "sound/midi_bytes.h"
#include "support/fakes.h"

namespace porukami {
namespace {

class FluidMciCommandsTest : public ::testing::Test {
 protected:
  static FluidMciDevice::Options Silent() {
    FluidMciDevice::Options o;
    o.output = FluidMciDevice::Output::kOffline;
    o.soundfont = "/nonexistent/none.sf2";
    return o;
  }
  void SetUp() override {
    content.Raw("my game/bgm.mid", testing::MidiFile({{0, 240, 60}}, 480));
    content.Raw("notes.mid", "This is not a sequence.\r\n");
  }
  std::uint32_t Send(const std::string& command) { return device.SendString(command, nullptr, 0); }
  std::uint32_t Open(const std::string& path) { return Send("open \"" + path + "\" alias MIDI"); }
  // The mode as the game asks for it: 16 spaces, length 15.
  std::string Mode(std::uint32_t* error = nullptr) {
    std::array<char, 17> reply{};
    reply.fill(' ');
    reply[16] = '\0';
    const std::uint32_t e = device.SendString("status MIDI mode", reply.data(), 15);
    if (error != nullptr) *error = e;
    return reply.data();
  }

  testing::TempContent content;
  std::string dir = content.dir().string();
  std::string bgm = dir + "/my game/bgm.mid";
  FluidMciDevice device{Silent()};
};

TEST_F(FluidMciCommandsTest, NothingOpenOrNoSuchCommand) {
  std::uint32_t error = 0;
  EXPECT_EQ(Mode(&error), std::string(16, ' ')) << "the reply is left alone";
  EXPECT_EQ(error, kMciErrInvalidDeviceName);
  EXPECT_EQ(Send("close MIDI notify"), kMciErrInvalidDeviceName);
  EXPECT_EQ(Send("fly MIDI"), kMciErrUnrecognizedCommand);
  EXPECT_EQ(Send(" \t"), kMciErrMissingCommandString);
}

TEST_F(FluidMciCommandsTest, OpenChecksTheFileAndTheAlias) {
  EXPECT_EQ(Open(dir + "/absent.mid"), kMciErrFileNotFound);
  EXPECT_EQ(Open(dir + "/notes.mid"), kMciErrInvalidFile);
  EXPECT_EQ(Open(dir), kMciErrInvalidFile) << "a folder";
  std::uint32_t error = 0;
  Mode(&error);
  EXPECT_EQ(error, kMciErrInvalidDeviceName) << "a failed open leaves nothing open";

  EXPECT_EQ(Open(bgm), kMciOk);
  EXPECT_EQ(Open(bgm), kMciErrDuplicateAlias);
  EXPECT_EQ(Send("close MIDI notify"), kMciOk);
  Mode(&error);
  EXPECT_EQ(error, kMciErrInvalidDeviceName) << "closed";
}

TEST_F(FluidMciCommandsTest, PathsWithSpacesAndBackslashSeparators) {
  EXPECT_EQ(Open(dir + "\\my game\\bgm.mid"), kMciOk);
  EXPECT_EQ(Send("close MIDI"), kMciOk);
  std::string allBackslashes = bgm;
  std::replace(allBackslashes.begin(), allBackslashes.end(), '/', '\\');
  EXPECT_EQ(Open(allBackslashes), kMciOk);
  EXPECT_EQ(Send("close MIDI"), kMciOk);
  EXPECT_EQ(Send("open \"" + bgm + " alias MIDI"), kMciErrNoClosingQuote);
}

TEST_F(FluidMciCommandsTest, ModeFollowsTheCommands) {
  ASSERT_EQ(Open(bgm), kMciOk);
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(Send("play MIDI notify"), kMciOk);
  EXPECT_EQ(Mode(), "playing");
  EXPECT_EQ(Send("stop MIDI notify"), kMciOk);
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(Send("PLAY midi FROM 0 WAIT"), kMciOk) << "keywords and alias in any case";
  EXPECT_EQ(Mode(), "playing");
  EXPECT_EQ(Send("seek MIDI to start"), kMciOk);
  EXPECT_EQ(Mode(), "stopped") << "seeking stops";
  EXPECT_EQ(Send("play MIDI from 5"), kMciErrOutOfRange);
  EXPECT_EQ(Send("play OTHER from 5"), kMciErrInvalidDeviceName) << "the name is checked first";
  EXPECT_EQ(Mode(), "stopped") << "failed commands change nothing";

  std::array<char, 8> small{};
  small.fill('x');
  EXPECT_EQ(device.SendString("status MIDI mode", small.data(), 4), kMciErrParamOverflow);
  EXPECT_EQ(std::string(small.data(), 5), std::string("sto\0x", 5));
}

// Any text, any reply length: nothing is written past the length, and a reply ends in a NUL.
TEST_F(FluidMciCommandsTest, SurvivesArbitraryCommands) {
  const std::vector<std::string> words = {"open",
                                          "close",
                                          "play",
                                          "stop",
                                          "seek",
                                          "status",
                                          "MIDI",
                                          "all",
                                          "alias",
                                          "from",
                                          "to",
                                          "start",
                                          "end",
                                          "mode",
                                          "0",
                                          "-1",
                                          "wait",
                                          "type",
                                          "\"",
                                          "\\",
                                          "sequencer",
                                          "\"" + bgm + "\"",
                                          std::string(1, '\0'),
                                          "99999999999999999999"};
  std::mt19937 gen(12345);  // fixed, so that a failure repeats
  for (int round = 0; round < 3000; ++round) {
    std::string command;
    for (int i = static_cast<int>(gen() % 7); i > 0; --i) {
      command +=
          (gen() % 8 == 0) ? std::string(1, static_cast<char>(gen())) : words[gen() % words.size()];
      if (gen() % 4 != 0) command += ' ';
    }
    std::array<char, 24> buffer{};
    buffer.fill('#');
    const std::uint32_t len = gen() % 9;
    device.SendString(command, buffer.data(), len);
    const std::string written(buffer.data(), len);
    ASSERT_EQ(std::string(buffer.data() + len, buffer.size() - len), std::string(24 - len, '#'))
        << command;
    ASSERT_TRUE(written == std::string(len, '#') || written.find('\0') != std::string::npos)
        << command;
  }
}

}  // namespace
}  // namespace porukami
