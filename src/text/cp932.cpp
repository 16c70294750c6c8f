#include "text/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace porukami::text {
namespace {

// glibc's "CP932" is the Windows mapping (0x5C is "\", 0x8160 is U+FF5E); "SHIFT_JIS" is not.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  // iconv_open reports failure as (iconv_t)-1.
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT

  // Converts as much as possible; returns the number of input bytes consumed. Stops at the first
  // byte sequence that cannot be converted (or an incomplete one at the end).
  std::size_t Run(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char buf[4096];
    while (inLeft > 0) {
      char* outPtr = buf;
      std::size_t outLeft = sizeof buf;
      std::size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
      out.append(buf, static_cast<std::size_t>(outPtr - buf));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    return in.size() - inLeft;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes, bool* bad) {
  thread_local Converter conv("UTF-8", "CP932");
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  if (bad) *bad = false;
  while (!bytes.empty()) {
    std::size_t used = conv.ok() ? conv.Run(bytes, out) : 0;
    bytes.remove_prefix(used);
    if (bytes.empty()) break;
    // An unreadable byte: a lead byte with a bad trail skips both, anything else one byte.
    unsigned char c = static_cast<unsigned char>(bytes[0]);
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    std::size_t skip =
        (lead && bytes.size() >= 2 && static_cast<unsigned char>(bytes[1]) >= 0x40) ? 2 : 1;
    out += "\xEF\xBF\xBD";
    bytes.remove_prefix(skip);
    if (bad) *bad = true;
  }
  return out;
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8, std::size_t* badOffset) {
  thread_local Converter conv("CP932", "UTF-8");
  std::string out;
  if (!conv.ok()) return std::nullopt;
  std::size_t used = conv.Run(utf8, out);
  if (used != utf8.size()) {
    if (badOffset) *badOffset = used;
    return std::nullopt;
  }
  return out;
}

}  // namespace porukami::text
