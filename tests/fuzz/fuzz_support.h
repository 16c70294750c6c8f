#pragma once
// Helpers shared by the fuzz targets: reading the input as a stream of small decisions, a private
// content folder per process, and a check that stops the run with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/host.h"

// Every target defines the libFuzzer entry point; the corpus replay calls the same function.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace porukami::fuzz {

// A broken rule is a finding: print it and abort, so the fuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** broken rule: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

// As Check, but the message is only built when the rule is broken.
#define FUZZ_CHECK(ok, what)                 \
  do {                                       \
    if (!(ok)) ::porukami::fuzz::Fail(what); \
  } while (0)

// The input read front to back; past its end every read gives zero.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data), size) {}
  explicit Bytes(std::string_view data) : data_(data) {}
  bool Empty() const { return pos_ >= data_.size(); }
  std::uint8_t Byte() { return Empty() ? 0 : static_cast<std::uint8_t>(data_[pos_++]); }
  // Everything up to the next `stop` byte (which is consumed), or the rest.
  std::string_view Until(char stop) {
    const std::size_t end = data_.find(stop, pos_);
    const std::string_view part =
        data_.substr(pos_, end == std::string_view::npos ? std::string_view::npos : end - pos_);
    pos_ = end == std::string_view::npos ? data_.size() : end + 1;
    return part;
  }
  std::string_view Rest() {
    const std::string_view rest = data_.substr(std::min(pos_, data_.size()));
    pos_ = data_.size();
    return rest;
  }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

// Random draws taken from the input, so a finding replays exactly. The numbers cycle through the
// given bytes (a fixed pattern when there are none), two bytes a draw.
class InputRandom : public Random {
 public:
  explicit InputRandom(std::string_view bytes) : bytes_(bytes) {}
  double Next() override {
    ++draws_;
    if (bytes_.empty()) return static_cast<double>((draws_ * 37) % 100) / 100.0;
    const auto hi = static_cast<unsigned char>(bytes_[pos_++ % bytes_.size()]);
    const auto lo = static_cast<unsigned char>(bytes_[pos_++ % bytes_.size()]);
    return static_cast<double>((hi << 8) | lo) / 65536.0;
  }
  void Seed(std::uint64_t) override {}

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::uint64_t draws_ = 0;
};

// A folder of this process's own under $TMPDIR, made on first use and removed at exit.
class Sandbox {
 public:
  static Sandbox& Get();
  const std::filesystem::path& root() const { return root_; }
  // Writes bytes to a file under the root, making its folders.
  void Write(const std::string& relative, std::string_view bytes) const;
  // The names directly inside a folder under the root, sorted.
  std::vector<std::string> List(const std::string& relative) const;

 private:
  Sandbox();
  ~Sandbox();
  std::filesystem::path root_;
};

// UTF-8 lines as a CP932 file with CR LF line ends.
std::string Cp932File(const std::vector<std::string>& lines);

// True when `s` is well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view s);

}  // namespace porukami::fuzz
