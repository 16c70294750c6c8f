#include "sound/mci_command.h"

#include <cstddef>
#include <vector>

namespace porukami {

namespace {

struct Token {
  std::string_view text;
  bool quoted = false;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Splits the command into words; a word in double quotes may hold spaces. Returns an error code.
std::uint32_t Tokenize(std::string_view text, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSpace(text[i])) {
      ++i;
      continue;
    }
    if (text[i] == '"') {
      const std::size_t close = text.find('"', i + 1);
      if (close == std::string_view::npos) return kMciErrNoClosingQuote;
      tokens.push_back({text.substr(i + 1, close - i - 1), true});
      i = close + 1;
      if (i < text.size() && !IsSpace(text[i])) return kMciErrExtraCharacters;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && !IsSpace(text[end])) ++end;
    tokens.push_back({text.substr(i, end - i), false});
    i = end;
  }
  return kMciOk;
}

bool IsKeyword(const Token& token, std::string_view keyword) {
  return !token.quoted && MciNameEquals(token.text, keyword);
}

// A position: only the very start of the sequence can be asked for by number.
std::uint32_t ReadZero(const Token& token) {
  if (token.text.empty()) return kMciErrBadInteger;
  for (char c : token.text) {
    if (c < '0' || c > '9') return kMciErrBadInteger;
  }
  for (char c : token.text) {
    if (c != '0') return kMciErrOutOfRange;
  }
  return kMciOk;
}

MciVerb VerbOf(const Token& token) {
  if (token.quoted) return MciVerb::kUnknown;
  static constexpr struct {
    std::string_view word;
    MciVerb verb;
  } kVerbs[] = {{"open", MciVerb::kOpen}, {"close", MciVerb::kClose}, {"play", MciVerb::kPlay},
                {"stop", MciVerb::kStop}, {"seek", MciVerb::kSeek},   {"status", MciVerb::kStatus}};
  for (const auto& v : kVerbs) {
    if (MciNameEquals(token.text, v.word)) return v.verb;
  }
  return MciVerb::kUnknown;
}

// Reads the keywords after the device name into `cmd`; returns an error code.
std::uint32_t ReadKeywords(const std::vector<Token>& tokens, MciCommand& cmd) {
  bool sawAlias = false;
  for (std::size_t i = 2; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    const bool hasNext = i + 1 < tokens.size();
    if (IsKeyword(t, "notify") || IsKeyword(t, "wait")) continue;
    switch (cmd.verb) {
      case MciVerb::kOpen:
        if (IsKeyword(t, "alias")) {
          if (!hasNext || tokens[i + 1].text.empty()) return kMciErrMissingStringArgument;
          if (sawAlias) return kMciErrDuplicateAlias;
          cmd.alias = std::string(tokens[++i].text);
          sawAlias = true;
          continue;
        }
        if (IsKeyword(t, "type")) {
          if (!hasNext) return kMciErrMissingStringArgument;
          if (!MciNameEquals(tokens[++i].text, "sequencer")) return kMciErrInvalidDeviceName;
          continue;
        }
        if (IsKeyword(t, "shareable")) continue;
        break;
      case MciVerb::kPlay:
        if (IsKeyword(t, "from")) {
          if (!hasNext) return kMciErrMissingParameter;
          if (const std::uint32_t e = ReadZero(tokens[++i]); e != kMciOk) return e;
          cmd.playFromStart = true;
          continue;
        }
        break;
      case MciVerb::kSeek:
        if (IsKeyword(t, "to")) {
          if (!hasNext) return kMciErrMissingParameter;
          const Token& where = tokens[++i];
          const bool toEnd = IsKeyword(where, "end");
          if (!toEnd && !IsKeyword(where, "start")) {
            if (const std::uint32_t e = ReadZero(where); e != kMciOk) return e;
          }
          cmd.seekTo = toEnd ? MciSeekTarget::kEnd : MciSeekTarget::kStart;
          continue;
        }
        break;
      case MciVerb::kStatus:
        if (IsKeyword(t, "mode")) {
          cmd.statusMode = true;
          continue;
        }
        break;
      default:
        break;
    }
    return kMciErrUnrecognizedKeyword;
  }
  if (cmd.verb == MciVerb::kSeek && cmd.seekTo == MciSeekTarget::kNone) {
    return kMciErrMissingParameter;
  }
  if (cmd.verb == MciVerb::kStatus && !cmd.statusMode) return kMciErrMissingParameter;
  return kMciOk;
}

}  // namespace

bool MciNameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

MciCommand ParseMciCommand(std::string_view text) {
  MciCommand cmd;
  std::vector<Token> tokens;
  if (const std::uint32_t e = Tokenize(text, tokens); e != kMciOk) {
    cmd.error = e;
    return cmd;
  }
  if (tokens.empty()) {
    cmd.error = kMciErrMissingCommandString;
    return cmd;
  }
  cmd.verb = VerbOf(tokens[0]);
  if (cmd.verb == MciVerb::kUnknown) {
    cmd.error = kMciErrUnrecognizedCommand;
    return cmd;
  }
  if (tokens.size() < 2 || tokens[1].text.empty()) {
    cmd.error = kMciErrMissingDeviceName;
    return cmd;
  }
  cmd.hasDevice = true;
  cmd.device = std::string(tokens[1].text);
  cmd.error = ReadKeywords(tokens, cmd);
  return cmd;
}

}  // namespace porukami
