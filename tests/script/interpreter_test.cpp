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

// "|" stands for a line break, "~" for a blank.
std::string Shown(const std::string& s) {
  std::string out;
  for (char c : s) out += c == '|' ? std::string("\r\n") : std::string(1, c == '~' ? ' ' : c);
  return out;
}

Lines Many(std::size_t n, const std::string& line, const std::string& last) {
  Lines l(n, line);
  l.push_back(last);
  return l;
}

// After each step's actions the text box shows `text` and the screen what `more` names, as
// key=value: idle, timer (0 off, 1 on but not ticking, 2 ticking), next, pic, face, scene ("s" but
// none when idle), shadow (the text), msg (the last message, "@" the scene folder; none), hints
// (the pictures hinted) and game (day, money, a stat, its bar, a command, items and requests).
// Actions: t a tick, c a click, x the timer off, f / n the speed fast / none, N the name ユウ, S /
// E scene "b" / "blank" started, D some play, O a new game whose opening ends at once.
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
    {{"--2", "--1", "A", "B", "C"}, {{"", "|A|B", "next=C"}}},
    {{"--2000000000", "A"}, {{"", "|A▼", "idle"}}},
    {{"--5", "A", ">ive b"}, {{"", "|B1", "scene=b"}}},
    {{"--4", "A", ">end", "X"}, {{"", "|O1", "scene=opn"}}},
    {Many(100000, "", "最後"), {{"", "|最後▼"}}},
    {Many(100000, ">fcn", "X"), {{"", "|X▼", "hints="}}},
    // the name replaces every "-m" as written, when the line is shown, and is not scanned again
    {{"「-mさん」", "-m", "よう-m", "-m、-m、-m"},
     {{"ttt", "|「メイヒルさん」|メイヒル|ようメイヒル|メイヒル、メイヒル、メイヒル▼"}}},
    {{"-mm-m"}, {{"", "|x-mx-▼"}}, "", "x-"},
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
    {{">fce 1", ">fce 9", "顔"}, {{"", "|顔▼", "face="}}},
    // hand-overs, scenes started over others, and a "tugi" in the middle
    {{">fce 1", "A", ">ive b", "見えない"},
     {{"", "|A▼", "face=face_1"}, {"xc", "|B1", "timer=2 face= scene=b"}}},
    {{">fce 1", "1", "2", "3", "4"},
     {{"tS", "|B1", "face= scene=b"}, {"tttt", "|B1|B2|B3|B4|B5▼", "scene=b"}}},
    {{"A", "tugi", "B"}, {{"ct", "|A▼", "idle next=B"}}},
    // broken scenes are reported and play goes on
    {{"A", ">ive nosuch"}, {{"c", "", "idle msg=場面ファイルを開けません:~@nosuch.dat"}}},
    {{"A"}, {{"E", "", "idle msg=場面ファイルが空です:~@blank.dat"}}},
    {{">ive s"},
     {{"", "", "idle msg=場面「@s.dat」" + kLoop},
      {"S", "|B1", "scene=b msg=場面「@s.dat」" + kLoop}}},
    {{"A"}, {{"O", "", "idle msg=場面「@opn.dat」" + kLoop}}},
    // ">end" starts a new game
    {{"おわり", ">end"},
     {{"", "|おわり▼"}, {"c", "|O1", "scene=opn game=1/10000/0/0.000000/1/0"}},
     "D"},
    // the scene's start hints its first picture, and each picture shown the next one; an empty
    // ">img" is a repaint and is passed over
    {{"一", ">img bg", "二", ">fce 1", "三", ">img", ">img bg2", "四"},
     {{"", "|一", "hints=/bg.dat pic="},
      {"c", "|一|二", "hints=/bg.dat/face_1.dat(face) pic=bg"},
      {"c", "|一|二|三", "hints=/bg.dat/face_1.dat(face)/bg2.dat"},
      {"c", "|一|二|三|四▼", "pic=bg2"}}},
};

TEST(InterpreterTest, ScenesShowTheirLinesPagesMarksAndPictures) {
  for (const Case& c : kCases) {
    testing::Game g;  // its opening shows "O1"
    for (const char* p : {"bg", "bg2", "face_1"}) g.content.Picture(p);
    g.content.Scene("opn", {"O1", "O2", "O3"});
    g.content.Scene("b", {"B1", "B2", "B3", "B4", "B5", "B6"});
    g.content.Raw("txt/blank.dat", "");
    ASSERT_TRUE(g.Load());
    Frm& f = *g.frm;
    auto act = [&](const std::string& acts) {
      for (char a : acts) {
        if (a == 't') f.TimSay_Timer();
        if (a == 'c') f.Lbl_Click();
        if (a == 'x') f.TimSay.Enabled = false;
        if (a == 'f' || a == 'n') f.menu_tim_Click_Click(a == 'f' ? 1 : 0);
        if (a == 'N') f.TxtName.SetText("ユウ");
        if (a == 'S' || a == 'E') f.StartScene(a == 'S' ? "b" : "blank");
        if (a == 'D') f.AdvanceDay(12, -3000), f.AddStat(1, 1, 50), f.EnableCommands(false);
        if (a == 'D') f.AddInventoryItem(0), f.LstIrai.AddItem("y");
        if (a == 'O') g.content.Scene("opn", {">end"}), f.Form_Activate();
      }
    };
    if (c.name) f.TxtName.SetText(*c.name);
    act(c.before);
    g.content.Scene("s", c.lines);
    f.StartScene("s");
    for (const Step& step : c.steps) {
      SCOPED_TRACE(c.lines.back() + " after " + step.acts);
      act(step.acts);
      std::map<std::string, std::string> want{
          {"text", step.text}, {"shadow", step.text}, {"idle", "0"}, {"msg", ""}};
      std::istringstream in(step.more);
      for (std::string kv; in >> kv;) {
        const auto eq = kv.find('=');
        want[kv.substr(0, eq)] = eq == std::string::npos ? "1" : kv.substr(eq + 1);
      }
      if (!want.contains("scene")) want["scene"] = want["idle"] == "1" ? "" : "s";
      std::string msg = g.host.messages.empty() ? "" : g.host.messages.back();
      const std::string txt = (g.content.dir() / "txt").string() + "/";
      if (const auto dir = msg.find(txt); dir != std::string::npos)
        msg.replace(dir, txt.size(), "@");
      std::string hints;
      for (std::size_t i = 0; i < g.host.prefetched.size(); ++i)
        hints += g.host.prefetched[i].substr(g.host.prefetched[i].rfind('/')) +
                 (g.host.prefetchedFor[i] == &f.PicKao ? "(face)" : "");
      const std::map<std::string, std::string> have{
          {"text", f.Lbl.Caption},
          {"idle", !f.Lbl.Visible && f.LblGame.Visible ? "1" : "0"},
          {"msg", msg},
          {"shadow", f.LblBak[0].Caption == f.LblBak[1].Caption ? f.LblBak[0].Caption : "?"},
          {"timer", std::to_string(f.TimSay.Enabled + f.TimSay.Ticks())},
          {"next", f.NextLine},
          {"pic", f.Pic.Painted ? f.Pic.PaintedName : ""},
          {"face", f.PicKao.Visible ? f.PicKao.PaintedName : ""},
          {"scene", f.OpenScene().value_or("")},
          {"hints", hints},
          {"game", std::to_string(f.Day) + "/" + std::to_string(f.Money) + "/" +
                       std::to_string(f.Stats[1][1]) + "/" + std::to_string(f.ShpStr[5].Geo.Width) +
                       "/" + std::to_string(f.Com[0].Enabled) + "/" +
                       std::to_string(f.Lst.ListCount() + f.LstIrai.ListCount())}};
      for (const auto& [key, value] : want) EXPECT_EQ(have.at(key), Shown(value)) << key;
    }
    for (const std::string& p : g.host.prefetched)  // each hint is loaded by the same path
      EXPECT_NE(std::ranges::find(g.host.loadedPictures, p), g.host.loadedPictures.end());
  }
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
  ASSERT_EQ(g.host.prefetched.size(), 1u);
  EXPECT_TRUE(g.host.prefetched[0].ends_with("/dawn.dat"));
  EXPECT_TRUE(g.host.loadedPictures.empty());
  EXPECT_TRUE(g.host.messages.empty());
  ASSERT_TRUE(g.Load());
  EXPECT_EQ(g.host.loadedPictures.front(), g.host.prefetched.front());
}

}  // namespace
}  // namespace porukami
