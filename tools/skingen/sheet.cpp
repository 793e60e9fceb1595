// The contact sheet and the preview. Both paint from the package read back
// (view.h), so what they show is what the skin holds, rotated as the window
// shows it. The sheet has three bands: two windows built from the skin's
// parts (the first page of the main window active, the transfer page
// inactive), every control in each of its states, and every element's frames
// at 1:1 and enlarged over a checkerboard.
#include "tools/skingen/sheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include "paint/compositing.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "tools/icongen/icons.h"
#include "tools/skingen/elements.h"
#include "tools/skingen/palette.h"
#include "tools/skingen/view.h"

namespace qv::skingen {
namespace {

// The sheet's own ink, for its labels (not part of the skin).
constexpr TColor kSheetBack = Hex(0xFAFAFA);
constexpr TColor kSheetInk = Hex(0x404040);
constexpr TColor kSheetRule = Hex(0xCFCFCF);
constexpr unsigned kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// Paints the window's controls the way their Parts describe, from the skin:
// section states, elements, text in the sections' font colours.
class TPainter {
 public:
  TPainter(const TSkinView& v, TBitmap32& b) : v_(v), b_(b), ppi_(v.PPI()) {}

  int U(int n) const { return n * ppi_ / 96; }
  TRect U(int l, int t, int w, int h) const { return {U(l), U(t), U(l) + U(w), U(t) + U(h)}; }
  int Sec(const char16_t* name) const { return v_.Section(name); }

  // Tahoma at `em` pixels designed at 96 PPI (8 pt: 11).
  void Text(TRect r, ustring_view text, TColor c, unsigned flags = kLine, int em = 11,
            bool bold = false) {
    TCanvas cv(b_);
    Font(cv, em, bold);
    cv.Font.Color = c;
    cv.SetBkMode(TRANSPARENT);
    cv.DrawText(text, r, flags);
  }
  int TextWidth(ustring_view text, int em = 11, bool bold = false) {
    TCanvas cv(b_);
    Font(cv, em, bold);
    return cv.TextWidth(text);
  }
  int TextHeight(int em = 11) {
    TCanvas cv(b_);
    Font(cv, em, false);
    return cv.TextHeight(u"Wg");
  }

  void Fill(const TRect& r, TColor c) { FillRectAlpha(b_, r, c, 255); }
  void Section(const TRect& r, const char16_t* name, int state) {
    v_.PaintSection(b_, r, Sec(name), state);
  }
  TColor Font(const char16_t* section, int state) const {
    return v_.FontColor(Sec(section), state);
  }
  TColor Face(const char16_t* section, int state) const {
    return v_.Look(Sec(section), state).Color;
  }

  // The skin engine's disabled look over a parent of one colour.
  void Disable(const TRect& r, TColor parent) {
    for (int y = std::max(0, r.Top); y < std::min(b_.Height(), r.Bottom); ++y)
      for (int x = std::max(0, r.Left); x < std::min(b_.Width(), r.Right); ++x) {
        TBGRA& p = b_.Pixel(x, y);
        const auto mix = [](int px, int pc) {
          return static_cast<std::uint8_t>((px * 100 + pc * 155) >> 8);
        };
        p = {mix(p.B, GetBValue(parent)), mix(p.G, GetGValue(parent)), mix(p.R, GetRValue(parent)),
             p.A};
      }
  }

  void Button(const TRect& r, ustring_view caption, int state, int image = -1) {
    Section(r, u"BUTTON", state);
    const int s = std::min(state, 2);
    TRect t = r;
    if (state == 2 && v_.Gd(Sec(u"BUTTON")).ShiftOnClick) t = t.Offset(1, 1);
    if (image >= 0) {
      const TBitmap32 icon = Icon(image);
      const int w = icon.Width() + U(4) + TextWidth(caption);
      const int x = t.Left + (t.Width() - w + 1) / 2;
      Over(icon, x, t.Top + (t.Height() - icon.Height() + 1) / 2);
      t.Left = x + icon.Width() + U(4);
      Text(t, caption, v_.FontColor(Sec(u"BUTTON"), s));
      return;
    }
    Text(t, caption, v_.FontColor(Sec(u"BUTTON"), s), kLine | DT_CENTER);
  }
  void Glow(const TRect& r) {
    const int e = v_.Element(Sec(u"BUTTON"), u"GLOW0");
    if (e < 0) return;
    const TMaskElement m = v_.Mask(e);
    v_.DrawBorder(b_, {r.Left - m.WL, r.Top - m.WT, r.Right + m.WR, r.Bottom + m.WB}, e, 0);
  }

  void Field(const TRect& r, const char16_t* section, ustring_view text, int state) {
    Section(r, section, state);
    const int b = 2 + 1;
    Text({r.Left + b + U(1), r.Top, r.Right - b, r.Bottom}, text,
         v_.FontColor(Sec(section), state));
  }

  // A list-style combo box: the field, its button and arrow; focused, the
  // text area shows the selection.
  void Combo(const TRect& r, ustring_view text, int state, int button_state, bool focused = false) {
    Section(r, u"COMBOBOX", state);
    int margin = v_.Data().ComboBoxMargin;
    if (margin == 1 && ppi_ > 143) margin = 2;
    const int bw = ScrollWidth() - 1;
    const TRect btn{r.Right - margin - bw, r.Top + margin, r.Right - margin, r.Bottom - margin};
    Section(btn, u"COMBOBTN", button_state);
    const int glyph = v_.Element(Sec(u"COMBOBOX"), u"GLYPHMASK");
    if (glyph >= 0) {
      const TMaskElement g = v_.Mask(glyph);
      v_.DrawImage(b_,
                   {btn.Left + (btn.Width() - g.Width) / 2, r.Top + (r.Height() - g.Height) / 2},
                   glyph, button_state);
    }
    const TRect area{r.Left + 3, r.Top + 3, btn.Left - 2, r.Bottom - 3};
    if (focused) {
      Section(area, u"SELECTION", 1);
      Text(area.Offset(U(2), 0), text, Font(u"SELECTION", 2));
    } else {
      Text({area.Left + U(2), area.Top, area.Right, area.Bottom}, text, Font(u"COMBOBOX", 1));
    }
  }
  // The platform's scroll-arrow width at this density.
  int ScrollWidth() const { return v_.Data().ScrollBtnLength * ppi_ / 96; }

  void Spin(const TRect& r, ustring_view text, int up, int down, bool focused = false) {
    Section(r, u"EDIT", focused ? 1 : 0);
    const int bw = U(16), top = r.Top + 1, bottom = r.Bottom - 1;
    const TRect text_rect{r.Left + 3 + U(1), r.Top, r.Right - bw - 1, r.Bottom};
    Text(text_rect, text, Font(u"EDIT", focused ? 1 : 0));
    const int mid = r.Top + r.Height() / 2;
    const TRect ub{r.Right - 1 - bw, top, r.Right - 1, mid};
    const TRect db{r.Right - 1 - bw, mid + r.Height() % 2, r.Right - 1, bottom};
    Section(ub, u"TOOLBUTTON", up);
    Section(db, u"TOOLBUTTON", down);
    // The engine draws these arrows itself; the spin buttons' glyphs stand in.
    for (const auto& [rect, name, st] :
         {std::tuple{ub, u"UPDOWNBTN_TOP", up}, std::tuple{db, u"UPDOWNBTN_BOTTOM", down}}) {
      const int g = v_.Element(Sec(name), u"GLYPHMASK");
      const TMaskElement m = v_.Mask(g);
      v_.DrawImage(
          b_, {rect.Left + (rect.Width() - m.Width) / 2, rect.Top + (rect.Height() - m.Height) / 2},
          g, st);
    }
  }

  // A check box: the skin's box image for the check state, drawn in the
  // paint state, then the caption in the colour of what lies below.
  void Check(const TRect& r, ustring_view caption, int check, int state, TColor text) {
    static const char16_t* const kBox[] = {u"BOXUNCHECKED", u"BOXCHECKED", u"BOXGRAYED"};
    const int e = v_.Element(Sec(u"GLOBALINFO"), kBox[check]);
    const TMaskElement m = v_.Mask(e);
    v_.DrawImage(b_, {r.Left, r.Top + (r.Height() - m.Height) / 2}, e, state);
    const int left = r.Left + v_.Data().Spacing / 2 + m.Width + 2;
    Text({left, r.Top - 1, r.Right + U(40), r.Bottom - 1}, caption, text);
  }

  void Label(TPoint p, ustring_view text, TColor c, bool bold = false) {
    Text({p.X, p.Y, p.X + TextWidth(text, 11, bold) + 2, p.Y + U(13)}, text, c, kLine, 11, bold);
  }
  // A bound label left of its control, right-aligned, the skin's spacing apart.
  void BoundLabel(const TRect& control, ustring_view text, TColor c) {
    const int w = TextWidth(text);
    Text({control.Left - w - v_.Data().Spacing, control.Top, control.Left - v_.Data().Spacing,
          control.Bottom - 1},
         text, c);
  }

  void GroupBox(const TRect& r, ustring_view caption, TColor parent) {
    const int h = TextHeight() + 2;
    const int top = h / 2;
    Section({r.Left, r.Top + top, r.Right, r.Bottom}, u"GROUPBOX", 0);
    const int w = TextWidth(caption) + 4;
    const TRect cap{r.Left + 8, r.Top, r.Left + 8 + w, r.Top + h};
    Fill(cap, parent);
    Text(cap, caption, Font(u"GROUPBOX", 0), kLine | DT_CENTER);
  }

  // A tab row on top of a pane; tab i of n in its first, middle or last look.
  void Tabs(const TRect& pane_rect, const std::vector<ustring>& captions,
            const std::vector<int>& icons, int active, int hot) {
    const int th = std::max(TextHeight() + U(6), U(16) + U(6)) + U(2);
    Section({pane_rect.Left, pane_rect.Top + th, pane_rect.Right, pane_rect.Bottom}, u"PAGECONTROL",
            0);
    int x = pane_rect.Left + U(2);
    std::vector<TRect> rects;
    for (std::size_t i = 0; i < captions.size(); ++i) {
      int w = 2 * U(6) + TextWidth(captions[i]);
      if (icons[i] >= 0) w += U(16) + U(4);
      rects.push_back({x, pane_rect.Top + U(2), x + w, pane_rect.Top + th});
      x += w;
    }
    const auto paint = [&](std::size_t i) {
      const char16_t* name = i == 0                     ? u"TABTOPFIRST"
                             : i + 1 == captions.size() ? u"TABTOPLAST"
                                                        : u"TABTOPMIDDLE";
      const int state = static_cast<int>(i) == active ? 2 : static_cast<int>(i) == hot ? 1 : 0;
      TRect r = rects[i];
      if (state == 2) {
        r.Top -= U(2);
        r.Bottom += 1;
        r.Left -= U(1);
        r.Right += U(1);
      }
      Section(r, name, state);
      int cx = r.Left + U(6) + (state == 2 ? U(1) : 0);
      if (icons[i] >= 0) {
        const TBitmap32 icon = Icon(icons[i]);
        Over(icon, cx, r.Top + (r.Height() - icon.Height()) / 2);
        cx += icon.Width() + U(4);
      }
      Text({cx, r.Top, r.Right, r.Bottom}, captions[i], v_.FontColor(Sec(name), state));
    };
    for (std::size_t i = 0; i < captions.size(); ++i)
      if (static_cast<int>(i) != active) paint(i);
    if (active >= 0) paint(static_cast<std::size_t>(active));
  }
  int TabRowHeight() { return std::max(TextHeight() + U(6), U(16) + U(6)) + U(2); }

  void TrackBar(const TRect& r, double pos, int state, int thumb_state) {
    const int sec = Sec(u"TRACKBAR");
    Section(r, u"TRACKBAR", state);
    const int ch = v_.Element(sec, u"SLIDERCHANNEL"), th = v_.Element(sec, u"SLIDERMASK");
    const TMaskElement c = v_.Mask(ch), t = v_.Mask(th);
    const int inset = t.Width / 2 + U(2);
    const int top = r.Top + (r.Height() - c.Height + 1) / 2;
    v_.DrawBorder(b_, {r.Left + inset, top, r.Right - inset, top + c.Height}, ch, state);
    const int x = r.Left + inset + static_cast<int>((r.Width() - 2 * inset) * pos) - t.Width / 2;
    v_.DrawImage(b_, {x, r.Top + (r.Height() - t.Height) / 2}, th, thumb_state);
  }

  void Progress(const TRect& r, double fraction) {
    Section(r, u"GAUGE", 0);
    const int w = static_cast<int>(r.Width() * fraction + 0.5);
    if (w > 0) Section({r.Left, r.Top, r.Left + w, r.Bottom}, u"DIALOGTITLE", 0);
  }

  // A whole window: frame, title bar with icon, caption and the close and
  // minimise buttons; returns the client rectangle.
  TRect Window(const TRect& w, ustring_view caption, bool active, int close_state, int min_state) {
    const TDensity d = kDensities[v_.Data().ScaleValue];
    const TTitleMetrics t = TitleMetrics(d);
    const int fa = active ? 1 : 0;
    Section(w, u"FORM", fa);
    Section({w.Left, w.Top, w.Right, w.Top + t.Header()}, u"FORMTITLE", fa);
    const int vc = w.Top + t.VCenter();
    // Buttons from the right edge: close, then minimise.
    int x = w.Right - v_.ScaledGlobal(u"BIRIGHT", 0) - std::max(4, t.Side);
    const int close = v_.Element(Sec(u"GLOBALINFO"), u"BICONCLOSE");
    const int minimise = v_.Element(Sec(u"GLOBALINFO"), u"BICONMIN");
    const TMaskElement cm = v_.Mask(close);
    const auto button = [&](int e, int state) {
      const TMaskElement m = v_.Mask(e);
      const int mode = state == 0 && !active ? 2 : 1;
      v_.DrawImage(b_, {x - m.Width, vc - cm.Height / 2}, e, state, mode);
      x -= m.Width + v_.ScaledGlobal(u"BISPACE", 0);
    };
    button(close, close_state);
    button(minimise, min_state);
    const TBitmap32 icon = icongen::DrawAppIcon(U(16) >= 32 ? 32 : 16);
    const int icon_size = U(16);
    const int ix = w.Left + t.Side + v_.ScaledGlobal(u"BILEFT", 0);
    Over(Scaled(icon, icon_size), ix, vc - icon_size / 2);
    const int left = ix + icon_size + v_.Data().Spacing + 2;
    const TColor ink = v_.FontColor(Sec(u"CAPTION"), fa);
    const int h = TextHeight(13);
    Text({left, vc - h / 2, x - v_.Data().Spacing, vc - h / 2 + h}, caption, ink,
         kLine | DT_END_ELLIPSIS, 13);
    return {w.Left + t.Side, w.Top + t.Header(), w.Right - t.Side, w.Bottom - t.Side};
  }

  // The window's list images at the density (nearest, as an image list scales).
  TBitmap32 Icon(int index) const { return Scaled(icongen::DrawListImage(index), U(16)); }
  static TBitmap32 Scaled(const TBitmap32& src, int size) {
    if (src.Width() == size) return src;
    TBitmap32 out(size, size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        out.Pixel(x, y) = src.Pixel(x * src.Width() / size, y * src.Height() / size);
    return out;
  }
  void Over(const TBitmap32& src, int x, int y) {
    BlendAlphaPiece(b_, src, {0, 0, src.Width() - 1, src.Height() - 1}, 255, {x, y});
  }

 private:
  static void FontOf(TCanvas& cv, int ppi, int em, bool bold) {
    cv.Font.Name = u"Tahoma";
    cv.Font.PixelsPerInch = ppi;
    cv.Font.Height = -MulDiv(em, ppi, 96);
    cv.Font.Style = bold ? TFontStyles{fsBold} : TFontStyles{0};
  }
  void Font(TCanvas& cv, int em, bool bold) const { FontOf(cv, ppi_, em, bold); }

  const TSkinView& v_;
  TBitmap32& b_;
  int ppi_;
};

const std::vector<ustring> kTabs = {u"Тактика", u"Тренировка", u"Трансферный рынок",
                                    u"Поиск игрока", u"О программе"};
const std::vector<int> kTabIcons = {2, 0, 3, 3, -1};
constexpr char16_t kCaption[] = u"Ballora Quorvane [Версия 1.2]";

// The main window's outer rectangle at `at`: its 516 x 412 client inside
// the frame the platform gives a single-border window.
TRect MainWindowRect(TPainter& p, const TSkinView& v, TPoint at) {
  const TTitleMetrics t = TitleMetrics(kDensities[v.Data().ScaleValue]);
  return {at.X, at.Y, at.X + p.U(516) + 2 * t.Side, at.Y + p.U(412) + t.Header() + t.Side};
}

// The main window on its first page, as the skinned controls will show it.
void TacticsWindow(TPainter& p, const TSkinView& v, TPoint at, bool active) {
  const TRect client = p.Window(MainWindowRect(p, v, at), kCaption, active, active ? 1 : 0, 0);
  const TPoint c = client.TopLeft();
  const auto R = [&](int l, int tp, int w, int h) { return p.U(l, tp, w, h).Offset(c.X, c.Y); };

  const TRect pc = R(8, 8, 503, 362);
  p.Tabs(pc, kTabs, kTabIcons, 0, 2);
  const int row = p.TabRowHeight();
  const TPoint s{pc.Left + 1, pc.Top + row + 1};
  const auto S = [&](int l, int tp, int w, int h) { return p.U(l, tp, w, h).Offset(s.X, s.Y); };
  const TColor page = p.Face(u"TABSHEET", 0);
  const TColor ink = p.Font(u"GROUPBOX", 0);

  const TRect g1 = S(3, 8, 239, 169);
  p.GroupBox(g1, u"Тактика соперника", page);
  const auto G = [&](int l, int tp, int w, int h) {
    return p.U(l, tp, w, h).Offset(g1.Left, g1.Top);
  };
  p.Combo(G(80, 24, 53, 21), u"4-3-3", 0, 0);
  p.BoundLabel(G(80, 24, 53, 21), u"Схема:", ink);
  p.Check(G(138, 25, 84, 15), u"Автосостав", 0, 0, ink);
  p.Combo(G(80, 48, 142, 21), u"Смешанные", 0, 1);
  p.BoundLabel(G(80, 48, 142, 21), u"Передачи:", ink);
  p.Combo(G(80, 72, 142, 21), u"Нормальная", 1, 0, true);
  p.BoundLabel(G(80, 72, 142, 21), u"Стратегия:", ink);
  p.Check(G(80, 96, 71, 15), u"Прессинг", 1, 1, ink);
  p.Label(G(28, 126, 46, 13).TopLeft(), u"Тактика:", ink);
  p.TrackBar(G(74, 120, 137, 25), 0.22, 1, 1);
  p.Label(G(80, 144, 20, 13).TopLeft(), u"22%", ink, true);
  p.Label(G(115, 144, 81, 13).TopLeft(), u"Защитная", ink);

  const TRect g2 = S(248, 8, 244, 139);
  p.GroupBox(g2, u"Ваша тактика против соперника", page);
  const auto H2 = [&](int l, int tp) { return p.U(l, tp, 1, 1).Offset(g2.Left, g2.Top).TopLeft(); };
  p.Check(p.U(16, 26, 221, 15).Offset(g2.Left, g2.Top), u"Автоподбор, учитывая прошлые игры", 0, 0,
          ink);
  const std::pair<const char16_t*, const char16_t*> rows[] = {{u"Схема:", u"4-4-2"},
                                                              {u"Пасы:", u"Дальние"},
                                                              {u"Стратегия:", u"Игра в пас"},
                                                              {u"Прессинг:", u"Нет"},
                                                              {u"Тактика:", u"22% Защитная"}};
  int y = 51;
  for (const auto& [k, v] : rows) {
    p.Label(H2(16, y), k, ink);
    p.Label(H2(89, y), v, ink, true);
    y += 16;
  }

  // Docked to the page's bottom with 12-pixel margins.
  const int page_bottom = pc.Bottom - 1;
  const TRect dialog{s.X + p.U(12), page_bottom - p.U(12) - p.U(50), pc.Right - 1 - p.U(12),
                     page_bottom - p.U(12)};
  p.Section(dialog, u"DIALOG", 0);
  p.Text(dialog.Inflate(-p.U(8), 0),
         u"Помните! Данная помощь не гарантирует Вам 100% успех, но увеличит шансы победы над "
         u"соперником",
         p.Font(u"DIALOG", 0), DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX, 15);

  const TRect b3 = R(16, 380, 137, 25), b5 = R(160, 380, 97, 25), b4 = R(428, 380, 75, 25);
  if (active) p.Glow(b3);
  p.Button(b3, u"Сайт разработчика", active ? 1 : 0, 4);
  p.Button(b5, u"Сайт игры", 0, 5);
  p.Button(b4, u"Выйти", 3);
}

// The transfer page: spin edits, pick lists, a disabled list and buttons.
void TransferWindow(TPainter& p, const TSkinView& v, TPoint at, bool active) {
  const TRect client = p.Window(MainWindowRect(p, v, at), kCaption, active, 0, 0);
  const TPoint c = client.TopLeft();
  const TRect pc = p.U(8, 8, 503, 362).Offset(c.X, c.Y);
  p.Tabs(pc, kTabs, kTabIcons, 2, 3);
  const TPoint s{pc.Left + 1, pc.Top + p.TabRowHeight() + 1};
  const auto S = [&](int l, int tp, int w, int h) { return p.U(l, tp, w, h).Offset(s.X, s.Y); };
  const TColor ink = p.Font(u"TABSHEET", 0);
  p.Combo(S(192, 8, 162, 21), u"s1.ballora.example", 0, 0);
  p.BoundLabel(S(192, 8, 162, 21), u"Сервер:", ink);
  const char16_t* labels[] = {u"Мастерство:", u"Возраст:", u"Цена:"};
  for (int i = 0; i < 3; ++i) {
    const int y = 40 + 24 * i;
    p.Label(S(16, y + 4, 1, 1).TopLeft(), labels[i], ink);
    p.Spin(S(192, y, 68, 21), i == 1 ? u"30" : u"0", i == 0 ? 1 : 0, i == 2 ? 2 : 0, i == 1);
    p.BoundLabel(S(192, y, 68, 21), u"от", ink);
    p.Spin(S(286, y, 68, 21), u"0", 0, 0);
    p.BoundLabel(S(286, y, 68, 21), u"до", ink);
  }
  p.Label(S(16, 140, 1, 1).TopLeft(), u"Позиция:", ink);
  p.Combo(S(192, 136, 68, 21), u"Cm", 0, 2);
  const TRect disabled = S(192, 160, 185, 21);
  p.Combo(disabled, u"", 0, 0);
  p.Disable(disabled, p.Face(u"TABSHEET", 0));
  p.Field(S(192, 184, 68, 21), u"EDIT", u"0", 0);
  p.Check(S(336, 208, 103, 15), u"Автоматически", 2, 0, ink);
  p.Button(S(18, 244, 75, 25), u"Сброс", 2);
  p.Button(S(192, 244, 75, 25), u"Поиск", 0, 1);
  p.Button(S(273, 244, 120, 25), u"Скопировать URL", 0, 6);
  const TRect off = S(400, 244, 75, 25);
  p.Button(off, u"Нет", 0);
  p.Disable(off, p.Face(u"TABSHEET", 0));
}

// A band of cells: each a caption over a sample painted by a callback.
class TRow {
 public:
  TRow(TPainter& p, TBitmap32& b, int& y, ustring_view title) : p_(p), b_(b), y_(y) {
    p_.Text({p_.U(16), y_, b_.Width(), y_ + p_.U(16)}, title, kSheetInk, kLine, 11, true);
    y_ += p_.U(18);
    x_ = p_.U(16);
  }
  ~TRow() {
    y_ += height_ + p_.U(28);
    FillRectAlpha(b_, {p_.U(16), y_ - p_.U(12), b_.Width() - p_.U(16), y_ - p_.U(11)}, kSheetRule,
                  255);
  }
  // A cell of w x h designed pixels on a background of the given colour.
  template <class F>
  void Cell(ustring_view label, int w, int h, TColor back, F paint) {
    const int cw = p_.U(w), ch = p_.U(h);
    const int lw = std::max(cw, p_.TextWidth(label, 10)) + p_.U(12);
    if (x_ > p_.U(16) && x_ + std::max(lw, cw + 2 * p_.U(8)) > b_.Width() - p_.U(16)) {
      y_ += height_ + p_.U(10);
      x_ = p_.U(16);
      height_ = 0;
    }
    p_.Text({x_, y_, x_ + lw, y_ + p_.U(13)}, label, kSheetInk, kLine, 10);
    const TRect r{x_, y_ + p_.U(15), x_ + cw + 2 * p_.U(8), y_ + p_.U(15) + ch + 2 * p_.U(8)};
    FillRectAlpha(b_, r, back, 255);
    paint(TRect{r.Left + p_.U(8), r.Top + p_.U(8), r.Left + p_.U(8) + cw, r.Top + p_.U(8) + ch});
    height_ = std::max(height_, r.Bottom - y_);
    x_ += std::max(lw, r.Width()) + p_.U(10);
  }

 private:
  TPainter& p_;
  TBitmap32& b_;
  int& y_;
  int x_ = 0;
  int height_ = 0;
};

void Checkerboard(TBitmap32& b, const TRect& r, int cell) {
  for (int y = std::max(0, r.Top); y < std::min(b.Height(), r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(b.Width(), r.Right); ++x) {
      const bool dark = (((x - r.Left) / cell) + ((y - r.Top) / cell)) % 2 == 1;
      b.Pixel(x, y) = ColorToPixel(dark ? Hex(0x9A9A9A) : Hex(0xB8B8B8), 255);
    }
}

void StatesBand(TPainter& p, const TSkinView& v, TBitmap32& b, int& y) {
  const TColor page = p.Face(u"TABSHEET", 0), window = p.Face(u"FORM", 0);
  const char16_t* kStates[] = {u"0 normal", u"1 hot", u"2 pressed", u"3 default"};
  {
    TRow row(p, b, y, u"BUTTON: states 0-3, hot with its glow, disabled");
    for (int s = 0; s < 4; ++s)
      row.Cell(kStates[s], 97, 25, page, [&](TRect r) { p.Button(r, u"Сайт игры", s, 5); });
    row.Cell(u"1 + glow", 97, 25, page, [&](TRect r) {
      p.Glow(r);
      p.Button(r, u"Поиск", 1, 1);
    });
    row.Cell(u"disabled", 97, 25, page, [&](TRect r) {
      p.Button(r, u"Выйти", 0);
      p.Disable(r, page);
    });
    row.Cell(u"on the form", 75, 25, window, [&](TRect r) { p.Button(r, u"Выйти", 0); });
  }
  {
    TRow row(p, b, y, u"EDIT, COMBOBOX (+ COMBOBTN, GLYPHMASK), SELECTION, spin edit");
    row.Cell(u"edit 0", 120, 21, page, [&](TRect r) { p.Field(r, u"EDIT", u"Защитная", 0); });
    row.Cell(u"edit 1 focused", 120, 21, page,
             [&](TRect r) { p.Field(r, u"EDIT", u"Защитная", 1); });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"combo ") + kStates[s], 120, 21, page,
               [&](TRect r) { p.Combo(r, u"Нормальная", s, s); });
    row.Cell(u"combo focused", 120, 21, page,
             [&](TRect r) { p.Combo(r, u"Нормальная", 1, 0, true); });
    row.Cell(u"spin: up hot, down pressed", 68, 21, page,
             [&](TRect r) { p.Spin(r, u"25", 1, 2, true); });
  }
  {
    TRow row(p, b, y,
             u"Check boxes (GLOBALINFO BOXUNCHECKED / BOXCHECKED / BOXGRAYED), frames 0-2");
    const TColor ink = p.Font(u"GROUPBOX", 0);
    const char16_t* kChecks[] = {u"unchecked", u"checked", u"grayed"};
    for (int c = 0; c < 3; ++c)
      for (int s = 0; s < 3; ++s)
        row.Cell(ustring(kChecks[c]) + u" " + kStates[s], 80, 15, page,
                 [&](TRect r) { p.Check(r, u"Прессинг", c, s, ink); });
    row.Cell(u"disabled", 80, 15, page, [&](TRect r) {
      p.Check(r, u"Прессинг", 1, 0, ink);
      p.Disable({r.Left, r.Top, r.Right + p.U(20), r.Bottom}, page);
    });
  }
  {
    TRow row(p, b, y, u"Tabs: first, middle, last; TABTOP, TABBOTTOM, TABLEFT, TABRIGHT frames");
    row.Cell(u"row: first active, second hot", 330, 60, window, [&](TRect r) {
      p.Tabs(r, {u"Тактика", u"Тренировка", u"Поиск игрока"}, {2, 0, 3}, 0, 1);
    });
    row.Cell(u"last active", 330, 60, window, [&](TRect r) {
      p.Tabs(r, {u"Тактика", u"Тренировка", u"Поиск игрока"}, {2, 0, 3}, 2, 0);
    });
    for (const char16_t* side : {u"TABTOP", u"TABBOTTOM", u"TABLEFT", u"TABRIGHT"})
      for (int s = 0; s < 3; ++s)
        row.Cell(ustring(side) + u" " + kStates[s], 40, 26, window,
                 [&](TRect r) { p.Section(r, side, s); });
  }
  {
    TRow row(p, b, y, u"TRACKBAR (channel, thumb 0-2), GAUGE with DIALOGTITLE, PROGRESSH");
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"thumb ") + kStates[s], 137, 25, page,
               [&](TRect r) { p.TrackBar(r, 0.4, std::min(s, 1), s); });
    for (double f : {0.0, 0.48, 1.0})
      row.Cell(f == 0   ? u"gauge 0/25"
               : f == 1 ? u"25/25"
                        : u"12/25",
               145, 17, page, [&](TRect r) { p.Progress(r, f); });
    row.Cell(u"PROGRESSH", 100, 17, page, [&](TRect r) { p.Section(r, u"PROGRESSH", 0); });
  }
  {
    TRow row(p, b, y, u"Lists and menus: SELECTION, MENUITEM, COLHEADER, HINT, TOOLBUTTON, links");
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"SELECTION ") + kStates[s], 110, 18, page, [&](TRect r) {
        p.Section(r, u"SELECTION", s);
        p.Text(r.Offset(p.U(4), 0), u"Игра в пас", p.Font(u"SELECTION", s));
      });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"MENUITEM ") + kStates[s], 110, 20, page, [&](TRect r) {
        p.Section(r, u"MENUITEM", s);
        p.Text(r.Offset(p.U(8), 0), u"Переместить", p.Font(u"MENUITEM", s));
      });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"COLHEADER ") + kStates[s], 90, 20, page, [&](TRect r) {
        p.Section(r, u"COLHEADER", s);
        p.Text(r.Offset(p.U(6), 0), u"Позиция", p.Font(u"COLHEADER", s));
      });
    row.Cell(u"HINT", 150, 20, page, [&](TRect r) {
      p.Section(r, u"HINT", 0);
      p.Text(r.Offset(p.U(6), 0), u"Открыть сайт игры", p.Font(u"HINT", 0));
    });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"TOOLBUTTON ") + kStates[s], 40, 22, page, [&](TRect r) {
        p.Section(r, u"TOOLBUTTON", s);
        p.Text(r, u"A", p.Font(u"TOOLBUTTON", s), kLine | DT_CENTER);
      });
    const TColor web =
        Shown(static_cast<TColor>(v.Options().ReadInteger(u"GLOBALINFO", u"TCBOTTOM", 0)));
    const TColor web_hot = static_cast<TColor>(v.Options().ReadInteger(u"GLOBALINFO", u"TCTOP", 0));
    row.Cell(u"link, link hot", 150, 18, page, [&](TRect r) {
      p.Text(r, u"quorvane.example", web);
      p.Text(r.Offset(p.U(96), 0), u"hot", web_hot);
    });
  }
  {
    TRow row(p, b, y, u"DIALOG, GROUPBOX, PANEL_LOW, switches SLIDER_OFF / SLIDER_ON, scroll bar");
    row.Cell(u"DIALOG", 471, 50, page, [&](TRect r) {
      p.Section(r, u"DIALOG", 0);
      p.Text(r, u"Правильная тренировка игроков позволит Вам иметь сильных футболистов",
             p.Font(u"DIALOG", 0), DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOPREFIX, 15);
    });
    row.Cell(u"GROUPBOX", 150, 50, page, [&](TRect r) { p.GroupBox(r, u"Тактика", page); });
    row.Cell(u"PANEL_LOW", 80, 50, window, [&](TRect r) { p.Section(r, u"PANEL_LOW", 0); });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"off ") + kStates[s], 40, 20, page, [&](TRect r) {
        p.Section(r, u"SLIDER_OFF", s);
        p.Text(r, u"Нет", p.Font(u"SLIDER_OFF", s), kLine | DT_CENTER);
      });
    for (int s = 0; s < 3; ++s)
      row.Cell(ustring(u"on ") + kStates[s], 40, 20, page, [&](TRect r) {
        p.Section(r, u"SLIDER_ON", s);
        p.Text(r, u"Да", p.Font(u"SLIDER_ON", s), kLine | DT_CENTER);
      });
    row.Cell(u"scroll: track, thumb 0-2, buttons", 17, 150, page, [&](TRect r) {
      const int bw = r.Width();
      p.Section(r, u"SCROLLBAR1V", 0);
      p.Section({r.Left, r.Top, r.Right, r.Top + bw}, u"SCROLLBTNTOP", 1);
      p.Section({r.Left, r.Bottom - bw, r.Right, r.Bottom}, u"SCROLLBTNBOTTOM", 0);
      for (const auto& [name, rr, st] :
           {std::tuple{u"SCROLLBTNTOP", TRect{r.Left, r.Top, r.Right, r.Top + bw}, 1},
            std::tuple{u"SCROLLBTNBOTTOM", TRect{r.Left, r.Bottom - bw, r.Right, r.Bottom}, 0}}) {
        const int g = v.Element(p.Sec(name), u"GLYPHMASK");
        const TMaskElement m = v.Mask(g);
        v.DrawImage(b,
                    {rr.Left + (rr.Width() - m.Width) / 2, rr.Top + (rr.Height() - m.Height) / 2},
                    g, st);
      }
      const int t = r.Top + bw + p.U(4), h = p.U(30);
      for (int s = 0; s < 3; ++s)
        p.Section({r.Left, t + s * (h + p.U(4)), r.Right, t + s * (h + p.U(4)) + h},
                  u"SCROLLSLIDERV", s);
    });
  }
  {
    TRow row(p, b, y, u"Title bar: inactive and active; caption buttons 0-2 (close, minimise)");
    for (int active = 0; active < 2; ++active)
      for (int s = 0; s < 3; ++s)
        row.Cell(
            ustring(active ? u"active " : u"inactive ") + kStates[s], 250, 40, window,
            [&](TRect r) {
              p.Window({r.Left, r.Top, r.Right, r.Bottom}, u"Ballora Quorvane", active == 1, s, s);
            });
  }
  {
    TRow row(p, b, y, u"BUTTON_HUGE: states 0-2 (its file at 100 %, the master bitmap above)");
    for (int s = 0; s < 3; ++s)
      row.Cell(kStates[s], 160, 90, page, [&](TRect r) {
        p.Section(r, u"BUTTON_HUGE", s);
        p.Text(r, u"Поиск", p.Font(u"BUTTON_HUGE", s), kLine | DT_CENTER, 15);
      });
  }
}

// Every element of the skin at this density: its frames at 1:1 over a
// checkerboard, and enlarged beside them.
void ElementsBand(TPainter& p, const TSkinView& v, TBitmap32& b, int& y) {
  const int zoom = std::max(2, 4 * 96 / v.PPI());
  p.Text({p.U(16), y, b.Width(), y + p.U(16)}, u"Elements: frames at 1:1 and enlarged", kSheetInk,
         kLine, 11, true);
  y += p.U(20);
  int x = p.U(16), row_h = 0;
  const TacSkinData& sd = v.Data();
  for (std::size_t i = 0; i < sd.ma.size(); ++i) {
    const TsMaskData& m = sd.ma[i];
    const TMaskElement e = v.Mask(static_cast<int>(i));
    const TBitmap32* src = e.Source();
    if (!src) continue;
    const int w = e.R.Width(), h = e.R.Height();
    const bool big = w * zoom > p.U(420) || h * zoom > p.U(200);
    const int z = big ? 1 : zoom;
    const ustring label = m.ClassName + u"/" + m.PropertyName;
    const int cw = std::max({w + p.U(8) + w * z, p.TextWidth(label, 10)}) + p.U(12);
    const int ch = p.U(15) + std::max(h, h * z) + p.U(4);
    if (x + cw > b.Width() - p.U(16)) {
      x = p.U(16);
      y += row_h + p.U(10);
      row_h = 0;
    }
    p.Text({x, y, x + cw, y + p.U(13)}, label, kSheetInk, kLine, 10);
    const int top = y + p.U(15);
    const int cell = std::max(2, p.U(4));
    Checkerboard(b, {x, top, x + w, top + h}, cell);
    const TBitmap32 piece = [&] {
      TBitmap32 out(w, h);
      for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) out.Pixel(xx, yy) = src->Pixel(e.R.Left + xx, e.R.Top + yy);
      return out;
    }();
    p.Over(piece, x, top);
    if (!big) {
      const int zx = x + w + p.U(8);
      Checkerboard(b, {zx, top, zx + w * z, top + h * z}, cell * 2);
      TBitmap32 zoomed(w * z, h * z);
      for (int yy = 0; yy < h * z; ++yy)
        for (int xx = 0; xx < w * z; ++xx) zoomed.Pixel(xx, yy) = piece.Pixel(xx / z, yy / z);
      p.Over(zoomed, zx, top);
    }
    x += cw;
    row_h = std::max(row_h, ch);
  }
  y += row_h + p.U(16);
}

}  // namespace

TBitmap32 RenderContactSheet(TByteView package, int ppi) {
  const TSkinView view(package, ppi);
  // Drawn twice: once to measure how tall the bands come out.
  int height = 0;
  for (int pass = 0; pass < 2; ++pass) {
    TBitmap32 sheet(ppi * 1200 / 96, pass == 0 ? ppi * 6000 / 96 : height);
    FillRectAlpha(sheet, sheet.BoundsRect(), kSheetBack, 255);
    TPainter p(view, sheet);
    int y = p.U(12);
    p.Text({p.U(16), y, sheet.Width(), y + p.U(20)},
           Utf8ToUtf16("MetroUI (internal) at " + std::to_string(ppi) +
                       " PPI, shown with hue offset " + std::to_string(kShownHueOffset)),
           kSheetInk, kLine, 15, true);
    y += p.U(30);
    const TRect window = MainWindowRect(p, view, {p.U(16), y});
    TacticsWindow(p, view, window.TopLeft(), true);
    TransferWindow(p, view, {window.Right + p.U(24), y}, false);
    y = window.Bottom + p.U(24);
    StatesBand(p, view, sheet, y);
    ElementsBand(p, view, sheet, y);
    height = y + p.U(8);
    if (pass == 1) return sheet;
  }
  return {};
}

TBitmap32 RenderPreview(TByteView package) {
  // A small window drawn at twice the size and halved, so it stays legible.
  const TSkinView view(package, 96);
  TBitmap32 big(2 * kPreviewWidth, 2 * kPreviewHeight);
  TPainter p(view, big);
  const TRect client = p.Window(big.BoundsRect(), u"MetroUI", true, 0, 0);
  const TRect pc{client.Left + 6, client.Top + 6, client.Right - 6, client.Bottom - 40};
  p.Tabs(pc, {u"Тактика", u"Тренировка"}, {2, 0}, 0, 1);
  const int top = pc.Top + p.TabRowHeight() + 12;
  const TColor ink = p.Font(u"TABSHEET", 0);
  p.Combo({pc.Left + 12, top, pc.Left + 112, top + 21}, u"4-4-2", 1, 0, true);
  p.Check({pc.Left + 124, top + 3, pc.Left + 200, top + 18}, u"Прессинг", 1, 0, ink);
  p.Progress({pc.Left + 12, top + 34, pc.Right - 12, top + 51}, 0.6);
  p.Button({client.Left + 6, client.Bottom - 31, client.Left + 96, client.Bottom - 6}, u"Поиск", 3,
           1);
  p.Button({client.Right - 81, client.Bottom - 31, client.Right - 6, client.Bottom - 6}, u"Выйти",
           0);
  TBitmap32 out(kPreviewWidth, kPreviewHeight);
  for (int y = 0; y < kPreviewHeight; ++y)
    for (int x = 0; x < kPreviewWidth; ++x) {
      int r = 0, g = 0, b = 0;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const TBGRA q = big.Pixel(2 * x + dx, 2 * y + dy);
          r += q.R;
          g += q.G;
          b += q.B;
        }
      out.Pixel(x, y) = {static_cast<std::uint8_t>((b + 2) / 4),
                         static_cast<std::uint8_t>((g + 2) / 4),
                         static_cast<std::uint8_t>((r + 2) / 4), 255};
    }
  return out;
}

}  // namespace qv::skingen
