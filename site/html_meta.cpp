// A small tag scanner for the meta declarations of a page's head.
#include "site/html_meta.h"

#include "site/ascii.h"
#include "site/charset.h"

namespace qv {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsNameEnd(char c) { return IsSpace(c) || c == '/' || c == '>'; }

// Case-insensitive test that s continues with an ASCII lower-case word at i.
bool At(std::string_view s, std::size_t i, std::string_view word) {
  if (s.size() - i < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    if (AsciiLower(s[i + k]) != word[k]) return false;
  }
  return true;
}

bool TagAt(std::string_view s, std::size_t i, std::string_view name) {
  return At(s, i, name) && (i + name.size() == s.size() || IsNameEnd(s[i + name.size()]));
}

struct Attribute {
  std::string name;  // lower case
  std::string_view value;
};

// Reads one attribute starting at i (inside a tag); false at the tag's end.
bool NextAttribute(std::string_view s, std::size_t& i, Attribute& attr) {
  while (i < s.size() && (IsSpace(s[i]) || s[i] == '/')) ++i;
  if (i >= s.size() || s[i] == '>') return false;
  attr.name.clear();
  attr.value = {};
  while (i < s.size() && !IsSpace(s[i]) && s[i] != '=' && s[i] != '>' &&
         !(s[i] == '/' && !attr.name.empty())) {
    attr.name += AsciiLower(s[i]);
    ++i;
  }
  std::size_t j = i;
  while (j < s.size() && IsSpace(s[j])) ++j;
  if (j >= s.size() || s[j] != '=') return true;  // attribute without a value
  ++j;
  while (j < s.size() && IsSpace(s[j])) ++j;
  if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
    const char quote = s[j];
    const std::size_t close = s.find(quote, j + 1);
    const std::size_t end = close == std::string_view::npos ? s.size() : close;
    attr.value = s.substr(j + 1, end - j - 1);
    i = close == std::string_view::npos ? s.size() : close + 1;
    return true;
  }
  const std::size_t start = j;
  while (j < s.size() && !IsSpace(s[j]) && s[j] != '>') ++j;
  attr.value = s.substr(start, j - start);
  i = j;
  return true;
}

std::string LowerTrimmed(std::string_view v) {
  while (!v.empty() && IsSpace(v.front())) v.remove_prefix(1);
  while (!v.empty() && IsSpace(v.back())) v.remove_suffix(1);
  return AsciiLowerCopy(v);
}

}  // namespace

TMetaHeaders ScanMetaHeaders(std::string_view html) {
  TMetaHeaders result;
  std::size_t i = 0;
  while ((i = html.find('<', i)) != std::string_view::npos) {
    if (At(html, i, "<!--")) {
      const std::size_t close = html.find("-->", i + 4);
      if (close == std::string_view::npos) break;
      i = close + 3;
      continue;
    }
    if (TagAt(html, i + 1, "/head") || TagAt(html, i + 1, "body")) break;
    if (!TagAt(html, i + 1, "meta")) {
      ++i;
      continue;
    }
    i += 5;
    std::string_view httpEquiv, content, charset;
    bool hasHttpEquiv = false, hasContent = false, hasCharset = false;
    Attribute attr;
    while (NextAttribute(html, i, attr)) {
      // The first of repeated attributes counts, as in a browser.
      if (attr.name == "http-equiv" && !hasHttpEquiv) {
        httpEquiv = attr.value;
        hasHttpEquiv = true;
      } else if (attr.name == "content" && !hasContent) {
        content = attr.value;
        hasContent = true;
      } else if (attr.name == "charset" && !hasCharset) {
        charset = attr.value;
        hasCharset = true;
      }
    }
    if (i < html.size()) ++i;  // past '>'

    const std::string equiv = LowerTrimmed(httpEquiv);
    if (result.charset.empty()) {
      std::string found;
      if (hasCharset) found = CanonicalCharset(charset);
      if (found.empty() && equiv == "content-type" && hasContent) {
        found = CanonicalCharset(ParseContentType(content).charset);
      }
      result.charset = std::move(found);
    }
    if (equiv == "set-cookie" && hasContent &&
        result.setCookies.size() < TMetaHeaders::kMaxCookies) {
      result.setCookies.emplace_back(content);
    }
  }
  return result;
}

}  // namespace qv
