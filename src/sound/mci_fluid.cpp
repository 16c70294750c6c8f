#include "sound/mci_fluid.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

#include "sound/fluid_api.h"
#include "sound/mci_command.h"
#include "sound/mci_midi_file.h"
#include "text/textfile.h"

#ifndef PORUKAMI_SOUNDFONTS
#define PORUKAMI_SOUNDFONTS ""
#endif

namespace porukami {

namespace {

constexpr std::size_t kMaxMidiBytes = 8u << 20;
constexpr std::size_t kLogLines = 64;
// FluidSynth asks PulseAudio to hold one period of sound ahead (256 frames, 5.8 ms), which a busy
// machine does not keep filled: on two cores under a load of 15 the music broke up every few
// tenths of a second, and still now and then with 40 ms. PulseAudio's own setting for the buffer
// of a program's streams gives it 100 ms, with which it did not. Commands still take effect at
// the next period rendered, so loop points keep their place; a stop is heard 100 ms later.
constexpr const char* kPulseLatencyMs = "100";
// The game answers an end with its restart from its own thread, and the server takes sound in
// bursts of several blocks: rendered on at once, the restart landed 8 to 20 ms late. With 100 ms
// held by the server, the block after an end can wait this long for the answer instead.
constexpr std::chrono::milliseconds kAnswerWait{20};

std::mutex g_logMutex;
std::deque<std::string> g_log;

void KeepLogLine(int /*level*/, const char* message, void* /*data*/) {
  const std::lock_guard lock(g_logMutex);
  g_log.emplace_back(message != nullptr ? message : "");
  if (g_log.size() > kLogLines) g_log.pop_front();
}

// ALSA prints its errors to stderr unless an error handler is installed. The library comes with
// FluidSynth; its handler is looked up at run time so that no ALSA headers are needed.
// NOLINTNEXTLINE(cert-dcl50-cpp): the handler's type is ALSA's, variadic.
extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Loads FluidSynth (once) and routes its messages and ALSA's into the log; null when it cannot
// be loaded, with the reason logged.
const FluidApi* LoadQuietFluidSynth() {
  std::string why;
  const FluidApi* fl = LoadFluidApi(&why);
  static std::once_flag once;
  std::call_once(once, [fl, &why] {
    if (fl == nullptr) {
      KeepLogLine(FLUID_ERR, why.c_str(), nullptr);
      return;
    }
    for (int level = 0; level < LAST_LOG_LEVEL; ++level) {
      fl->fluid_set_log_function(level, level == FLUID_DBG ? nullptr : KeepLogLine, nullptr);
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    // FluidSynth brought ALSA in privately; look it up there, never load it for this.
    if (void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD)) {
      if (void* symbol = dlsym(alsa, "snd_lib_error_set_handler")) {
        reinterpret_cast<SetHandler>(symbol)(IgnoreAlsaError);
      }
      dlclose(alsa);  // drops the count taken just now; FluidSynth keeps its own
    }
  });
  return fl;
}

std::vector<std::string> SplitList(std::string_view list) {
  std::vector<std::string> items;
  while (!list.empty()) {
    const std::size_t sep = list.find_first_of(":,");
    const std::string_view item = list.substr(0, sep);
    if (!item.empty()) items.emplace_back(item);
    if (sep == std::string_view::npos) break;
    list.remove_prefix(sep + 1);
  }
  return items;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read on the UI thread
  return (value != nullptr && *value != '\0') ? std::string(value) : fallback;
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::uint32_t WriteReply(char* reply, std::uint32_t replyLen, std::string_view text) {
  if (reply == nullptr || replyLen == 0) return kMciErrParamOverflow;
  const std::size_t n = std::min<std::size_t>(text.size(), replyLen - 1);
  std::memcpy(reply, text.data(), n);
  reply[n] = '\0';
  return n == text.size() ? kMciOk : kMciErrParamOverflow;
}

// Reads and checks the file named in an open command.
std::uint32_t LoadMidi(std::string path, std::string& bytes, MidiFileInfo& info) {
  path = text::AsWrittenOrNative(path);  // the game's own "\" taken as well
  std::error_code ec;
  if (path.empty() || path.find('\0') != std::string::npos) return kMciErrFileNotFound;
  const auto status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return kMciErrFileNotFound;
  if (!std::filesystem::is_regular_file(status)) return kMciErrInvalidFile;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxMidiBytes) return kMciErrInvalidFile;
  std::ifstream in(path, std::ios::binary);
  if (!in) return kMciErrFileNotFound;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad() || bytes.size() > kMaxMidiBytes) return kMciErrInvalidFile;
  const auto inspected = InspectMidiFile(bytes);
  if (!inspected) return kMciErrInvalidFile;
  info = *inspected;
  return kMciOk;
}

// An open file: its bytes, as the player is given them, and its timing.
struct Sequence {
  std::string bytes;
  int division = 0;
};

}  // namespace

class FluidMciDevice::Impl {
 public:
  explicit Impl(Options options);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  std::uint32_t Send(const std::string& command, char* reply, std::uint32_t replyLen);
  void SetListener(std::function<void()> listener);
  void BeginLoading();
  Backend backend() const { return backend_.load(std::memory_order_acquire); }
  bool WaitForBackend(std::chrono::milliseconds timeout) const;
  bool RenderOffline(float* left, float* right, int frames);
  int sampleRate() const { return options_.sampleRate; }

 private:
  void Load();
  void SetBackend(Backend state);
  bool OpenDriver();
  void RunClock();
  static int OnAudio(void* data, int len, int nfx, float* fx[], int nout, float* out[]);
  static int OnTick(void* data, int tick);

  // Rendering thread only.
  void RenderBlock(float* left, float* right, int frames);
  void ApplyCommands();
  bool EndsBeforeNextBlock(int frames);
  void ReportEnd();
  void CreatePlayer(int startTick);
  void DropPlayer();

  Options options_;
  std::vector<std::string> soundfonts_;  // candidates, first existing wins
  std::vector<std::string> drivers_;

  // What the commands asked for, guarded by mutex_. The mode answers "status"; the rest is
  // carried out by the rendering thread whenever `serial_` has moved on.
  mutable std::mutex mutex_;
  std::condition_variable commandSent_;
  bool open_ = false;
  std::string alias_;
  std::int64_t totalTicks_ = 0;
  bool playing_ = false;
  std::uint64_t serial_ = 0;
  std::uint64_t fileSerial_ = 0;
  std::shared_ptr<const Sequence> midi_;
  bool wantPlay_ = false;
  int seekTick_ = -1;  // -1: no seek asked for
  std::shared_ptr<const std::function<void()>> listener_;

  // Loading.
  std::atomic<Backend> backend_{Backend::kLoading};
  mutable std::mutex backendMutex_;
  mutable std::condition_variable backendChanged_;
  std::atomic<bool> quit_{false};
  bool mayLoad_ = false;  // guarded by backendMutex_
  std::thread loader_;
  std::thread clock_;
  // Set by the loader before the backend is published; the functions below are only called
  // once it is (every FluidSynth object below is made through it).
  const FluidApi* fl_ = nullptr;
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;

  // Rendering thread state.
  fluid_player_t* player_ = nullptr;
  std::shared_ptr<const Sequence> playerMidi_;
  std::int64_t renderedFrames_ = 0;  // sample n of the synthesiser is frame n of the output
  int synthBlock_ = 64;
  std::uint64_t appliedSerial_ = 0;
  std::uint64_t appliedFile_ = 0;
  int playerTotal_ = -1;
  bool endPassed_ = false;
  bool endReported_ = true;
};

FluidMciDevice::Impl::Impl(Options options) : options_(std::move(options)) {
  options_.sampleRate = std::clamp(options_.sampleRate, 8000, 96000);
  options_.periodFrames = std::clamp(options_.periodFrames, 64, 8192);
  soundfonts_ = options_.soundfont.empty()
                    ? SplitList(EnvOr("PORUKAMI_SOUNDFONT", PORUKAMI_SOUNDFONTS))
                    : std::vector<std::string>{options_.soundfont};
  drivers_ =
      SplitList(options_.audioDriver.empty() ? EnvOr("PORUKAMI_AUDIO_DRIVER", "pulseaudio:alsa")
                                             : options_.audioDriver);
  mayLoad_ = !options_.deferLoading;
  // Before the device's threads start; a value the user has set stays.
  if (options_.output == Output::kAudioDevice)
    setenv("PULSE_LATENCY_MSEC", kPulseLatencyMs, 0);  // NOLINT(concurrency-mt-unsafe)
  loader_ = std::thread([this] {
    {
      std::unique_lock lock(backendMutex_);
      backendChanged_.wait_for(lock, kDeferLimit, [this] { return mayLoad_ || quit_.load(); });
    }
    Load();
  });
}

void FluidMciDevice::Impl::BeginLoading() {
  {
    const std::lock_guard lock(backendMutex_);
    mayLoad_ = true;
  }
  backendChanged_.notify_all();
}

FluidMciDevice::Impl::~Impl() {
  {
    const std::lock_guard lock(backendMutex_);
    quit_.store(true);
  }
  backendChanged_.notify_all();
  if (loader_.joinable()) loader_.join();
  if (driver_ != nullptr) fl_->delete_fluid_audio_driver(driver_);
  if (clock_.joinable()) clock_.join();
  DropPlayer();
  if (synth_ != nullptr) fl_->delete_fluid_synth(synth_);
  if (settings_ != nullptr) fl_->delete_fluid_settings(settings_);
}

void FluidMciDevice::Impl::SetBackend(Backend state) {
  {
    const std::lock_guard lock(backendMutex_);
    backend_.store(state, std::memory_order_release);
  }
  backendChanged_.notify_all();
}

bool FluidMciDevice::Impl::WaitForBackend(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(backendMutex_);
  backendChanged_.wait_for(lock, timeout, [this] { return backend() != Backend::kLoading; });
  return backend() == Backend::kReady;
}

void FluidMciDevice::Impl::Load() {
  std::string soundfont;
  for (const auto& candidate : soundfonts_) {
    if (IsRegularFile(candidate)) {
      soundfont = candidate;
      break;
    }
  }
  // Nothing of FluidSynth is loaded without a soundfont to play with.
  if (!soundfont.empty() && !quit_.load()) fl_ = LoadQuietFluidSynth();
  if (fl_ != nullptr && !quit_.load()) settings_ = fl_->new_fluid_settings();
  if (settings_ != nullptr) {
    fl_->fluid_settings_setnum(settings_, "synth.sample-rate", options_.sampleRate);
    fl_->fluid_settings_setint(settings_, "audio.period-size", options_.periodFrames);
    fl_->fluid_settings_setnum(settings_, "synth.gain", kSynthGain);
    // The loop restarts the piece while the last notes still ring; nothing may cut them off.
    fl_->fluid_settings_setint(settings_, "player.reset-synth", 0);
  }
  // The sound output first: without one the soundfont is not worth its memory.
  bool ok = settings_ != nullptr && (options_.output != Output::kAudioDevice || OpenDriver());
  if (ok) {
    synth_ = fl_->new_fluid_synth(settings_);
    ok = synth_ != nullptr && !quit_.load() &&
         fl_->fluid_synth_sfload(synth_, soundfont.c_str(), 1) != FLUID_FAILED;
  }
  if (!ok || quit_.load()) {
    if (driver_ != nullptr) fl_->delete_fluid_audio_driver(driver_);
    if (synth_ != nullptr) fl_->delete_fluid_synth(synth_);
    if (settings_ != nullptr) fl_->delete_fluid_settings(settings_);
    driver_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
    SetBackend(Backend::kUnavailable);
    return;
  }
  synthBlock_ = std::max(fl_->fluid_synth_get_internal_bufsize(synth_), 1);
  SetBackend(Backend::kReady);  // publishes the synthesiser to the rendering thread
  if (options_.output == Output::kNullClock) clock_ = std::thread([this] { RunClock(); });
}

// The driver renders silence (OnAudio) until the backend is ready.
bool FluidMciDevice::Impl::OpenDriver() {
  for (const auto& name : drivers_) {
    if (fl_->fluid_settings_setstr(settings_, "audio.driver", name.c_str()) == FLUID_FAILED)
      continue;
    driver_ = fl_->new_fluid_audio_driver2(settings_, &Impl::OnAudio, this);
    if (driver_ != nullptr) return true;
  }
  return false;
}

void FluidMciDevice::Impl::RunClock() {
  const int frames = options_.periodFrames;
  std::vector<float> left(static_cast<std::size_t>(frames));
  std::vector<float> right(static_cast<std::size_t>(frames));
  const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
      std::chrono::duration<double>(static_cast<double>(frames) / options_.sampleRate));
  auto next = std::chrono::steady_clock::now();
  while (!quit_.load()) {
    RenderBlock(left.data(), right.data(), frames);
    next += period;
    const auto now = std::chrono::steady_clock::now();
    if (now - next > std::chrono::milliseconds(200)) next = now;  // fell behind: do not race
    std::this_thread::sleep_until(next);
  }
}

int FluidMciDevice::Impl::OnAudio(void* data, int len, int /*nfx*/, float* /*fx*/[], int nout,
                                  float* out[]) {
  auto* self = static_cast<Impl*>(data);
  if (len <= 0 || nout < 2 || self->backend() != Backend::kReady) return FLUID_OK;
  self->RenderBlock(out[0], out[1], len);
  return FLUID_OK;
}

bool FluidMciDevice::Impl::RenderOffline(float* left, float* right, int frames) {
  if (left == nullptr || right == nullptr || frames <= 0) return false;
  if (options_.output != Output::kOffline || backend() != Backend::kReady) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    return false;
  }
  RenderBlock(left, right, frames);
  return true;
}

void FluidMciDevice::Impl::RenderBlock(float* left, float* right, int frames) {
  ApplyCommands();
  fl_->fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
  renderedFrames_ += frames;
  if (!endPassed_ && EndsBeforeNextBlock(frames)) endPassed_ = true;
  ReportEnd();
}

// The player notices its end only in the first synthesiser block past it, and a restart asked
// for then begins a whole output block later. Reporting the end after the output block that ends
// nearest to it instead puts the restart within half a block of the true end, either side.
bool FluidMciDevice::Impl::EndsBeforeNextBlock(int frames) {
  if (player_ == nullptr || playerTotal_ < 0 || !playerMidi_ || playerMidi_->division <= 0) {
    return false;
  }
  if (fl_->fluid_player_get_status(player_) != FLUID_PLAYER_PLAYING) return false;
  const int tempo = fl_->fluid_player_get_midi_tempo(player_);  // microseconds a quarter note
  if (tempo <= 0) return false;
  // The player's tick is the one it computed at the start of the last synthesiser block.
  const std::int64_t lastBlock = (renderedFrames_ - 1) / synthBlock_ * synthBlock_;
  const double framesPerTick =
      tempo * 1e-6 * options_.sampleRate / static_cast<double>(playerMidi_->division);
  const double endFrame =
      static_cast<double>(lastBlock) +
      (playerTotal_ - fl_->fluid_player_get_current_tick(player_)) * framesPerTick;
  return endFrame <= static_cast<double>(renderedFrames_) + frames / 2.0;
}

void FluidMciDevice::Impl::ApplyCommands() {
  std::shared_ptr<const Sequence> midi;
  std::uint64_t fileSerial = 0;
  bool wantPlay = false;
  int seekTick = -1;
  {
    const std::lock_guard lock(mutex_);
    if (serial_ == appliedSerial_) return;
    appliedSerial_ = serial_;
    midi = midi_;
    fileSerial = fileSerial_;
    wantPlay = wantPlay_;
    seekTick = std::exchange(seekTick_, -1);
  }
  endReported_ = false;
  if (fileSerial != appliedFile_) {
    appliedFile_ = fileSerial;
    DropPlayer();
    playerMidi_ = std::move(midi);
  }
  if (!playerMidi_) return;
  // A fresh player rather than a seek: the synthesiser's player cannot rewind every version's
  // tracks once they have reached their end, and it is cheap to make.
  if (seekTick >= 0 || player_ == nullptr) CreatePlayer(std::max(seekTick, 0));
  if (player_ == nullptr) return;
  const bool running = fl_->fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
  if (wantPlay && !running) {
    fl_->fluid_player_play(player_);
  } else if (!wantPlay && running) {
    fl_->fluid_player_stop(player_);
  }
}

void FluidMciDevice::Impl::ReportEnd() {
  if (!endPassed_ || endReported_) return;
  endReported_ = true;
  std::shared_ptr<const std::function<void()>> listener;
  {
    const std::lock_guard lock(mutex_);
    // A command sent meanwhile is carried out at the next block and decides afresh.
    if (serial_ != appliedSerial_ || !wantPlay_) return;
    playing_ = false;
    wantPlay_ = false;
    listener = listener_;
  }
  if (!listener || !*listener) return;
  (*listener)();
  if (options_.output != Output::kAudioDevice) return;
  std::unique_lock lock(mutex_);
  commandSent_.wait_for(lock, kAnswerWait, [this] { return wantPlay_ || quit_.load(); });
}

int FluidMciDevice::Impl::OnTick(void* data, int tick) {
  auto* self = static_cast<Impl*>(data);
  // The file is parsed by the player's first callback, so the length is known by now; it is
  // counted once because counting walks every event.
  if (self->playerTotal_ < 0)
    self->playerTotal_ = self->fl_->fluid_player_get_total_ticks(self->player_);
  if (tick >= self->playerTotal_) self->endPassed_ = true;
  return FLUID_OK;
}

void FluidMciDevice::Impl::CreatePlayer(int startTick) {
  DropPlayer();
  player_ = fl_->new_fluid_player(synth_);
  if (player_ == nullptr) return;
  if (fl_->fluid_player_add_mem(player_, playerMidi_->bytes.data(), playerMidi_->bytes.size()) ==
      FLUID_FAILED) {
    fl_->delete_fluid_player(player_);
    player_ = nullptr;
    return;
  }
  fl_->fluid_player_set_tick_callback(player_, &Impl::OnTick, this);
  if (startTick > 0) fl_->fluid_player_seek(player_, startTick);
}

void FluidMciDevice::Impl::DropPlayer() {
  playerTotal_ = -1;
  endPassed_ = false;
  if (player_ == nullptr) return;
  // Deleting the player sends nothing more: release whatever it left sounding.
  fl_->fluid_synth_all_notes_off(synth_, -1);
  fl_->delete_fluid_player(player_);
  player_ = nullptr;
}

void FluidMciDevice::Impl::SetListener(std::function<void()> listener) {
  auto shared = std::make_shared<const std::function<void()>>(std::move(listener));
  const std::lock_guard lock(mutex_);
  listener_ = std::move(shared);
}

std::uint32_t FluidMciDevice::Impl::Send(const std::string& command, char* reply,
                                         std::uint32_t replyLen) {
  const MciCommand cmd = ParseMciCommand(command);
  if (!cmd.hasDevice) return cmd.error;

  if (cmd.verb == MciVerb::kOpen) {
    if (cmd.error != kMciOk) return cmd.error;
    const std::string& alias = cmd.alias.empty() ? cmd.device : cmd.alias;
    {
      const std::lock_guard lock(mutex_);
      if (open_)
        return MciNameEquals(alias_, alias) ? kMciErrDuplicateAlias : kMciErrSequencerInUse;
    }
    // Read outside the lock: the rendering thread must never wait for the disk.
    std::string bytes;
    MidiFileInfo info;
    if (const std::uint32_t e = LoadMidi(cmd.device, bytes, info); e != kMciOk) return e;
    const std::lock_guard lock(mutex_);
    open_ = true;
    alias_ = alias;
    totalTicks_ = info.totalTicks;
    midi_ = std::make_shared<const Sequence>(Sequence{std::move(bytes), info.division});
    playing_ = false;
    wantPlay_ = false;
    seekTick_ = -1;
    ++fileSerial_;
    ++serial_;
    return kMciOk;
  }

  const std::lock_guard lock(mutex_);
  const bool all = cmd.verb == MciVerb::kClose && MciNameEquals(cmd.device, "all");
  if (!all && (!open_ || !MciNameEquals(alias_, cmd.device))) return kMciErrInvalidDeviceName;
  if (cmd.error != kMciOk) return cmd.error;
  switch (cmd.verb) {
    case MciVerb::kClose:
      if (!open_) return kMciOk;
      open_ = false;
      alias_.clear();
      midi_.reset();
      playing_ = false;
      wantPlay_ = false;
      seekTick_ = -1;
      ++fileSerial_;
      break;
    case MciVerb::kPlay:
      if (cmd.playFromStart) seekTick_ = 0;
      playing_ = true;
      wantPlay_ = true;
      break;
    case MciVerb::kStop:
      playing_ = false;
      wantPlay_ = false;
      break;
    case MciVerb::kSeek:
      seekTick_ = cmd.seekTo == MciSeekTarget::kEnd
                      ? static_cast<int>(std::min<std::int64_t>(totalTicks_, INT32_MAX))
                      : 0;
      playing_ = false;
      wantPlay_ = false;
      break;
    case MciVerb::kStatus:
      return WriteReply(reply, replyLen, playing_ ? "playing" : "stopped");
    default:
      return kMciErrUnrecognizedCommand;
  }
  ++serial_;
  commandSent_.notify_all();
  return kMciOk;
}

FluidMciDevice::FluidMciDevice() : FluidMciDevice(Options{}) {}
FluidMciDevice::FluidMciDevice(Options options)
    : impl_(std::make_unique<Impl>(std::move(options))) {}
FluidMciDevice::~FluidMciDevice() = default;

std::uint32_t FluidMciDevice::SendString(const std::string& command, char* reply,
                                         std::uint32_t replyLen) {
  return impl_->Send(command, reply, replyLen);
}

void FluidMciDevice::SetEndListener(std::function<void()> listener) {
  impl_->SetListener(std::move(listener));
}

void FluidMciDevice::BeginLoading() {
  impl_->BeginLoading();
}

FluidMciDevice::Backend FluidMciDevice::backend() const {
  return impl_->backend();
}

bool FluidMciDevice::WaitForBackend(std::chrono::milliseconds timeout) const {
  return impl_->WaitForBackend(timeout);
}

bool FluidMciDevice::RenderOffline(float* left, float* right, int frames) {
  return impl_->RenderOffline(left, right, frames);
}

int FluidMciDevice::sampleRate() const {
  return impl_->sampleRate();
}

std::vector<std::string> FluidMciDevice::RecentLog() {
  const std::lock_guard lock(g_logMutex);
  return {g_log.begin(), g_log.end()};
}

}  // namespace porukami
