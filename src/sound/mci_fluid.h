#pragma once
// The music device: the media control interface's text commands over the FluidSynth software
// synthesiser and a General MIDI soundfont.
//
// The synthesiser and its soundfont are loaded on a thread of their own, so constructing the
// device and sending it commands never waits for them; a "play" sent before they are ready takes
// effect when they are. Commands are answered at once on the calling thread and carried out by
// the thread that renders the sound, at the start of its next block.
//
// "status ALIAS mode" answers "playing" or "stopped". It answers "stopped" from the block in
// which the sequence reaches its last tick (the synthesiser's own player would report the end
// only seconds later) and calls the end listener then, on the rendering thread. Playing to a sound
// output, the next block then waits up to 20 ms for a "play": a restart sent at once from the
// game's thread lands where the end was, although the sound server takes blocks in bursts.
//
// When no soundfont or no sound output can be had, the device still accepts every command and
// answers as if it played, but the sequence never advances: a piece that was started stays
// "playing", silently, and nothing is printed. FluidSynth's messages are kept in memory
// (RecentLog) and ALSA's error printer is silenced.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound/mci.h"

namespace porukami {

class FluidMciDevice : public MciDevice {
 public:
  enum class Output {
    kAudioDevice,  // the system's sound output through a FluidSynth audio driver
    kNullClock,    // rendered in real time on a thread of the device's own, then discarded
    kOffline,      // rendered only by RenderOffline
  };

  enum class Backend { kLoading, kReady, kUnavailable };

  struct Options {
    Output output = Output::kAudioDevice;
    // Empty: $PORUKAMI_SOUNDFONT if set, otherwise the first existing built-in path.
    std::string soundfont;
    // Empty: $PORUKAMI_AUDIO_DRIVER if set, otherwise "pulseaudio", then "alsa".
    std::string audioDriver;
    int sampleRate = 44100;
    // Frames per rendered block (the audio driver's period). The end is reported after the block
    // that ends nearest to it and a restart takes effect at the next block, so the loop point is
    // off by at most half a block plus the player's 1 ms clock (256 frames: 2.9 + 1 ms). Fewer
    // frames cost more wake-ups (64 frames: about 0.5 % more of a core).
    int periodFrames = 256;
    // Loading FluidSynth and its soundfont keeps a core busy for tens of milliseconds and holds
    // the dynamic loader's lock. A program that starts a window may defer it until its first
    // frame is up: the loading then begins at BeginLoading(), or kDeferLimit after construction
    // at the latest.
    bool deferLoading = false;
  };
  static constexpr std::chrono::milliseconds kDeferLimit{2000};
  // The synthesiser's output gain, the music's level. FluidSynth's default of 0.2 plays the demo
  // music with TimGM6mb at -39 dBFS RMS (peaks -24 dBFS), far quieter than other programs; 1.8
  // (+19 dB) brings it to -20 dBFS RMS over the whole piece with its loudest sample at -4.5 dBFS,
  // headroom for a louder piece. Measured on a PulseAudio null sink (tests/qt/sound_server.sh).
  static constexpr double kSynthGain = 1.8;

  FluidMciDevice();
  explicit FluidMciDevice(Options options);
  ~FluidMciDevice() override;
  FluidMciDevice(const FluidMciDevice&) = delete;
  FluidMciDevice& operator=(const FluidMciDevice&) = delete;

  // One alias at a time. Open reads and checks the file at once (kMciErrFileNotFound,
  // kMciErrInvalidFile); "\" in its path is taken as "/".
  std::uint32_t SendString(const std::string& command, char* reply,
                           std::uint32_t replyLen) override;
  // The listener runs on the rendering thread (the audio driver's, the clock's, or the caller of
  // RenderOffline) each time a playing sequence reaches its end, after the mode has become
  // "stopped". It may send commands to the device, but must not wait for the thread that
  // destroys it.
  void SetEndListener(std::function<void()> listener) override;
  void BeginLoading() override;

  Backend backend() const;
  // Waits up to `timeout` for the loading to finish; true when the device can make sound.
  bool WaitForBackend(std::chrono::milliseconds timeout) const;

  // kOffline only: carries out the commands sent since the last call, then renders `frames`
  // stereo frames (the player advances with them) and reports an end reached in them. Returns
  // false, with silence written, while the device is not ready or renders by itself.
  bool RenderOffline(float* left, float* right, int frames);

  int sampleRate() const;

  // The latest messages of FluidSynth, oldest first (at most 64).
  static std::vector<std::string> RecentLog();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace porukami
