// A scene script played by a random player. The input is the script's bytes, a NUL, then the
// player's events, two bytes each. The script is written as the opening scene "opn" and as "s";
// the first event byte decides whether it starts with a new game or through StartScene("s").
// A small catalogue, a few scenes and pictures (one of them truncated) sit beside it, so ">ive",
// ">img", ">fce", ">end" and ">htm" have something to find and something to miss.
#include <memory>
#include <string>

#include "app/Frm.h"
#include "fuzz/fuzz_support.h"
#include "monkey/events.h"
#include "monkey/invariants.h"
#include "support/fakes.h"

namespace porukami::fuzz {
namespace {

constexpr int kMaxEvents = 200;

void WriteFixedContent(const Sandbox& box) {
  box.Write("app/txt/item.dat", Cp932File(testing::DefaultCatalogue()));
  box.Write("app/txt/t.dat", Cp932File({"ほかの場面", "-mさん", ">ive s"}));
  box.Write("app/txt/end.dat", Cp932File({"おしまい", ">htm 1,ラテゥ", ">end"}));
  box.Write("app/txt/moneyend.dat", Cp932File({"おかねがない", ">end"}));
  box.Write("app/txt/010.dat", Cp932File({">ive s"}));
  box.Write("app/txt/mori_0.dat", "");
  box.Write("app/txt/head.dat", "<html>\r\n");
  box.Write("app/txt/foot.dat", "</html>");
  box.Write("app/img/bg.dat", "IMG 640 480\n");
  box.Write("app/img/mori.dat", "IMG 64 48\n");
  box.Write("app/img/face_1.dat", "IMG 81 81\n");
  box.Write("app/img/cut.dat", "IMG 6");
  box.Write("app/img/face_2.dat", "GIF89a");
}

// Removes what a run may have added to the program folder: memories pages. Anything else there
// is a file the game should not have written.
void CheckAndClearProgramFolder(const Sandbox& box) {
  for (const std::string& name : box.List("app")) {
    if (name == "txt" || name == "img") continue;
    FUZZ_CHECK(name.ends_with("＿おまけ.html"), "unexpected file in the program folder: " + name);
    std::filesystem::remove(box.root() / "app" / name);
  }
  FUZZ_CHECK(box.List("").size() == 1, "a file appeared beside the program folder");
}

}  // namespace
}  // namespace porukami::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace porukami;
  using namespace porukami::fuzz;
  static const bool ready = [] {
    WriteFixedContent(Sandbox::Get());
    return true;
  }();
  (void)ready;
  const Sandbox& box = Sandbox::Get();

  Bytes in(data, size);
  const std::string_view script = in.Until('\0');
  const std::string_view events = in.Rest();
  box.Write("app/txt/opn.dat", script);
  box.Write("app/txt/s.dat", script);

  testing::FakeHost host;
  host.appPath = (box.root() / "app").string();
  InputRandom random(events);
  auto frm = std::make_unique<Frm>(host, random);
  FUZZ_CHECK(frm->Form_Load(), "start-up failed on a good catalogue");
  const int fds = monkey::OpenFileDescriptors();

  Bytes player(events);
  if (player.Byte() & 1) {
    frm->Form_Activate();
  } else {
    frm->Form_Activate();
    frm->StartScene("s");
  }
  std::string trace = "start";
  for (int i = 0; i < kMaxEvents && !player.Empty(); ++i) {
    const std::uint8_t what = player.Byte();
    const std::uint8_t how = player.Byte();
    const std::string done = monkey::PlayEvent(*frm, host, what, how);
    if (!done.empty()) trace = done;
    if (const std::string broken = monkey::BrokenRule(*frm); !broken.empty())
      Fail(broken + " after " + trace);
    host.messages.clear();
    host.captions.clear();
    host.loadedPictures.clear();
  }
  FUZZ_CHECK(monkey::OpenFileDescriptors() == fds, "file descriptors left open by the scene");
  bool cancel = false;
  frm->Form_Unload(cancel);
  FUZZ_CHECK(!frm->OpenScene().has_value(), "a script is still open after unload");
  CheckAndClearProgramFolder(box);
  return 0;
}
