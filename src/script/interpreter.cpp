#include <string_view>

#include "app/Frm.h"
#include "text/number.h"
#include "text/utf8.h"

namespace porukami {
namespace {

bool Starts(std::string_view line, std::string_view prefix) {
  return line.starts_with(prefix);
}

// Replaces every "-m" of the line as written by the player's name; the name is not scanned again.
std::string SubstituteName(std::string_view line, std::string_view name) {
  std::string out;
  out.reserve(line.size() + name.size());
  for (std::size_t i = 0; i < line.size();) {
    if (line.compare(i, 2, "-m") == 0) {
      out += name;
      i += 2;
    } else {
      out += line[i++];
    }
  }
  return out;
}

void DropLastChar(std::string& s) {
  while (!s.empty() && (static_cast<unsigned char>(s.back()) & 0xC0) == 0x80) s.pop_back();
  if (!s.empty()) s.pop_back();
}

// The argument of ">ive", ">htm" and ">img": from the sixth character on (the fifth separates).
std::string Argument(std::string_view line) {
  return std::string(text::MidFrom(line, 6));
}

// The face a ">fce" line shows: "face_" and its sixth character.
std::string FaceName(std::string_view line) {
  return "face_" + std::string(text::CharAt(line, 6));
}

}  // namespace

void Frm::PrefetchNextPicture(const std::vector<std::string>& lines, std::size_t from) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::string name;
    const PictureBox* box = nullptr;
    if (Starts(line, ">img")) {
      name = Argument(line);  // empty: a repaint of the last one, nothing to read
      box = &Pic;
    } else if (Starts(line, ">fce")) {
      name = FaceName(line);
      box = &PicKao;
    }
    if (!name.empty()) {
      host_.PrefetchPicture(PicturePath(name), *box);
      return;
    }
  }
}

void Frm::ScriptStep() {
  if (!script_) return;  // a tick or a run-ahead step after the scene has ended
  const std::uint64_t serial = sceneSerial_;
  // Chained steps and run-ahead steps are counted rather than nested, so no content can exhaust
  // the stack; the count is dropped as soon as the scene ends or hands over.
  std::int64_t pending = 1;
  while (pending > 0) {
    if (!script_ || sceneSerial_ != serial) return;
    --pending;
    long runAhead = 0;
    switch (StepOnce(runAhead)) {
      case StepEnd::Chain:
        ++pending;
        break;
      case StepEnd::RunAhead:
        pending += runAhead;
        break;
      case StepEnd::Shown:
        break;
      case StepEnd::Ended:
        return;
    }
  }
}

Frm::StepEnd Frm::StepOnce(long& runAhead) {
  std::string line = std::move(NextLine);
  if (script_->next < script_->lines.size())
    NextLine = script_->lines[script_->next++];
  else
    NextLine = "tugi";

  if (Starts(line, "tugi")) {
    CloseScript();
    GameStt();
    return StepEnd::Ended;
  }
  if (Starts(line, "--")) {
    const std::int32_t n = text::ToLong(std::string_view(line).substr(2));
    runAhead = n < 1 ? 0 : n;
    return StepEnd::RunAhead;
  }
  if (Starts(line, ">end")) {
    CloseScript();
    Ending();
    return StepEnd::Ended;
  }
  if (Starts(line, ">ive")) {
    CloseScript();
    StartScene(Argument(line));
    return StepEnd::Ended;
  }
  if (Starts(line, ">p")) {
    Lbl.Caption.clear();
    PageLines = 0;
    return StepEnd::Chain;
  }
  if (Starts(line, ">htm")) {
    WriteMemories(Argument(line));
    return StepEnd::Chain;
  }
  if (Starts(line, ">img")) {
    ShowBackground(Argument(line));
    PrefetchNextPicture(script_->lines, script_->next - 1);  // decoded while this one is read
    return StepEnd::Chain;
  }
  if (Starts(line, ">fce")) {
    ShowFace(FaceName(line));
    PrefetchNextPicture(script_->lines, script_->next - 1);
    return StepEnd::Chain;
  }
  if (Starts(line, ">fcn")) {
    PicKao.Visible = false;
    return StepEnd::Chain;
  }
  // A line that shows as nothing (an empty line, or "-m" with no name) runs the next step at once.
  return ShowTextLine(line) ? StepEnd::Shown : StepEnd::Chain;
}

bool Frm::ShowTextLine(const std::string& line) {
  const std::string shown = SubstituteName(line, TxtName.Text);

  std::string previous;
  if (PageMark != "▼") {
    previous = Lbl.Caption;
    if (PageMark == "▽" && !previous.empty()) DropLastChar(previous);
  }

  if (LookAheadWaits() || PageLines >= 5) {
    PageMark = "▼";
    TimSay.Enabled = false;
    PageLines = 0;
  } else {
    PageMark = TimSay.Interval != 0 ? "" : "▽";
  }
  PageLines = static_cast<std::uint8_t>(PageLines + 1);

  Lbl.Caption = previous + "\r\n" + shown + PageMark;
  LblBak[0].Caption = Lbl.Caption;
  LblBak[1].Caption = Lbl.Caption;
  return !shown.empty();
}

}  // namespace porukami
