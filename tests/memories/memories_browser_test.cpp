// Opens a written page in a real browser, as a player would, and reads back what the browser made
// of it: the heading's text and the natural width of every picture (0 when it did not load).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "support/fakes.h"

namespace porukami {
namespace {

namespace fs = std::filesystem;

constexpr const char* kChromium = "/usr/bin/chromium";

std::string BigEndian(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string Chunk(const std::string& type, const std::string& data) {
  return BigEndian(static_cast<std::uint32_t>(data.size())) + type + data +
         BigEndian(Crc32(type + data));
}

// A grey PNG picture `width` pixels wide and one high, its pixels in one stored deflate block.
std::string Png(int width) {
  const std::string row = std::string(1, '\0') + std::string(width, '\x80');
  std::uint32_t s1 = 1, s2 = 0;  // Adler-32 of the row
  for (unsigned char b : row) {
    s1 = (s1 + b) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  const auto n = static_cast<std::uint16_t>(row.size());
  const std::string zlib = std::string("\x78\x01\x01", 3) + char(n & 0xFF) + char(n >> 8) +
                           char(~n & 0xFF) + char((~n >> 8) & 0xFF) + row +
                           BigEndian((s2 << 16) | s1);
  const std::string header = BigEndian(static_cast<std::uint32_t>(width)) + BigEndian(1) +
                             std::string("\x08\x00\x00\x00\x00", 5);
  return "\x89PNG\r\n\x1a\n" + Chunk("IHDR", header) + Chunk("IDAT", zlib) + Chunk("IEND", "");
}

std::string FileUrl(const std::string& path) {
  std::string url = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) ||
        std::string_view("/-_.~").find(static_cast<char>(c)) != std::string::npos) {
      url += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      url += hex;
    }
  }
  return url;
}

std::string Output(const std::string& command) {
  std::string out;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
  ::pclose(p);
  return out;
}

TEST(MemoriesBrowser, PageShowsItsHeadingAndAllSevenPictures) {
  if (::access(kChromium, X_OK) != 0)
    GTEST_SKIP() << kChromium << " is not installed (Debian package chromium); the page was not "
                 << "checked in a browser";
  testing::Game game;
  game.content.Scene("head", {"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                              "charset=Shift_JIS\"><title>思い出</title></head><body>"});
  game.content.Scene("foot",
                     {"<script>window.addEventListener('load', function () {",
                      "  var out = document.createElement('pre'); out.id = 'result';",
                      "  out.textContent = document.querySelector('h2').textContent + '|' +",
                      "      Array.from(document.images, function (i) { return i.naturalWidth; });",
                      "  document.body.appendChild(out);", "});</script>", "</body></html>"});
  std::string widths;
  int width = 10;
  for (const char* name : {"opn03", "21", "22", "23", "24", "25", "26"}) {
    game.content.Raw(std::string("img/") + name + ".dat", Png(width));
    widths += (widths.empty() ? "" : ",") + std::to_string(width++);
  }
  ASSERT_TRUE(game.Load(false));
  game.frm->WriteMemories("2,ヒョウ");
  ASSERT_TRUE(game.host.messages.empty());

  std::string profile = (fs::temp_directory_path() / "porukami-chromium-XXXXXX").string();
  ASSERT_NE(::mkdtemp(profile.data()), nullptr);
  const std::string dom =
      Output(std::string("timeout 60 ") + kChromium +
             " --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking"
             " --disable-component-update --disable-sync --user-data-dir=" +
             profile + " --dump-dom '" +
             FileUrl((game.content.dir() / "ヒョウ＿おまけ.html").string()) + "' 2>/dev/null");
  fs::remove_all(profile);

  const std::string open = "<pre id=\"result\">";
  const std::size_t start = dom.find(open);
  ASSERT_NE(start, std::string::npos) << "no result in the page Chromium loaded:\n" << dom;
  const std::size_t end = dom.find("</pre>", start);
  EXPECT_EQ(dom.substr(start + open.size(), end - start - open.size()),
            "ヒョウとの思い出♪|" + widths);
}

}  // namespace
}  // namespace porukami
