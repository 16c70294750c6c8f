#include "sound/mci.h"

namespace 共用関数 {

std::int16_t MusicOn = 0;

namespace {
porukami::MciDevice* g_device = nullptr;
}

void SetMciDevice(porukami::MciDevice* device) {
  g_device = device;
}
porukami::MciDevice* GetMciDevice() {
  return g_device;
}

std::uint32_t mciSendString(const std::string& command, char* reply, std::uint32_t replyLen) {
  if (!g_device) return porukami::kMciErrCannotLoadDriver;
  return g_device->SendString(command, reply, replyLen);
}

void BgmOpen(const std::string& path) {
  // Releases a sequence opened earlier under the same alias; fails harmlessly at start-up.
  mciSendString("close MIDI notify", nullptr, 0);
  mciSendString("open \"" + path + "\" alias MIDI", nullptr, 0);
}

void BgmPlay() {
  if (MusicOn == -1) mciSendString("play MIDI notify", nullptr, 0);
}

void BgmStop() {
  mciSendString("stop MIDI notify", nullptr, 0);
}

}  // namespace 共用関数
