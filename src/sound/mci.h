#pragma once
// The media control interface the music module talks to: text commands in, an error code (0 for
// success) and an optional reply out. The game sends only these commands:
//   close MIDI notify | open "PATH" alias MIDI | play MIDI notify | play MIDI from 0
//   stop MIDI notify  | seek MIDI to start     | status MIDI mode
#include <cstdint>
#include <functional>
#include <string>

namespace porukami {

class MciDevice {
 public:
  virtual ~MciDevice() = default;
  // Runs one command. For "status ... mode" the reply (for example "stopped" or "playing") is
  // written into `reply`, at most replyLen - 1 characters, as the platform's call did.
  virtual std::uint32_t SendString(const std::string& command, char* reply,
                                   std::uint32_t replyLen) = 0;
  // Called (from any thread) when an open sequence has played to its end. A front end may use it
  // to deliver the music timer's tick at once instead of polling.
  virtual void SetEndListener(std::function<void()> /*listener*/) {}
  // Tells a device that defers loading its sound engine that the program has started and the
  // engine may be loaded now. Commands are accepted before that either way.
  virtual void BeginLoading() {}
};

// Error codes answered like the platform's.
inline constexpr std::uint32_t kMciOk = 0;
inline constexpr std::uint32_t kMciErrUnrecognizedCommand = 261;
inline constexpr std::uint32_t kMciErrInvalidDeviceName = 263;
inline constexpr std::uint32_t kMciErrFileNotFound = 275;
inline constexpr std::uint32_t kMciErrDuplicateAlias = 289;
inline constexpr std::uint32_t kMciErrCannotLoadDriver = 266;
inline constexpr std::uint32_t kMciErrMissingParameter = 273;
inline constexpr std::uint32_t kMciErrBadInteger = 270;
inline constexpr std::uint32_t kMciErrInvalidFile = 296;

}  // namespace porukami

// The standard module of the music procedures.
namespace 共用関数 {

// -1 while the music is on. Start-up sets it; nothing changes it afterwards.
extern std::int16_t MusicOn;

void BgmOpen(const std::string& path);
void BgmPlay();
void BgmStop();

// Sends a command to the installed device; with none installed every command fails with
// kMciErrCannotLoadDriver and leaves the reply untouched.
std::uint32_t mciSendString(const std::string& command, char* reply, std::uint32_t replyLen);
// Installs the device (not owned); null removes it.
void SetMciDevice(porukami::MciDevice* device);
porukami::MciDevice* GetMciDevice();

}  // namespace 共用関数
