// Reading and writing the stored window description text.
#include "platform/stream/description.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace qv {

TDescriptionError::TDescriptionError(const std::string& file, int line, const std::string& what)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + what), line_(line) {}

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Nesting bound: hostile text must not exhaust the stack.
constexpr int kMaxDepth = 200;

class Parser {
 public:
  Parser(std::string_view text, std::string_view file) : s_(text), file_(file) {}

  TDescObject Document() {
    Skip();
    TDescObject root = Object(0);
    Skip();
    if (pos_ < s_.size()) Fail("text after the end of the top-level object");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw TDescriptionError(file_, line_, what);
  }

  // Skips blanks and comments, counting lines.
  void Skip() {
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '/' && pos_ + 1 < s_.size() && s_[pos_ + 1] == '/') {
        while (pos_ < s_.size() && s_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  bool At(char c) {
    Skip();
    return pos_ < s_.size() && s_[pos_] == c;
  }

  void Expect(char c) {
    if (!At(c)) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }

  std::string Ident() {
    Skip();
    if (pos_ >= s_.size() || !IsIdentStart(s_[pos_])) Fail("identifier expected");
    const std::size_t start = pos_;
    while (pos_ < s_.size() && IsIdentChar(s_[pos_])) ++pos_;
    return std::string(s_.substr(start, pos_ - start));
  }

  // A property name: identifiers joined by dots.
  std::string DottedName() {
    std::string name = Ident();
    while (pos_ < s_.size() && s_[pos_] == '.') {
      ++pos_;
      if (pos_ >= s_.size() || !IsIdentStart(s_[pos_])) Fail("identifier expected after '.'");
      name += '.';
      name += Ident();
    }
    return name;
  }

  bool AtKeyword(std::string_view word) {
    Skip();
    if (s_.compare(pos_, word.size(), word) != 0) return false;
    const std::size_t end = pos_ + word.size();
    return end >= s_.size() || !IsIdentChar(s_[end]);
  }

  TDescObject Object(int depth) {
    if (depth > kMaxDepth) Fail("objects nested too deeply");
    if (!AtKeyword("object")) Fail("'object' expected");
    TDescObject obj;
    obj.line = line_;
    pos_ += 6;
    obj.name = Ident();
    Expect(':');
    obj.class_name = Ident();
    while (true) {
      Skip();
      if (pos_ >= s_.size()) Fail("'end' expected before the end of the text");
      if (AtKeyword("end")) {
        pos_ += 3;
        return obj;
      }
      if (AtKeyword("object")) {
        obj.children.push_back(Object(depth + 1));
      } else {
        obj.properties.push_back(Property(depth));
      }
    }
  }

  TDescProperty Property(int depth) {
    TDescProperty p;
    p.line = line_;
    p.name = DottedName();
    Expect('=');
    p.value = Value(depth + 1);
    return p;
  }

  TDescValue Value(int depth) {
    if (depth > kMaxDepth) Fail("values nested too deeply");
    Skip();
    TDescValue v;
    v.line = line_;
    if (pos_ >= s_.size()) Fail("value expected");
    const char c = s_[pos_];
    if (c == '\'' || c == '#') {
      v.kind = TDescValue::Kind::String;
      v.text = String();
    } else if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
      Number(v);
    } else if (IsIdentStart(c)) {
      v.kind = TDescValue::Kind::Ident;
      v.ident = Ident();
    } else if (c == '[') {
      ++pos_;
      v.kind = TDescValue::Kind::Set;
      if (!At(']')) {
        v.set.push_back(Ident());
        while (At(',')) {
          ++pos_;
          v.set.push_back(Ident());
        }
      }
      Expect(']');
    } else if (c == '(') {
      ++pos_;
      v.kind = TDescValue::Kind::List;
      while (!At(')')) {
        if (pos_ >= s_.size()) Fail("')' expected");
        v.list.push_back(Value(depth + 1));
      }
      ++pos_;
    } else if (c == '<') {
      ++pos_;
      v.kind = TDescValue::Kind::Collection;
      while (!At('>')) {
        if (!AtKeyword("item")) Fail("'item' or '>' expected");
        pos_ += 4;
        std::vector<TDescProperty> item;
        while (!AtKeyword("end")) {
          if (pos_ >= s_.size()) Fail("'end' of the item expected");
          item.push_back(Property(depth + 1));
        }
        pos_ += 3;
        v.items.push_back(std::move(item));
      }
      ++pos_;
    } else if (c == '{') {
      ++pos_;
      v.kind = TDescValue::Kind::Binary;
      const std::size_t start = pos_;
      while (pos_ < s_.size() && s_[pos_] != '}' && s_[pos_] != '\n') ++pos_;
      if (pos_ >= s_.size() || s_[pos_] != '}') Fail("'}' expected after the resource name");
      v.ident = std::string(s_.substr(start, pos_ - start));
      ++pos_;
      if (v.ident.empty()) Fail("empty resource name");
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return v;
  }

  void Number(TDescValue& v) {
    const std::size_t start = pos_;
    if (s_[pos_] == '$') {
      ++pos_;
      const std::size_t digits = pos_;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      std::uint64_t u = 0;
      const auto [end, ec] = std::from_chars(s_.data() + digits, s_.data() + pos_, u, 16);
      if (digits == pos_ || ec != std::errc{} || u > 0xFFFFFFFFu) Fail("bad hexadecimal number");
      (void)end;
      v.kind = TDescValue::Kind::Integer;
      v.integer = static_cast<std::int64_t>(u);
      return;
    }
    if (s_[pos_] == '-' || s_[pos_] == '+') ++pos_;
    bool real = false;
    while (pos_ < s_.size()) {
      const char c = s_[pos_];
      if (IsDigit(c)) {
        ++pos_;
      } else if (c == '.' || c == 'e' || c == 'E') {
        real = true;
        ++pos_;
        if ((c == 'e' || c == 'E') && pos_ < s_.size() && (s_[pos_] == '-' || s_[pos_] == '+'))
          ++pos_;
      } else {
        break;
      }
    }
    const char* first = s_.data() + start + (s_[start] == '+' ? 1 : 0);
    const char* last = s_.data() + pos_;
    if (real) {
      double d = 0;
      const auto [end, ec] = std::from_chars(first, last, d);
      if (ec != std::errc{} || end != last || !std::isfinite(d)) Fail("bad decimal number");
      v.kind = TDescValue::Kind::Float;
      v.number = d;
    } else {
      std::int64_t i = 0;
      const auto [end, ec] = std::from_chars(first, last, i);
      if (ec != std::errc{} || end != last) Fail("bad integer");
      v.kind = TDescValue::Kind::Integer;
      v.integer = i;
    }
  }

  // Quoted parts and #code characters, joined directly or with '+'.
  ustring String() {
    std::string utf8;
    ustring out;
    auto flush = [&] {
      out += Utf8ToUtf16(utf8);
      utf8.clear();
    };
    while (true) {
      Skip();
      if (pos_ < s_.size() && s_[pos_] == '\'') {
        ++pos_;
        while (true) {
          if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
          if (s_[pos_] == '\'') {
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
              utf8 += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          utf8 += s_[pos_++];
        }
      } else if (pos_ < s_.size() && s_[pos_] == '#') {
        ++pos_;
        const std::size_t digits = pos_;
        while (pos_ < s_.size() && IsDigit(s_[pos_])) ++pos_;
        unsigned code = 0;
        const auto [end, ec] = std::from_chars(s_.data() + digits, s_.data() + pos_, code);
        if (digits == pos_ || ec != std::errc{} || code > 0xFFFF) Fail("bad character code");
        (void)end;
        flush();
        out.push_back(static_cast<char16_t>(code));
      } else {
        Fail("string expected");
      }
      // A further part follows directly ('a'#13) or after '+'.
      const std::size_t save_pos = pos_;
      const int save_line = line_;
      if (pos_ < s_.size() && (s_[pos_] == '\'' || s_[pos_] == '#')) continue;
      Skip();
      if (pos_ < s_.size() && s_[pos_] == '+') {
        ++pos_;
        continue;
      }
      pos_ = save_pos;
      line_ = save_line;
      break;
    }
    flush();
    return out;
  }

  std::string_view s_;
  std::string file_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

void Indent(std::string& out, int depth) { out.append(static_cast<std::size_t>(depth) * 2, ' '); }

void WriteString(std::string& out, ustring_view s) {
  if (s.empty()) {
    out += "''";
    return;
  }
  bool quoted = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    // Control characters and lone surrogates go as codes so the text survives exactly.
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool paired = high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
    const bool as_code = c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF && !paired);
    if (as_code) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#';
      out += std::to_string(static_cast<unsigned>(c));
      continue;
    }
    if (!quoted) out += '\'';
    quoted = true;
    if (c == u'\'') {
      out += "''";
    } else if (paired) {
      out += Utf16ToUtf8(s.substr(i, 2));
      ++i;
    } else {
      out += Utf16ToUtf8(s.substr(i, 1));
    }
  }
  if (quoted) out += '\'';
}

void WriteProperties(std::string& out, const std::vector<TDescProperty>& props, int depth);

void WriteValue(std::string& out, const TDescValue& v, int depth) {
  switch (v.kind) {
    case TDescValue::Kind::String:
      WriteString(out, v.text);
      break;
    case TDescValue::Kind::Integer:
      out += std::to_string(v.integer);
      break;
    case TDescValue::Kind::Float: {
      char buf[64];
      const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v.number);
      (void)ec;
      std::string text(buf, end);
      if (text.find_first_of(".e") == std::string::npos) text += ".0";
      out += text;
      break;
    }
    case TDescValue::Kind::Ident:
      out += v.ident;
      break;
    case TDescValue::Kind::Set:
      out += '[';
      for (std::size_t i = 0; i < v.set.size(); ++i) {
        if (i) out += ", ";
        out += v.set[i];
      }
      out += ']';
      break;
    case TDescValue::Kind::List:
      out += '(';
      for (const auto& item : v.list) {
        out += '\n';
        Indent(out, depth + 1);
        WriteValue(out, item, depth + 1);
      }
      out += ')';
      break;
    case TDescValue::Kind::Collection:
      out += '<';
      for (const auto& item : v.items) {
        out += '\n';
        Indent(out, depth + 1);
        out += "item\n";
        WriteProperties(out, item, depth + 2);
        Indent(out, depth + 1);
        out += "end";
      }
      out += '>';
      break;
    case TDescValue::Kind::Binary:
      out += '{' + v.ident + '}';
      break;
  }
}

void WriteProperties(std::string& out, const std::vector<TDescProperty>& props, int depth) {
  for (const auto& p : props) {
    Indent(out, depth);
    out += p.name + " = ";
    WriteValue(out, p.value, depth);
    out += '\n';
  }
}

void WriteObject(std::string& out, const TDescObject& obj, int depth) {
  Indent(out, depth);
  out += "object " + obj.name + ": " + obj.class_name + '\n';
  WriteProperties(out, obj.properties, depth + 1);
  for (const auto& child : obj.children) WriteObject(out, child, depth + 1);
  Indent(out, depth);
  out += "end\n";
}

}  // namespace

TDescObject ParseDescription(std::string_view text, std::string_view file_name) {
  return Parser(text, file_name).Document();
}

std::string WriteDescription(const TDescObject& root) {
  std::string out;
  WriteObject(out, root, 0);
  return out;
}

}  // namespace qv
