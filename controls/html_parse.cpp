// The markup engine of the HTML label: the character scan, tags, fonts,
// character references, the wrap rule, line placement and links.
#include "controls/html_parse.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "paint/compositing.h"
#include "platform/text/text.h"
#include "platform/window/shell.h"

namespace qv {

namespace {

// ---------------------------------------------------------------------------
// Character references

struct TNamedChar {
  const char16_t* Name;
  int Code;
};

// Every name is also recognised as "#" and its number.
constexpr TNamedChar kNamedChars[] = {
    {u"ndash", 8211}, {u"mdash", 8212}, {u"nbsp", 160},   {u"iexcl", 161},  {u"iquest", 191},
    {u"quot", 34},    {u"ldquo", 8220}, {u"rdquo", 8221}, {u"lsquo", 8216}, {u"rsquo", 8217},
    {u"laquo", 171},  {u"raquo", 187},  {u"amp", 38},     {u"cent", 162},   {u"copy", 169},
    {u"divide", 247}, {u"gt", 62},      {u"lt", 60},      {u"micro", 181},  {u"middot", 183},
    {u"para", 182},   {u"plusmn", 177}, {u"euro", 8364},  {u"pound", 163},  {u"reg", 174},
    {u"sect", 167},   {u"trade", 153},  {u"yen", 165},    {u"szlig", 223},  {u"yuml", 255},
    {u"aacute", 225}, {u"Aacute", 193}, {u"agrave", 224}, {u"Agrave", 192}, {u"acirc", 226},
    {u"Acirc", 194},  {u"aring", 229},  {u"Aring", 197},  {u"atilde", 227}, {u"Atilde", 195},
    {u"auml", 228},   {u"Auml", 196},   {u"aelig", 230},  {u"AElig", 198},  {u"ccedil", 231},
    {u"Ccedil", 199}, {u"eacute", 233}, {u"Eacute", 201}, {u"egrave", 232}, {u"Egrave", 200},
    {u"ecirc", 234},  {u"Ecirc", 202},  {u"euml", 235},   {u"Euml", 203},   {u"iacute", 237},
    {u"Iacute", 205}, {u"igrave", 236}, {u"Igrave", 204}, {u"icirc", 238},  {u"Icirc", 206},
    {u"iuml", 239},   {u"Iuml", 207},   {u"ntilde", 241}, {u"Ntilde", 209}, {u"oacute", 243},
    {u"Oacute", 211}, {u"ograve", 242}, {u"Ograve", 210}, {u"ocirc", 244},  {u"Ocirc", 212},
    {u"oslash", 248}, {u"Oslash", 216}, {u"otilde", 245}, {u"Otilde", 213}, {u"ouml", 246},
    {u"Ouml", 214},   {u"uacute", 250}, {u"Uacute", 218}, {u"ugrave", 249}, {u"Ugrave", 217},
    {u"ucirc", 251},  {u"Ucirc", 219},  {u"uuml", 252},   {u"Uuml", 220},
};
// The apostrophe and the two accents exist only as numbers.
constexpr std::array<int, 3> kNumberOnly{39, 180, 96};

// "trade" and its number stand for the trade mark sign, not for the control
// character that number is in Unicode.
char16_t CharOfCode(int code) { return code == 153 ? u'\u2122' : static_cast<char16_t>(code); }

// The decimal number after "#", written without leading zeros; -1 otherwise.
int ReferenceNumber(ustring_view digits) {
  if (digits.empty() || digits.size() > 5 || digits[0] == u'0') return -1;
  int n = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return -1;
    n = n * 10 + (c - u'0');
  }
  return n;
}

// ---------------------------------------------------------------------------
// FONT attributes

bool IsTagBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

bool IsFontWordBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == u' ' || c == u'"' || c == u'<' || c == u'=' || c == u'>';
}

std::vector<ustring_view> FontWords(ustring_view tag) {
  std::vector<ustring_view> words;
  std::size_t i = 0;
  while (i < tag.size()) {
    while (i < tag.size() && IsFontWordBreak(tag[i])) ++i;
    const std::size_t start = i;
    while (i < tag.size() && !IsFontWordBreak(tag[i])) ++i;
    if (i > start) words.push_back(tag.substr(start, i - start));
  }
  return words;
}

// Decimal digits only, saturating far above any font size; nullopt for
// anything else.
std::optional<int> Digits(ustring_view s) {
  if (s.empty()) return std::nullopt;
  int n = 0;
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return std::nullopt;
    n = std::min(n * 10 + (c - u'0'), 1000000);
  }
  return n;
}

constexpr int kMinFontPoints = 1;
constexpr int kMaxFontPoints = 144;

// The font's size in points, also for a font given by its cell height.
int PointSize(const TFont& font) {
  if (font.Height < 0) return font.Size();
  const TTextMetrics tm = GetTextMetrics(font);
  return MulDiv(tm.Height - tm.InternalLeading, 72, font.PixelsPerInch);
}

// Hexadecimal RRGGBB; a trailing "H" is ignored, any other character gives
// black, and only the low 24 bits of a longer value count.
TColor HexColor(ustring_view s) {
  if (!s.empty() && s.back() == u'H') s.remove_suffix(1);
  std::uint32_t v = 0;
  for (char16_t c : s) {
    int d;
    if (c >= u'0' && c <= u'9') {
      d = c - u'0';
    } else if (c >= u'A' && c <= u'F') {
      d = c - u'A' + 10;
    } else {
      return clBlack;
    }
    v = ((v << 4) | static_cast<std::uint32_t>(d)) & 0xFFFFFF;
  }
  return RGB(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v));
}

struct TNamedColor {
  const char16_t* Name;
  TColor Color;
};
constexpr std::array<TNamedColor, 16> kNamedColors{{
    {u"AQUA", RGB(0, 255, 255)},
    {u"BLACK", RGB(0, 0, 0)},
    {u"BLUE", RGB(0, 0, 255)},
    {u"FUCHSIA", RGB(255, 0, 255)},
    {u"GRAY", RGB(128, 128, 128)},
    {u"GREEN", RGB(0, 128, 0)},
    {u"LIME", RGB(0, 255, 0)},
    {u"MAROON", RGB(128, 0, 0)},
    {u"NAVY", RGB(0, 0, 128)},
    {u"OLIVE", RGB(128, 128, 0)},
    {u"PURPLE", RGB(128, 0, 128)},
    {u"RED", RGB(255, 0, 0)},
    {u"SILVER", RGB(192, 192, 192)},
    {u"TEAL", RGB(0, 128, 128)},
    {u"WHITE", RGB(255, 255, 255)},
    {u"YELLOW", RGB(255, 255, 0)},
}};

TColor FontColor(ustring_view word) {
  if (!word.empty() && word[0] == u'#') return HexColor(word.substr(1));
  for (const TNamedColor& c : kNamedColors)
    if (word == c.Name) return c.Color;
  return HexColor(word);
}

// ---------------------------------------------------------------------------
// Links

// The address of a link from its opening tag: the value after HREF and "=",
// quotes and ">" removed. Whatever follows the value in the tag stays part of
// it, so the value must be the tag's last attribute. Without HREF or "="
// there is no address.
ustring LinkAddress(ustring_view tag) {
  const ustring upped = UpperCase(tag);
  const std::size_t href = upped.find(u"HREF");
  if (href == ustring::npos) return {};
  const std::size_t eq = tag.find(u'=', href + 4);
  if (eq == ustring_view::npos) return {};
  std::size_t i = eq + 1;
  while (i < tag.size() && IsTagBlank(tag[i])) ++i;
  // Only an opening quote is dropped: an unquoted value keeps its first
  // character.
  if (i < tag.size() && (tag[i] == u'"' || tag[i] == u'\'')) ++i;
  ustring address;
  for (; i < tag.size(); ++i)
    if (tag[i] != u'"' && tag[i] != u'\'' && tag[i] != u'>') address += tag[i];
  while (!address.empty() && IsTagBlank(address.back())) address.pop_back();
  return address;
}

constexpr unsigned kRunFlags = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

}  // namespace

// ---------------------------------------------------------------------------
// Helpers of the public interface

std::optional<char16_t> SpecialCharacter(ustring_view name) {
  if (!name.empty() && name[0] == u'#') {
    const int n = ReferenceNumber(name.substr(1));
    if (n < 0) return std::nullopt;
    for (const TNamedChar& c : kNamedChars)
      if (c.Code == n) return CharOfCode(n);
    for (int code : kNumberOnly)
      if (code == n) return CharOfCode(n);
    return std::nullopt;
  }
  for (const TNamedChar& c : kNamedChars)
    if (name == c.Name) return CharOfCode(c.Code);
  return std::nullopt;
}

ustring StripMarkup(ustring_view caption) {
  ustring out;
  std::size_t i = 0;
  while (i < caption.size()) {
    const std::size_t lt = caption.find(u'<', i);
    const std::size_t gt = lt == ustring_view::npos ? lt : caption.find(u'>', lt + 1);
    if (gt == ustring_view::npos) break;
    out.append(caption.substr(i, lt - i));
    i = gt + 1;
  }
  if (i < caption.size()) out.append(caption.substr(i));
  return out;
}

bool TacLink::Contains(TPoint p) const {
  return std::any_of(Pieces.begin(), Pieces.end(), [p](const TRect& r) { return r.Contains(p); });
}

int LinkAt(const TacLinks& links, TPoint p) {
  for (std::size_t i = 0; i < links.size(); ++i)
    if (links[i].Contains(p)) return static_cast<int>(i);
  return -1;
}

THtmlLinkColors HtmlLinkColors(const TacPaletteArray* palette) {
  if (palette == nullptr) return {};
  const TacPaletteArray& p = *palette;
  return {p[pcWebText], p[pcWebTextHot], MixColors(p[pcWebTextHot], p[pcLabelText], 127)};
}

void PaintHtmlRun(TCanvas& canvas, const THtmlRun& run) {
  const TFont font = canvas.Font;
  const TBkMode mode = canvas.BkMode();
  canvas.Font = run.Font;
  canvas.SetBkMode(TRANSPARENT);
  TRect r = run.Rect;
  canvas.DrawText(run.Text, r, run.Flags);
  canvas.SetBkMode(mode);
  canvas.Font = font;
}

bool ClickHtmlLink(const TacLinks& links, int index, TObject* sender,
                   const TLinkClickEvent& on_link_click, int show_mode) {
  // Links are replaced by every layout; a stale index opens nothing.
  if (index < 0 || static_cast<std::size_t>(index) >= links.size()) return false;
  ustring url = links[static_cast<std::size_t>(index)].URL;
  bool default_action = true;
  if (on_link_click) on_link_click(sender, url, default_action);
  if (url.empty() || !default_action) return false;
  return ShellExecute(HWND{}, u"open", url, u"", u"", show_mode) > 32;
}

// ---------------------------------------------------------------------------
// The engine

void TsHtml::Init(TCanvas& canvas, ustring text, int pressed_link, int hot_link,
                  const TRect& area) {
  canvas_ = &canvas;
  start_font_ = canvas.Font;
  default_font_color_ = canvas.Font.Color;
  origin_ = std::move(text);
  // One unit for one unit, so that positions found in the upper-cased copy
  // are positions in the caption.
  upped_ = UpperCase(origin_);
  len_ = static_cast<int>(origin_.size());
  next_close_.assign(origin_.size() + 1, -1);
  for (int i = len_ - 1; i >= 0; --i)
    next_close_[static_cast<std::size_t>(i)] = upped_[static_cast<std::size_t>(i)] == u'>'
                                                   ? i
                                                   : next_close_[static_cast<std::size_t>(i) + 1];
  pressed_link_ = pressed_link;
  hot_link_ = hot_link;
  area_ = area;
  line_sizes_.clear();
}

TRect TsHtml::HTMLText(TacLinks& links, bool measure_only) {
  if (canvas_ == nullptr) return {};
  RunPass(true);
  const TRect measured{0, 0, max_width_, cur_y_ + row_height_ - area_.Top};
  canvas_->Font = start_font_;
  if (measure_only) return measured;
  RunPass(false);
  canvas_->Font = start_font_;
  links = std::move(links_);
  links_.clear();
  return measured;
}

void TsHtml::RunPass(bool calculating) {
  calculating_ = calculating;
  canvas_->Font = start_font_;
  canvas_->Font.Color = default_font_color_;
  fonts_.clear();
  max_width_ = 0;
  line_number_ = 0;
  cur_width_ = 0;
  row_height_ = 0;
  cur_y_ = area_.Top;
  if (calculating_) line_sizes_.clear();
  InitNewX();
  links_.clear();
  open_links_.clear();
  piece_starts_.clear();
  cur_pos_ = 0;
  last_pos_ = 0;

  while (cur_pos_ < len_) {
    const char16_t c = upped_[static_cast<std::size_t>(cur_pos_)];
    const bool doubled = cur_pos_ + 1 < len_ && upped_[static_cast<std::size_t>(cur_pos_) + 1] == c;
    if (c == u' ') {
      TryTextOut();
      ++cur_pos_;  // the space starts the next piece
    } else if (c == u'\r') {
      // A line break in the caption only separates words; breaks are tags.
      TryTextOut();
      ++cur_pos_;
      if (cur_pos_ < len_ && upped_[static_cast<std::size_t>(cur_pos_)] == u'\n') ++cur_pos_;
      last_pos_ = cur_pos_;
    } else if (c == u'&') {
      ShowPendingPiece();
      if (GetSpecialCharacter()) {
        last_pos_ = cur_pos_;
      } else if (doubled) {
        // "&&" is an ampersand.
        last_pos_ = cur_pos_ + 1;
        cur_pos_ += 2;
      } else {
        ++cur_pos_;
      }
    } else if (c == u'<' && doubled) {
      // "<<" is a "<" that opens no tag.
      ShowPendingPiece();
      last_pos_ = cur_pos_ + 1;
      cur_pos_ += 2;
    } else if (c == u'<') {
      TryTextOut();
      const int end = next_close_[static_cast<std::size_t>(cur_pos_)];
      if (end < 0) {
        ++cur_pos_;  // no ">" follows: the "<" is dropped
        last_pos_ = cur_pos_;
      } else if (ExecTag(end)) {
        cur_pos_ = end + 1;
        last_pos_ = cur_pos_;
      } else {
        cur_pos_ = end + 1;  // an unknown tag stays pending, drawn as text
      }
    } else {
      ++cur_pos_;
    }
  }
  TryTextOut();
  // An unclosed link still answers the mouse where it was drawn.
  while (!open_links_.empty()) CloseLink();
  if (calculating_) line_sizes_.push_back({cur_width_, row_height_});
  max_width_ = std::max(max_width_, cur_width_);
}

int TsHtml::WrapX() const {
  // From the line's own width, not the drawing position: the measuring pass
  // and the aligned drawing pass then break lines at the same places.
  return std::max(0, area_.Left + cur_width_);
}

ustring_view TsHtml::TakePendingPiece() {
  piece_.clear();
  for (int i = last_pos_; i < cur_pos_; ++i) {
    const char16_t c = origin_[static_cast<std::size_t>(i)];
    if (c != u'\r' && c != u'\n') piece_ += c;
  }
  last_pos_ = cur_pos_;
  return piece_;
}

void TsHtml::TryTextOut() {
  ustring_view text = TakePendingPiece();
  if (text.empty()) return;
  TSize ext = canvas_->TextExtent(text);
  if (area_.Right > 0 && WrapX() + ext.cx > area_.Right) {
    if (text[0] == u' ') {
      // A space that ends a line is not drawn.
      text.remove_prefix(1);
      if (text.empty()) return;
      ext = canvas_->TextExtent(text);
    }
    if (ext.cx > area_.Width()) {
      // Wider than the whole area: it stays where it is and overflows.
      ShowPiece(text);
      NewRow();
      return;
    }
    if (cur_width_ > 0) NewRow();
  }
  ShowPiece(text);
}

void TsHtml::ShowPendingPiece() {
  const ustring_view text = TakePendingPiece();
  if (!text.empty()) ShowPiece(text);
}

void TsHtml::ShowPiece(ustring_view text) {
  const TSize ext = canvas_->TextExtent(text);
  row_height_ = std::max(row_height_, ext.cy);
  if (!calculating_) DrawRun(text, ext.cx);
  cur_x_ += ext.cx;
  cur_width_ += ext.cx;
}

void TsHtml::DrawRun(ustring_view text, int width) {
  const THtmlRun run{text,
                     canvas_->Font,
                     {cur_x_, cur_y_, cur_x_ + width, cur_y_ + row_height_},
                     kRunFlags | (RightToLeft ? DT_RTLREADING : 0u),
                     open_links_.empty() ? -1 : open_links_.back()};
  if (RunPainter) {
    RunPainter(*canvas_, run);
  } else {
    PaintHtmlRun(*canvas_, run);
  }
}

void TsHtml::NewRow() {
  EndLinkPieces();
  cur_y_ += row_height_ + 2;
  if (calculating_) line_sizes_.push_back({cur_width_, row_height_});
  max_width_ = std::max(max_width_, cur_width_);
  ++line_number_;
  cur_width_ = 0;
  row_height_ = 0;
  InitNewX();
  StartLinkPieces();
}

int TsHtml::RecordedLine(int index, bool height) const {
  if (line_sizes_.empty()) return 0;
  const TSize& s = line_sizes_[std::min(static_cast<std::size_t>(index), line_sizes_.size() - 1)];
  return height ? s.cy : s.cx;
}

void TsHtml::InitNewX() {
  if (calculating_) {
    cur_x_ = area_.Left;
    return;
  }
  const int w = RecordedLine(line_number_, false);
  const int room = area_.Width() - w;
  TAlignment a = Alignment;
  if (RightToLeft && a != TAlignment::taCenter)
    a = a == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
  switch (a) {
    case TAlignment::taLeftJustify:
      cur_x_ = area_.Left;
      break;
    case TAlignment::taRightJustify:
      cur_x_ = area_.Left + room;
      break;
    case TAlignment::taCenter:
      cur_x_ = area_.Left + room / 2;
      break;
  }
}

void TsHtml::UpdateRowHeight() {
  row_height_ = calculating_ ? canvas_->TextHeight(u"Yy") : RecordedLine(line_number_, true);
}

bool TsHtml::GetSpecialCharacter() {
  const std::size_t amp = static_cast<std::size_t>(cur_pos_);
  const std::size_t limit = std::min(origin_.size(), amp + 1 + 255);
  std::size_t semi = amp + 1;
  while (semi < limit && origin_[semi] != u';') {
    if (origin_[semi] == u' ') return false;
    ++semi;
  }
  if (semi >= limit) return false;
  const std::optional<char16_t> ch =
      SpecialCharacter(ustring_view(origin_).substr(amp + 1, semi - amp - 1));
  if (!ch) return false;

  const char16_t text[1] = {*ch};
  const int width = canvas_->TextWidth(ustring_view(text, 1));
  if (area_.Right > 0 && WrapX() + width > area_.Right && cur_width_ > 0) NewRow();
  if (calculating_) {
    row_height_ = std::max(row_height_, canvas_->TextHeight(u"Yy"));
  } else {
    row_height_ = RecordedLine(line_number_, true);
    DrawRun(ustring_view(text, 1), width);
  }
  cur_x_ += width;
  cur_width_ += width;
  cur_pos_ = static_cast<int>(semi) + 1;
  return true;
}

bool TsHtml::ExecTag(int end) {
  const ustring_view tag = ustring_view(upped_).substr(
      static_cast<std::size_t>(cur_pos_), static_cast<std::size_t>(end - cur_pos_ + 1));
  auto at = [&](std::size_t pos, ustring_view name) {
    return tag.size() > pos && tag.substr(pos, name.size()) == name;
  };
  // An opening name at the second character, ending the tag's name.
  auto opening = [&](ustring_view name) {
    if (!at(1, name)) return false;
    const char16_t next = tag[1 + name.size()];  // the tag ends with ">", so this exists
    return next == u' ' || next == u'>';
  };
  TFont& font = canvas_->Font;

  if (tag.size() > 1 && tag[1] == u'/') {
    // Any closing tag whose name starts with one of these counts.
    if (at(2, u"B")) {
      font.Style &= ~static_cast<TFontStyles>(fsBold);
    } else if (at(2, u"I")) {
      font.Style &= ~static_cast<TFontStyles>(fsItalic);
    } else if (at(2, u"U")) {
      font.Style &= ~static_cast<TFontStyles>(fsUnderline);
    } else if (at(2, u"FONT")) {
      BackFont();
    } else if (at(2, u"A")) {
      CloseLink();
    } else if (at(2, u"P")) {
      NewRow();
      UpdateRowHeight();
    } else {
      return false;
    }
    return true;
  }
  if (opening(u"BR") || opening(u"BR/") || opening(u"P")) {
    NewRow();
    UpdateRowHeight();
  } else if (opening(u"B")) {
    font.Style |= fsBold;
  } else if (opening(u"I")) {
    font.Style |= fsItalic;
  } else if (opening(u"U")) {
    font.Style |= fsUnderline;
  } else if (tag.find(u"FONT") != ustring_view::npos) {
    NewFont(false);
    ApplyFontAttributes(tag);
  } else if (tag.find(u'A') != ustring_view::npos) {
    OpenLink();
  } else {
    return false;
  }
  return true;
}

void TsHtml::ApplyFontAttributes(ustring_view tag) {
  TFont& font = canvas_->Font;
  const std::vector<ustring_view> words = FontWords(tag);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const ustring_view word = words[i];
    if (word == u"SIZE" && i + 1 < words.size()) {
      const ustring_view value = words[++i];
      int points;
      if (value[0] == u'+' || value[0] == u'-') {
        const std::optional<int> step = Digits(value.substr(1));
        if (!step) continue;  // "+" without a number: the size stays
        points = PointSize(font) + (value[0] == u'+' ? *step : -*step);
      } else {
        points = Digits(value).value_or(8);
      }
      font.SetSize(std::clamp(points, kMinFontPoints, kMaxFontPoints));
    } else if (word == u"COLOR" && i + 1 < words.size()) {
      font.Color = FontColor(words[++i]);
    } else if (word == u"FACE") {
      const std::size_t after = static_cast<std::size_t>(word.data() - tag.data()) + word.size();
      const std::size_t open = tag.find(u'"', after);
      const std::size_t close = open == ustring_view::npos ? open : tag.find(u'"', open + 1);
      if (close != ustring_view::npos && close > open + 1)
        font.Name = ustring(tag.substr(open + 1, close - open - 1));
    }
  }
}

void TsHtml::NewFont(bool link) {
  fonts_.push_back(canvas_->Font);
  if (!link) return;
  const int index = static_cast<int>(links_.size());
  const int state = (index == pressed_link_ ? 1 : 0) + (index == hot_link_ ? 1 : 0);
  TFont& font = canvas_->Font;
  font.Color = state == 0   ? link_colors_.Normal
               : state == 1 ? link_colors_.Hot
                            : link_colors_.Pressed;
  if (state > 0) font.Style |= fsUnderline;
}

void TsHtml::BackFont() {
  if (fonts_.empty()) return;
  canvas_->Font = std::move(fonts_.back());
  fonts_.pop_back();
}

void TsHtml::OpenLink() {
  NewFont(true);
  const std::size_t len =
      static_cast<std::size_t>(next_close_[static_cast<std::size_t>(cur_pos_)] - cur_pos_ + 1);
  // The tag text until the link closes; then its address.
  links_.push_back({{}, origin_.substr(static_cast<std::size_t>(cur_pos_), len)});
  open_links_.push_back(static_cast<int>(links_.size()) - 1);
  piece_starts_.push_back({cur_x_, cur_y_});
}

void TsHtml::CloseLink() {
  // A closing tag with no link open changes nothing.
  if (open_links_.empty()) return;
  TacLink& link = links_[static_cast<std::size_t>(open_links_.back())];
  const TPoint start = piece_starts_.back();
  const TRect piece{start.X, start.Y, cur_x_, start.Y + row_height_};
  if (!piece.IsEmpty()) link.Pieces.push_back(piece);
  link.URL = LinkAddress(link.URL);
  open_links_.pop_back();
  piece_starts_.pop_back();
  BackFont();
}

void TsHtml::EndLinkPieces() {
  for (std::size_t k = 0; k < open_links_.size(); ++k) {
    const TPoint start = piece_starts_[k];
    const TRect piece{start.X, start.Y, cur_x_, start.Y + row_height_};
    if (!piece.IsEmpty()) links_[static_cast<std::size_t>(open_links_[k])].Pieces.push_back(piece);
  }
}

void TsHtml::StartLinkPieces() {
  for (TPoint& start : piece_starts_) start = {cur_x_, cur_y_};
}

}  // namespace qv
