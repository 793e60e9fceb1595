// Reading scripts: lines, words, comments, and each action's arguments.
#include "tools/snapshot/script.h"

#include <charconv>
#include <optional>

#include "tools/snapshot/key_names.h"

namespace qv::script {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

struct TWord {
  std::string_view text;
  std::size_t end;  // offset in the line just after the word
};

// The line's words up to a comment.
std::vector<TWord> SplitWords(std::string_view line) {
  std::vector<TWord> words;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size() || line[i] == '#') break;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    words.push_back({line.substr(start, i - start), i});
  }
  return words;
}

std::optional<int> ToInt(std::string_view s, int lo, int hi) {
  // An explicit "+" is allowed; "+-5" is not a number.
  if (!s.empty() && s[0] == '+') {
    s.remove_prefix(1);
    if (!s.empty() && s[0] == '-') return std::nullopt;
  }
  int v = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || ptr != s.data() + s.size() || v < lo || v > hi)
    return std::nullopt;
  return v;
}

bool ValidUtf8(std::string_view s) { return Utf16ToUtf8(Utf8ToUtf16(s)) == s; }

// Names of shots stay inside the output folder.
bool SafeFileName(std::string_view f) {
  if (f.empty() || f.front() == '/' || f.find('\\') != std::string_view::npos) return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t slash = f.find('/', start);
    const std::string_view part = f.substr(start, slash - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

class TLineReader {
 public:
  TLineReader(int line, std::string_view text) : line_(line), text_(text) {}

  std::optional<TAction> Read() {
    for (char c : text_)
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t') Fail("holds a control character");
    if (!ValidUtf8(text_)) Fail("is not valid UTF-8");
    words_ = SplitWords(text_);
    if (words_.empty()) return std::nullopt;

    TAction a;
    a.line = line_;
    const std::string_view verb = words_[0].text;
    if (verb == "page") {
      a.kind = TActionKind::Page;
      Arity(1, "page takes a page number");
      a.number = Number(1, 1, 1000, "page takes a page number from 1");
    } else if (verb == "click" || verb == "hover") {
      a.kind = verb == "click" ? TActionKind::Click : TActionKind::Hover;
      Arity(1, std::string(verb) + " takes a control name");
    } else if (verb == "select") {
      a.kind = TActionKind::Select;
      Arity(2, "select takes a control name and an item index");
      a.number = Number(2, 0, 1 << 20, "select takes an item index from 0");
    } else if (verb == "type") {
      a.kind = TActionKind::Type;
      ReadText(a);
    } else if (verb == "key") {
      a.kind = TActionKind::Key;
      if (words_.size() < 3) Fail("key takes a control name and one or more keys");
      ReadKeys(a, 2);
    } else if (verb == "press") {
      a.kind = TActionKind::Press;
      if (words_.size() < 2) Fail("press takes one or more keys");
      ReadKeys(a, 1);
    } else if (verb == "drag") {
      a.kind = TActionKind::Drag;
      Arity(3, "drag takes a control name and two distances");
      const std::string why = "drag takes distances from -" + std::to_string(kMaxDragDistance) +
                              " to " + std::to_string(kMaxDragDistance);
      a.dx = Number(2, -kMaxDragDistance, kMaxDragDistance, why);
      a.dy = Number(3, -kMaxDragDistance, kMaxDragDistance, why);
    } else if (verb == "wait") {
      a.kind = TActionKind::Wait;
      Arity(1, "wait takes a number of milliseconds");
      a.number = Number(1, 0, kMaxWaitMs,
                        "wait takes from 0 to " + std::to_string(kMaxWaitMs) + " milliseconds");
    } else if (verb == "shot") {
      a.kind = TActionKind::Shot;
      Arity(1, "shot takes a file name");
      a.file = std::string(words_[1].text);
      if (!SafeFileName(a.file))
        Fail("shot takes a file name inside the output folder, not \"" + a.file + "\"");
    } else if (verb == "dump") {
      a.kind = TActionKind::Dump;
      for (std::size_t i = 1; i < words_.size(); ++i) a.names.emplace_back(words_[i].text);
    } else {
      Fail("unknown action \"" + std::string(verb) + "\"");
    }
    if (a.kind != TActionKind::Wait && a.kind != TActionKind::Shot && a.kind != TActionKind::Dump &&
        a.kind != TActionKind::Press)
      a.name = std::string(words_[1].text);
    if (a.kind != TActionKind::Type)
      a.source = std::string(text_.substr(Start(words_[0]), words_.back().end - Start(words_[0])));
    return a;
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const { throw EScriptError(line_, message); }

  std::size_t Start(const TWord& w) const {
    return static_cast<std::size_t>(w.text.data() - text_.data());
  }

  // Exactly `args` words after the action's.
  void Arity(std::size_t args, const std::string& usage) const {
    if (words_.size() != args + 1) Fail(usage);
  }

  // The key chords from word `first` to the end.
  void ReadKeys(TAction& a, std::size_t first) const {
    for (std::size_t i = first; i < words_.size(); ++i) {
      const auto chord = ParseKeyChord(words_[i].text);
      if (!chord) Fail("unknown key \"" + std::string(words_[i].text) + "\"");
      a.keys.push_back(*chord);
    }
  }

  int Number(std::size_t word, int lo, int hi, const std::string& usage) const {
    const auto v = ToInt(words_[word].text, lo, hi);
    if (!v) Fail(usage + ", not \"" + std::string(words_[word].text) + "\"");
    return *v;
  }

  // "type NAME TEXT": the text is everything after the blanks that follow the
  // name, "#" and trailing blanks included.
  void ReadText(TAction& a) const {
    const std::string_view usage = "type takes a control name and the text to type";
    if (words_.size() < 2) Fail(std::string(usage));
    std::size_t i = words_[1].end;
    while (i < text_.size() && IsBlank(text_[i])) ++i;
    if (i >= text_.size()) Fail(std::string(usage));
    a.text = Utf8ToUtf16(text_.substr(i));
    a.source = std::string(text_.substr(Start(words_[0])));
  }

  int line_;
  std::string_view text_;
  std::vector<TWord> words_;
};

}  // namespace

EScriptError::EScriptError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

std::vector<TAction> ParseScript(std::string_view utf8) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  std::vector<TAction> actions;
  int line = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    ++line;
    const std::size_t nl = utf8.find('\n', pos);
    std::string_view text = utf8.substr(pos, nl == std::string_view::npos ? nl : nl - pos);
    pos = nl == std::string_view::npos ? utf8.size() : nl + 1;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (auto a = TLineReader(line, text).Read()) actions.push_back(std::move(*a));
  }
  return actions;
}

}  // namespace qv::script
