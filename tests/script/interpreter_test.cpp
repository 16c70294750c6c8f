#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace porukami {
namespace {

using Lines = std::vector<std::string>;

// A fresh game whose opening shows "O1"; scene "b" has six lines, "blank" none.
struct Screen {
  testing::Game g;
  Screen() {
    g.content.Picture("bg", 640, 480);
    g.content.Picture("bg2");
    g.content.Picture("face_1", 81, 81);
    g.content.Scene("opn", {"O1", "O2", "O3"});
    g.content.Scene("b", {"B1", "B2", "B3", "B4", "B5", "B6"});
    g.content.Raw("txt/blank.dat", "");
    EXPECT_TRUE(g.Load());
  }
  Frm& f() { return *g.frm; }
  void Play(const Lines& lines) {
    g.content.Scene("s", lines);
    f().StartScene("s");
  }
  bool Idle() const { return !g.frm->Lbl.Visible && g.frm->LblGame.Visible; }
};

// "|" stands for a line break of the text box.
std::string Shown(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '|' ? std::string("\r\n") : std::string(1, c);
  return out;
}

Lines Many(std::size_t n, const std::string& line, const std::string& last) {
  Lines l(n, line);
  l.push_back(last);
  return l;
}

// After each step's actions the screen shows `text`, and what `more` names: "idle", "timer=T"
// (0 off, 1 on but not ticking, 2 ticking), "next=", "pic=", "face=", "scene=" (by default "s",
// none when idle), "shadow=" (by default the text) and, last, "msg=" (by default none; "@" is the
// scene folder). Actions: t a tick, c a click, x the timer switched off, f / n the speed set to
// fast / none, N the name set to ユウ, S / E scene "b" / "blank" started, O an opening that ends at
// once and a new game.
struct Step {
  std::string acts, text, more = "";
};
struct Case {
  Lines lines;
  std::vector<Step> steps;
  std::string before = "";               // actions before scene "s" starts
  std::optional<std::string> name = {};  // the player's name
};

const std::string kPad(300, 'a');
const std::string kLoop =
    "で、文章を表示しないまま場面の受け渡しが続いています。場面を中断します。";

const std::vector<Case> kCases = {
    // five lines to a timed page, a click for the next, idle at the end
    {{"1", "2", "3", "4", "5", "6", "7"},
     {{"", "|1", "timer=2"},
      {"ttt", "|1|2|3|4"},
      {"t", "|1|2|3|4|5▼", "timer=0"},
      {"c", "|6", "timer=2"},
      {"t", "|6|7▼"},
      {"ct", "|6|7▼", "idle timer=2"}}},
    // a click on a full page leaves the timer to begin the next
    {{"1", "2", "3", "4", "5", "6", "7"}, {{"tttc", "|1|2|3|4|5▼", "timer=2"}, {"t", "|6"}}},
    // a new page holds six lines; its look-ahead waits for a click, the shadows keep the old page
    {{"A", ">p", "1", "2", "3", "4", "5", "6", "7"},
     {{"t", "|A▼"}, {"c", "|1"}, {"ttttt", "|1|2|3|4|5|6▼"}, {"c", "|7▼"}}},
    {{"A", ">p", "tugi"}, {{"c", "", "idle shadow=|A▼"}}},
    // an end or hand-over ahead ends the page and the ticks wait for the click
    {{"一", "二", ">end", "X"}, {{"ct", "|一|二▼", "timer=2"}}},
    {{"一", "二", ">endless", "X"}, {{"ct", "|一|二▼", "timer=2"}}},
    {{"一", "二", ">ive b", "X"}, {{"ct", "|一|二▼", "timer=2"}}},
    {{"一", "二", "tugi", "X"}, {{"ct", "|一|二▼", "timer=2"}}},
    {{"一", "二", "tugi です", "X"}, {{"ct", "|一|二▼", "timer=2"}}},
    {{"一"}, {{"", "|一▼"}}},
    // ">p " is obeyed but not foreseen; commands between hide the page end
    {{"A", ">p ", "B", "C"}, {{"", "|A", "timer=2"}, {"t", "|B"}}},
    {{"A", ">img bg", ">p", "B", "C"}, {{"", "|A", "pic="}, {"t", "|B", "pic=bg"}}},
    // without a timed speed every line waits with an open mark; the speed can change mid-way
    {{"A", "B", "C"}, {{"", "|A▽", "timer=1"}, {"c", "|A|B▽"}, {"c", "|A|B|C▼"}}, "n"},
    {{"A", "B", "C"}, {{"ft", "|A|B", "timer=2"}}, "n"},
    {{"A", "B", "C", "D"}, {{"n", "|A", "timer=1"}, {"cc", "|A|B|C▽"}}},
    // empty lines count and pass over the page end; an empty last line ends without a wait
    {{"1", "2", "3", "4", "", "6"}, {{"ttt", "|1|2|3|4"}, {"t", "|6▼"}}},
    {{"1", "", "3"}, {{"t", "|1||3▼"}}},
    {{"A", ""}, {{"", "|A"}, {"t", "|A|▼", "idle"}}},
    // run-ahead, which stops when its scene ends or hands over
    {{"--3", "A", "B", "C", "D"}, {{"", "|A|B|C"}, {"t", "|A|B|C|D▼"}}},
    {{"--7", "1", "2", "3", "4", "5", "6", "7", "8"}, {{"", "|6|7"}}},
    {{"A", "--0", "B"}, {{"t", "|A", "next=B"}, {"t", "|A|B▼"}}},
    {{"--2", "--2", "A", "B", "C", "D"}, {{"", "|A|B|C", "next=D"}}},
    {{"--2000000000", "A"}, {{"", "|A▼", "idle"}}},
    {{"--5", "A", ">ive b"}, {{"", "|B1", "scene=b"}}},
    {{"--4", "A", ">end", "X"}, {{"", "|O1", "scene=opn"}}},
    {Many(100000, "", "最後"), {{"", "|最後▼"}}},
    {Many(100000, ">fcn", "X"), {{"", "|X▼"}}},
    // the name replaces every "-m" as written, when the line is shown, and is not scanned again
    {{"「-mさん」", "-m", "よう-m", "-m、-m、-m"},
     {{"ttt", "|「メイヒルさん」|メイヒル|ようメイヒル|メイヒル、メイヒル、メイヒル▼"}}},
    {{"-mm-m"}, {{"", "|x-mx-▼"}}, "", "x-"},
    {{"-m"}, {{"", "|-m▼"}}, "", "-m"},
    {{kPad + "-m" + kPad + "-m"}, {{"", "|" + kPad + "ナナ" + kPad + "ナナ▼"}}, "", "ナナ"},
    {{"-m", "-m"}, {{"Nt", "|メイヒル|ユウ▼"}}},
    {{"-m", "B", "C"}, {{"", "||B", "next=C"}}, "", ""},
    // faces use the sixth character; ">fcn" hides them; an empty ">img" repaints the background
    {{">fce 1abc", "顔"}, {{"", "|顔▼", "face=face_1"}}},
    {{">fce_1", "顔"}, {{"", "|顔▼", "face=face_1"}}},
    {{">fce 1", "顔", ">fcn", "なし"}, {{"", "|顔", "face=face_1"}, {"t", "|顔|なし▼", "face="}}},
    {{">img bg", ">fce 1", ">img", "文"}, {{"", "|文▼", "pic=bg face=face_1"}}},
    // a missing picture leaves the box blank; the last background that loaded is kept
    {{">img bg", "一", ">img nosuch", "二", ">img", "三"},
     {{"", "|一", "pic=bg"}, {"t", "|一|二", "pic="}, {"t", "|一|二|三▼", "pic=bg"}}},
    {{">fce 9", "顔"}, {{"", "|顔▼", "face="}}},
    // hand-overs, scenes started over others, and a "tugi" in the middle
    {{">fce 1", "A", ">ive b", "見えない"},
     {{"", "|A▼", "face=face_1"}, {"xc", "|B1", "timer=2 face= scene=b"}}},
    {{">fce 1", "1", "2", "3", "4"},
     {{"tS", "|B1", "face= scene=b"}, {"tttt", "|B1|B2|B3|B4|B5▼", "scene=b"}}},
    {{"A", "tugi", "B"}, {{"ct", "|A▼", "idle next=B"}}},
    // broken scenes are reported and play goes on
    {{"A", ">ive nosuch"}, {{"c", "", "idle msg=場面ファイルを開けません: @nosuch.dat"}}},
    {{"A"}, {{"E", "", "idle msg=場面ファイルが空です: @blank.dat"}}},
    {{">ive s"},
     {{"", "", "idle msg=場面「@s.dat」" + kLoop},
      {"S", "|B1", "scene=b msg=場面「@s.dat」" + kLoop}}},
    {{"A"}, {{"O", "", "idle msg=場面「@opn.dat」" + kLoop}}},
};

TEST(InterpreterTest, ScenesShowTheirLinesPagesMarksAndPictures) {
  for (const Case& c : kCases) {
    Screen s;
    Frm& f = s.f();
    auto act = [&](const std::string& acts) {
      for (char a : acts) {
        if (a == 't') f.TimSay_Timer();
        if (a == 'c') f.Lbl_Click();
        if (a == 'x') f.TimSay.Enabled = false;
        if (a == 'f' || a == 'n') f.menu_tim_Click_Click(a == 'f' ? 1 : 0);
        if (a == 'N') f.TxtName.SetText("ユウ");
        if (a == 'S' || a == 'E') f.StartScene(a == 'S' ? "b" : "blank");
        if (a == 'O') {
          s.g.content.Scene("opn", {">end"});
          f.Form_Activate();
        }
      }
    };
    if (c.name) f.TxtName.SetText(*c.name);
    act(c.before);
    s.Play(c.lines);
    for (const Step& step : c.steps) {
      SCOPED_TRACE(c.lines.back() + " after " + step.acts);
      act(step.acts);
      const auto at = step.more.find("msg=");
      std::string msg = at == std::string::npos ? "" : step.more.substr(at + 4);
      if (const auto dir = msg.find('@'); dir != std::string::npos) msg.replace(dir, 1, f.TxtDir);
      EXPECT_EQ(s.g.host.messages.empty() ? "" : s.g.host.messages.back(), msg);
      const bool idle = step.more.starts_with("idle");
      EXPECT_EQ(s.Idle(), idle);
      std::map<std::string, std::string> want{{"scene", idle ? "" : "s"}, {"shadow", step.text}};
      std::istringstream in(step.more.substr(0, at));
      for (std::string kv; in >> kv;)
        if (const auto eq = kv.find('='); eq != std::string::npos)
          want[kv.substr(0, eq)] = kv.substr(eq + 1);
      const std::map<std::string, std::string> have{
          {"text", f.Lbl.Caption},
          {"shadow", f.LblBak[0].Caption == f.LblBak[1].Caption ? f.LblBak[0].Caption : "?"},
          {"timer", std::to_string(f.TimSay.Enabled + f.TimSay.Ticks())},
          {"next", f.NextLine},
          {"pic", f.Pic.Painted ? f.Pic.PaintedName : ""},
          {"face", f.PicKao.Visible ? f.PicKao.PaintedName : ""},
          {"scene", f.OpenScene().value_or("")}};
      want["text"] = step.text;
      for (const auto& [key, value] : want) EXPECT_EQ(have.at(key), Shown(value)) << key;
    }
  }
}

TEST(InterpreterTest, EndStartsANewGame) {
  Screen s;
  s.f().AdvanceDay(12, -3000);
  s.f().AddStat(1, 1, 50);
  s.Play({"おわり", ">end"});
  s.f().Lbl_Click();
  EXPECT_EQ(s.f().Day, 1);
  EXPECT_EQ(s.f().Money, 10000);
  EXPECT_EQ(s.f().Stats[1][1], 0);
  EXPECT_EQ(s.f().OpenScene(), "opn");
  EXPECT_TRUE(s.f().Com[0].Enabled);
}

// The file names hinted from `from` on.
Lines Hinted(const testing::FakeHost& host, std::size_t from = 0) {
  Lines names;
  for (std::size_t i = from; i < host.prefetched.size(); ++i)
    names.push_back(host.prefetched[i].substr(host.prefetched[i].find_last_of("/\\") + 1));
  return names;
}

TEST(InterpreterTest, EachPictureShownHintsTheNextOneOfTheScene) {
  Screen s;
  const std::size_t before = s.g.host.prefetched.size();
  s.Play({"一", ">img", "二", ">fcn"});
  s.f().Lbl_Click();
  EXPECT_EQ(s.g.host.prefetched.size(), before);
  // Nothing is loaded before its command runs; an empty ">img" is a repaint and is passed over.
  s.Play({"一", ">img bg", "二", ">fce 1", "三", ">img", ">img bg2", "四"});
  EXPECT_EQ(Hinted(s.g.host, before), Lines{"bg.dat"});
  s.f().Lbl_Click();
  EXPECT_EQ(Hinted(s.g.host, before), (Lines{"bg.dat", "face_1.dat"}));
  s.f().Lbl_Click();
  EXPECT_EQ(Hinted(s.g.host, before), (Lines{"bg.dat", "face_1.dat", "bg2.dat"}));
  const std::vector<const PictureBox*> boxes{&s.f().Pic, &s.f().PicKao, &s.f().Pic};
  EXPECT_EQ(std::vector<const PictureBox*>(s.g.host.prefetchedFor.begin() + before,
                                           s.g.host.prefetchedFor.end()),
            boxes);
  s.f().Lbl_Click();
  for (std::size_t i = before; i < s.g.host.prefetched.size(); ++i)  // loaded by the same path
    EXPECT_NE(std::find(s.g.host.loadedPictures.begin(), s.g.host.loadedPictures.end(),
                        s.g.host.prefetched[i]),
              s.g.host.loadedPictures.end());
}

TEST(PrefetchOpening, HintsTheOpeningsFirstPictureAndLeavesBrokenOnesToTheScene) {
  testing::Game g;
  g.frm = std::make_unique<Frm>(g.host, g.rnd);
  g.frm->PrefetchOpening();  // no opening at all
  g.content.Raw("txt/opn.dat", std::string("\x81\x20>img x\r\n", 10));
  g.frm->PrefetchOpening();
  EXPECT_TRUE(g.host.prefetched.empty());
  g.content.Picture("dawn");
  g.content.Scene("opn", {">img dawn", "文", ">img later", "文"});
  g.frm->PrefetchOpening();
  EXPECT_EQ(Hinted(g.host), Lines{"dawn.dat"});
  EXPECT_TRUE(g.host.loadedPictures.empty());
  EXPECT_TRUE(g.host.messages.empty());
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(g.host.loadedPictures.front(), g.host.prefetched.front());
}

}  // namespace
}  // namespace porukami
