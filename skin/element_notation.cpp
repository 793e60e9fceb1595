// The notations of image elements, their canonical text and its fields.
#include "skin/element_notation.h"

#include <algorithm>
#include <vector>

#include "skin/options_store.h"

namespace qv {

namespace {

const ustring kZeros16(16, u'0');
const ustring kZeros32(32, u'0');

// Words between runs of the separator; the value's first character is one.
std::vector<ustring> SplitWords(ustring_view v, char16_t sep) {
  std::vector<ustring> words;
  std::size_t i = 0;
  while (i < v.size()) {
    while (i < v.size() && v[i] == sep) ++i;
    const std::size_t start = i;
    while (i < v.size() && v[i] != sep) ++i;
    if (i > start) words.emplace_back(v.substr(start, i - start));
  }
  return words;
}

ustring Word(const std::vector<ustring>& w, std::size_t n) {  // 1-based; absent = empty
  return n >= 1 && n <= w.size() ? w[n - 1] : ustring();
}

ustring Pad(ustring s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), u'0');
  return s;
}

ustring Digits4(int v) { return Pad(IntToStr(v), 4); }

int ToInt(ustring_view text, const char* field) {
  const auto v = TryParseSkinInt(text);
  if (!v)
    throw ESkinConvertError("\"" + Utf16ToUtf8(text) + "\" is not a valid number for the " + field +
                            " of an image element.");
  return *v;
}

std::int16_t ToInt16(ustring_view text, const char* field) {
  const int v = ToInt(text, field);
  if (v < -32768 || v > 32767)
    throw ESkinConvertError("\"" + Utf16ToUtf8(text) + "\" is out of range for the " + field +
                            " of an image element.");
  return static_cast<std::int16_t>(v);
}

ustring PrefixKind(char16_t prefix, const std::vector<ustring>& words) {
  switch (prefix) {
    case u'^':
      return u"0";
    case u'~':
      return u"1";
    case u'@':
      return u"2";
    default: {
      // "!": the kind word; not a number counts as 0 (negative too), above 4 as 4.
      const auto k = TryParseSkinInt(Word(words, 4));
      const int kind = !k || *k < 0 ? 0 : std::min(*k, 4);
      return IntToStr(kind);
    }
  }
}

ustring BorderText(ustring_view v, const std::vector<ustring>& w) {
  ustring margins = Word(w, 5) + Word(w, 6) + Word(w, 7) + Word(w, 8);
  const bool zero_margins = Word(w, 5) == u"0000" && Word(w, 6) == u"0000" &&
                            Word(w, 7) == u"0000" && Word(w, 8) == u"0000";
  if (v.size() > 47 && zero_margins) {
    const ustring u = Pad(Word(w, 12), 4);
    if (u != u"0000") {
      margins = u + u + u + u;
    } else {
      // Half a frame less one pixel, read from the value's own rectangle.
      const int left = ToInt(Copy(v, 2, 4), "left edge");
      const int top = ToInt(Copy(v, 7, 4), "top edge");
      const int right = ToInt(Copy(v, 12, 4), "right edge");
      const int bottom = ToInt(Copy(v, 17, 4), "bottom edge");
      int frames = ToInt(Word(w, 9), "image count");
      const int mask = ToInt(Word(w, 10), "mask type");
      // No frames and a mask type of -1 would divide by zero: count them as one.
      if (frames <= 0) frames = 1;
      const int rows = mask + 1 == 0 ? 1 : mask + 1;
      const int wl = std::max(0, ((right - left) / frames - 1) / 2);
      const int wt = std::max(0, ((bottom - top) / rows - 1) / 2);
      margins = Digits4(wl) + Digits4(wt) + Digits4(wl) + Digits4(wt);
    }
  }
  return u"&" + Word(w, 1) + Word(w, 2) + Word(w, 3) + Word(w, 4) + margins + Word(w, 9) +
         Word(w, 10) + u"0" + Pad(Word(w, 11), 2) + u"000000";
}

ustring FileText(const std::vector<ustring>& w, const ustring& kind) {
  const ustring file = Word(w, 1), n = Word(w, 2), m = Word(w, 3), mode = Pad(Word(w, 9), 2);
  const ustring quad = Word(w, 5) + Word(w, 6) + Word(w, 7) + Word(w, 8);
  const bool five = w.size() >= 5;
  if (kind == u"0") return u"&" + kZeros16 + quad + n + m + kind + mode + u"000000" + file;
  if (kind == u"3") {
    if (five) return u"&" + kZeros16 + quad + n + m + kind + mode + u"000000" + file;
    return u"&" + kZeros32 + u"10" + kind + u"00" + u"000000" + file;
  }
  if (kind == u"1") return u"&" + kZeros32 + n + m + kind + mode + u"000000" + file;
  // Glyphs: a rectangle when given.
  if (five) return u"&" + quad + kZeros16 + n + m + kind + mode + u"000000" + file;
  return u"&" + kZeros32 + n + m + kind + mode + u"000000" + file;
}

}  // namespace

bool IsElementValue(ustring_view v) {
  if (v.empty()) return false;
  const char16_t c = v[0];
  if (c == u'!' || c == u'&' || c == u'@' || c == u'^' || c == u'~') return true;
  return Pos(u".JPG", v) > 0 || Pos(u".BMP", v) > 0;
}

ustring CanonicalElementText(ustring_view v) {
  if (v.empty()) return {};
  const char16_t c = v[0];
  if (c == u'&') return ustring(v);
  if (c != u'!' && c != u'@' && c != u'^' && c != u'~')
    return u"&" + kZeros32 + u"101" + u"00" + u"000000" + ustring(v);
  const std::vector<ustring> w = SplitWords(v, c);
  const ustring kind = PrefixKind(c, w);
  if (v.size() < 4) {
    const ustring file = c == u'!' ? Word(w, 1) : ustring();
    return u"&" + kZeros32 + u"30" + kind + u"01" + u"00" + u"0000" + file;
  }
  switch (c) {
    case u'^':
      return BorderText(v, w);
    case u'@':
      return u"&" + Word(w, 1) + Word(w, 2) + Word(w, 3) + Word(w, 4) + kZeros16 + Word(w, 5) +
             Word(w, 6) + u"2" + u"00000000";
    case u'~': {
      const ustring mask = v.size() >= 25 ? ustring(1, v[24]) : ustring(u"0");
      return u"&" + Word(w, 1) + Word(w, 2) + Word(w, 3) + Word(w, 4) + kZeros16 + u"1" + mask +
             u"1" + Pad(Word(w, 5), 2) + u"000000" + (w.size() > 6 ? w[6] : ustring());
    }
    default:
      return FileText(w, kind);
  }
}

TacElementFields ParseCanonicalElement(ustring_view s) {
  TacElementFields f;
  f.R.Left = ToInt(Copy(s, 2, 4), "left edge");
  f.R.Top = ToInt(Copy(s, 6, 4), "top edge");
  f.R.Right = ToInt(Copy(s, 10, 4), "right edge");
  f.R.Bottom = ToInt(Copy(s, 14, 4), "bottom edge");
  f.WL = ToInt16(Copy(s, 18, 4), "left margin");
  f.WT = ToInt16(Copy(s, 22, 4), "top margin");
  f.WR = ToInt16(Copy(s, 26, 4), "right margin");
  f.WB = ToInt16(Copy(s, 30, 4), "bottom margin");
  f.ImageCount = ToInt16(Copy(s, 34, 1), "image count");
  if (f.ImageCount < 1) {
    f.ImageCount = 1;
    f.NoFrameCount = true;
  }
  f.MaskType = ToInt16(Copy(s, 35, 1), "mask type");
  const int kind = ToInt(Copy(s, 36, 1), "image kind");
  f.ImgType = static_cast<TacImgType>(std::clamp(kind, 0, 4));
  f.DrawMode = ToInt16(Copy(s, 37, 2), "draw mode");
  f.FileName = Copy(s, 45, static_cast<int>(s.size()));
  return f;
}

void ApplyElementFields(const TacElementFields& f, TsMaskData& md) {
  md.R = f.R;
  md.WL = f.WL;
  md.WT = f.WT;
  md.WR = f.WR;
  md.WB = f.WB;
  md.ImageCount = f.ImageCount;
  md.MaskType = f.MaskType;
  md.ImgType = f.ImgType;
  md.DrawMode = f.DrawMode;
}

void ReadElementValue(ustring_view upper_value, TsMaskData& md, ustring* file_name) {
  const TacElementFields f = ParseCanonicalElement(CanonicalElementText(upper_value));
  ApplyElementFields(f, md);
  if (file_name) *file_name = f.FileName;
}

}  // namespace qv
