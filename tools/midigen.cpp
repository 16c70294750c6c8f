// midigen: turns a readable score (see content/music/bgm.score for the format) into a Standard
// MIDI File of type 1 that loops without a seam: every bar must be exactly full, so the piece
// ends on a bar line, and every track's end-of-track event sits on that line.
//
//   porukami_midigen SCORE OUTPUT.mid
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kTicksPerQuarter = 480;

struct ScoreError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Part {
  std::string name;
  int program = 0;
  int channel = 0;
  int volume = 100;
  int pan = 64;
  int reverb = 40;
  int velocity = 80;
};

struct Note {
  int start = 0;  // ticks from the start of its bar
  int length = 0;
  std::vector<int> keys;  // empty: a rest
  int velocity = 0;       // 0: the part's own
};

using Bar = std::vector<Note>;

struct Section {
  std::map<std::string, std::vector<Bar>> bars;  // by part name
  int line = 0;
};

struct Score {
  int tempo = 72;
  int meterNum = 4;
  int meterDen = 4;
  std::vector<Part> parts;
  std::map<std::string, Section> sections;
  std::vector<std::string> form;

  int BarTicks() const { return kTicksPerQuarter * 4 * meterNum / meterDen; }
  const Part* FindPart(const std::string& name) const {
    for (const Part& p : parts) {
      if (p.name == name) return &p;
    }
    return nullptr;
  }
};

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

int ToInt(const std::string& s, const std::string& what) {
  std::size_t used = 0;
  int v = 0;
  try {
    v = std::stoi(s, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != s.size() || s.empty()) throw ScoreError(what + " must be a whole number: " + s);
  return v;
}

int ParseKey(const std::string& s) {
  static const std::map<char, int> kSteps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                             {'G', 7}, {'A', 9}, {'B', 11}};
  if (s.empty() || !kSteps.count(s[0])) throw ScoreError("not a pitch: " + s);
  int key = kSteps.at(s[0]);
  std::size_t i = 1;
  for (; i < s.size() && (s[i] == '#' || s[i] == 'b'); ++i) key += s[i] == '#' ? 1 : -1;
  const int octave = ToInt(s.substr(i), "octave of " + s);
  key += 12 * (octave + 1);
  if (key < 0 || key > 127) throw ScoreError("pitch out of range: " + s);
  return key;
}

int ParseLength(const std::string& s) {
  std::string digits = s;
  bool dotted = false;
  if (!digits.empty() && digits.back() == '.') {
    dotted = true;
    digits.pop_back();
  }
  const int den = ToInt(digits, "length");
  if (den != 1 && den != 2 && den != 4 && den != 8 && den != 16) {
    throw ScoreError("length must be 1, 2, 4, 8 or 16: " + s);
  }
  int ticks = kTicksPerQuarter * 4 / den;
  if (dotted) ticks += ticks / 2;
  return ticks;
}

// One token: PITCH[+PITCH...][:LENGTH][!VELOCITY], or r[:LENGTH].
Note ParseNote(const std::string& token, int& lastLength) {
  Note note;
  std::string body = token;
  if (const auto bang = body.find('!'); bang != std::string::npos) {
    note.velocity = ToInt(body.substr(bang + 1), "velocity");
    if (note.velocity < 1 || note.velocity > 127) throw ScoreError("velocity 1-127: " + token);
    body.erase(bang);
  }
  if (const auto colon = body.find(':'); colon != std::string::npos) {
    lastLength = ParseLength(body.substr(colon + 1));
    body.erase(colon);
  } else if (lastLength == 0) {
    throw ScoreError("the first note of a part needs a length: " + token);
  }
  note.length = lastLength;
  if (body != "r") {
    std::size_t from = 0;
    while (true) {
      const auto plus = body.find('+', from);
      note.keys.push_back(ParseKey(body.substr(from, plus - from)));
      if (plus == std::string::npos) break;
      from = plus + 1;
    }
  }
  return note;
}

Score ParseScore(std::istream& in, const std::string& file) {
  Score score;
  std::map<std::string, int> lastLength;
  Section* section = nullptr;
  std::string sectionName;
  std::string raw;
  for (int lineNo = 1; std::getline(in, raw); ++lineNo) {
    try {
      if (const auto hash = raw.find('#'); hash != std::string::npos) raw.erase(hash);
      const std::vector<std::string> w = Words(raw);
      if (w.empty()) continue;
      if (section) {
        if (w[0] == "end" && w.size() == 1) {
          section = nullptr;
          continue;
        }
        const auto colon = raw.find(':');
        const std::string partName =
            Words(raw.substr(0, colon)).empty() ? std::string() : Words(raw.substr(0, colon))[0];
        if (colon == std::string::npos || !score.FindPart(partName)) {
          throw ScoreError("expected \"PART: | bar | bar |\" or \"end\"");
        }
        std::vector<Bar>& bars = section->bars[partName];
        std::string rest = raw.substr(colon + 1);
        std::size_t from = 0;
        while (from <= rest.size()) {
          const auto bar = rest.find('|', from);
          const std::string cell =
              rest.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
          const std::vector<std::string> tokens = Words(cell);
          if (!tokens.empty()) {
            Bar b;
            int at = 0;
            for (const std::string& t : tokens) {
              Note n = ParseNote(t, lastLength[partName]);
              n.start = at;
              at += n.length;
              b.push_back(n);
            }
            if (at != score.BarTicks()) {
              std::ostringstream msg;
              msg << partName << ": bar " << bars.size() + 1 << " of section " << sectionName
                  << " holds " << at << " ticks, a bar holds " << score.BarTicks();
              throw ScoreError(msg.str());
            }
            bars.push_back(b);
          }
          if (bar == std::string::npos) break;
          from = bar + 1;
        }
        continue;
      }
      if (w[0] == "tempo" && w.size() == 2) {
        score.tempo = ToInt(w[1], "tempo");
        if (score.tempo < 20 || score.tempo > 300) throw ScoreError("tempo 20-300");
      } else if (w[0] == "meter" && w.size() == 2) {
        const auto slash = w[1].find('/');
        if (slash == std::string::npos) throw ScoreError("meter N/D");
        score.meterNum = ToInt(w[1].substr(0, slash), "meter");
        score.meterDen = ToInt(w[1].substr(slash + 1), "meter");
        if (score.meterNum < 1 ||
            (score.meterDen != 2 && score.meterDen != 4 && score.meterDen != 8)) {
          throw ScoreError("meter N/D with D 2, 4 or 8");
        }
      } else if (w[0] == "part" && w.size() >= 2 && w.size() % 2 == 0) {
        if (score.FindPart(w[1])) throw ScoreError("part declared twice: " + w[1]);
        Part p;
        p.name = w[1];
        for (std::size_t i = 2; i < w.size(); i += 2) {
          const int v = ToInt(w[i + 1], w[i]);
          if (w[i] == "program")
            p.program = v;
          else if (w[i] == "channel")
            p.channel = v;
          else if (w[i] == "volume")
            p.volume = v;
          else if (w[i] == "pan")
            p.pan = v;
          else if (w[i] == "reverb")
            p.reverb = v;
          else if (w[i] == "velocity")
            p.velocity = v;
          else
            throw ScoreError("unknown part setting: " + w[i]);
          if (v < 0 || v > 127 || (w[i] == "channel" && v > 15)) {
            throw ScoreError(w[i] + " out of range");
          }
        }
        score.parts.push_back(p);
      } else if (w[0] == "section" && w.size() == 2) {
        if (score.sections.count(w[1])) throw ScoreError("section written twice: " + w[1]);
        sectionName = w[1];
        section = &score.sections[w[1]];
        section->line = lineNo;
      } else if (w[0] == "form" && w.size() >= 2) {
        score.form.assign(w.begin() + 1, w.end());
      } else {
        throw ScoreError("unknown statement: " + w[0]);
      }
    } catch (const ScoreError& e) {
      throw ScoreError(file + ":" + std::to_string(lineNo) + ": error: " + e.what());
    }
  }
  if (section) throw ScoreError(file + ": error: section " + sectionName + " has no end");
  if (score.form.empty()) throw ScoreError(file + ": error: no form");
  for (const auto& [name, s] : score.sections) {
    std::size_t count = 0;
    for (const auto& [part, bars] : s.bars) count = std::max(count, bars.size());
    for (const auto& [part, bars] : s.bars) {
      if (bars.size() != count) {
        throw ScoreError(file + ":" + std::to_string(s.line) + ": error: in section " + name +
                         ", " + part + " has " + std::to_string(bars.size()) + " bars, not " +
                         std::to_string(count));
      }
    }
  }
  for (const std::string& name : score.form) {
    if (!score.sections.count(name)) {
      throw ScoreError(file + ": error: form names a section that is not written: " + name);
    }
  }
  return score;
}

struct Event {
  int tick;
  int order;  // at one tick: set-up first, then note-offs, then note-ons
  std::vector<std::uint8_t> bytes;
};

void PutVarLen(std::string& out, std::uint32_t v) {
  std::uint8_t buf[5];
  int n = 0;
  buf[n++] = v & 0x7F;
  while ((v >>= 7) != 0) buf[n++] = 0x80 | (v & 0x7F);
  while (n > 0) out += static_cast<char>(buf[--n]);
}

void Put32(std::string& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out += static_cast<char>((v >> s) & 0xFF);
}

void Put16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v & 0xFF);
}

std::vector<std::uint8_t> Meta(std::uint8_t type, const std::string& data) {
  std::vector<std::uint8_t> b = {0xFF, type};
  std::string len;
  PutVarLen(len, static_cast<std::uint32_t>(data.size()));
  b.insert(b.end(), len.begin(), len.end());
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// A track chunk whose end-of-track event lands exactly on `endTick`.
std::string TrackChunk(std::vector<Event> events, int endTick) {
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::string body;
  int now = 0;
  for (const Event& e : events) {
    PutVarLen(body, static_cast<std::uint32_t>(e.tick - now));
    body.append(e.bytes.begin(), e.bytes.end());
    now = e.tick;
  }
  PutVarLen(body, static_cast<std::uint32_t>(endTick - now));
  body += "\xFF\x2F";
  body += '\0';
  std::string chunk = "MTrk";
  Put32(chunk, static_cast<std::uint32_t>(body.size()));
  return chunk + body;
}

std::string WriteMidi(const Score& score, int& totalTicks, int& totalBars) {
  const int barTicks = score.BarTicks();
  totalBars = 0;
  for (const std::string& name : score.form) {
    std::size_t count = 0;
    for (const auto& [part, bars] : score.sections.at(name).bars)
      count = std::max(count, bars.size());
    totalBars += static_cast<int>(count);
  }
  totalTicks = totalBars * barTicks;

  std::string file = "MThd";
  Put32(file, 6);
  Put16(file, 1);
  Put16(file, static_cast<std::uint16_t>(score.parts.size() + 1));
  Put16(file, kTicksPerQuarter);

  // Track 0: the tempo map.
  std::vector<Event> tempo;
  tempo.push_back({0, 0, Meta(0x03, "porukami bgm")});
  const std::uint32_t usPerQuarter = 60000000u / static_cast<std::uint32_t>(score.tempo);
  tempo.push_back(
      {0,
       0,
       {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(usPerQuarter >> 16),
        static_cast<std::uint8_t>(usPerQuarter >> 8), static_cast<std::uint8_t>(usPerQuarter)}});
  int denPow = 0;
  for (int d = score.meterDen; d > 1; d /= 2) ++denPow;
  tempo.push_back({0,
                   0,
                   {0xFF, 0x58, 0x04, static_cast<std::uint8_t>(score.meterNum),
                    static_cast<std::uint8_t>(denPow), 24, 8}});
  file += TrackChunk(tempo, totalTicks);

  for (const Part& part : score.parts) {
    const auto ch = static_cast<std::uint8_t>(part.channel);
    std::vector<Event> ev;
    ev.push_back({0, 0, Meta(0x03, part.name)});
    ev.push_back(
        {0, 0, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(part.program)}});
    ev.push_back(
        {0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 7, static_cast<std::uint8_t>(part.volume)}});
    ev.push_back(
        {0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 10, static_cast<std::uint8_t>(part.pan)}});
    ev.push_back(
        {0, 0, {static_cast<std::uint8_t>(0xB0 | ch), 91, static_cast<std::uint8_t>(part.reverb)}});
    int barStart = 0;
    for (const std::string& name : score.form) {
      const Section& s = score.sections.at(name);
      std::size_t count = 0;
      for (const auto& [p, bars] : s.bars) count = std::max(count, bars.size());
      const auto it = s.bars.find(part.name);
      for (std::size_t b = 0; b < count; ++b) {
        if (it != s.bars.end()) {
          for (const Note& n : it->second[b]) {
            // The first beat of a bar leans a little harder, as a player would.
            int vel = n.velocity ? n.velocity : part.velocity + (n.start == 0 ? 8 : 0);
            vel = std::clamp(vel, 1, 127);
            for (int key : n.keys) {
              const auto k = static_cast<std::uint8_t>(key);
              ev.push_back(
                  {barStart + n.start,
                   2,
                   {static_cast<std::uint8_t>(0x90 | ch), k, static_cast<std::uint8_t>(vel)}});
              ev.push_back(
                  {barStart + n.start + n.length, 1, {static_cast<std::uint8_t>(0x80 | ch), k, 0}});
            }
          }
        }
        barStart += barTicks;
      }
    }
    file += TrackChunk(ev, totalTicks);
  }
  return file;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: porukami_midigen SCORE OUTPUT.mid\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << argv[1] << ": error: cannot be read\n";
    return 1;
  }
  try {
    const Score score = ParseScore(in, argv[1]);
    int ticks = 0;
    int bars = 0;
    const std::string midi = WriteMidi(score, ticks, bars);
    const std::string temp = std::string(argv[2]) + ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out << midi;
      if (!out) throw ScoreError(std::string(argv[2]) + ": error: cannot be written");
    }
    if (std::rename(temp.c_str(), argv[2]) != 0) {
      throw ScoreError(std::string(argv[2]) + ": error: cannot be written");
    }
    const double seconds = 60.0 * ticks / kTicksPerQuarter / score.tempo;
    std::printf("%s: %d bars, %.1f s\n", argv[2], bars, seconds);
  } catch (const ScoreError& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
