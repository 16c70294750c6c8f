#include <cstring>

#include "app/Frm.h"
#include "sound/mci.h"
#include "text/utf8.h"

namespace porukami {

// Restarts the music as soon as the sequencer reports that it has stopped at the end.
void Frm::BgmTim_Timer() {
  char reply[17];
  std::memset(reply, ' ', 16);
  reply[16] = '\0';
  共用関数::mciSendString("status MIDI mode", reply, 15);
  const bool stopped = text::AsciiUpper(std::string_view(reply, 7)) == "STOPPED";
  if (stopped && 共用関数::MusicOn == -1) {
    共用関数::mciSendString("seek MIDI to start", nullptr, 0);
    共用関数::mciSendString("play MIDI from 0", nullptr, 0);
  }
}

}  // namespace porukami
