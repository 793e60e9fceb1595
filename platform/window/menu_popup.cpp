// The menu popup: layout, the flat look, keyboard and mouse.
#include "platform/window/menu_popup.h"

#include <algorithm>
#include <utility>

#include "platform/look/plain_look.h"
#include "platform/text/text.h"
#include "platform/window/keys.h"
#include "platform/window/messages.h"
#include "platform/window/metrics.h"
#include "platform/window/window.h"

namespace qv {

namespace {

// The text before the tab, and the shortcut after it.
std::pair<ustring_view, ustring_view> SplitText(const ustring& text) {
  const std::size_t tab = text.find(u'\t');
  if (tab == ustring::npos) return {text, {}};
  return {ustring_view(text).substr(0, tab), ustring_view(text).substr(tab + 1)};
}

// The character after a single "&" ("&&" is a literal ampersand), or 0.
char16_t Mnemonic(ustring_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;
  }
  return 0;
}

// Small line drawings of the window commands, centred in r; strokes thicken
// only in whole steps of the density.
void DrawGlyph(TCanvas& c, const TRect& r, UINT id, TColor ink, int dpi) {
  TCommandGlyph glyph;
  switch (id & 0xFFF0) {
    case SC_MINIMIZE:
      glyph = TCommandGlyph::Minimize;
      break;
    case SC_MAXIMIZE:
      glyph = TCommandGlyph::Maximize;
      break;
    case SC_RESTORE:
      glyph = TCommandGlyph::Restore;
      break;
    case SC_CLOSE:
      glyph = TCommandGlyph::Close;
      break;
    default:
      return;
  }
  const int s = ScaleDesigned(9, dpi);
  const int x = r.Left + (r.Width() - s) / 2;
  const int y = r.Top + (r.Height() - s) / 2;
  DrawCommandGlyph(c, Bounds(x, y, s, s), glyph, ink,
                   ScaleDesigned(1, dpi, TScaleRounding::TowardZero));
}

}  // namespace

TMenuPopup::TMenuPopup() : TPopupWindow(u"#32768") {}

bool TMenuPopup::Selectable(int index) const {
  if (index < 0 || index >= Count()) return false;
  return (Item(index).state & (MF_GRAYED | MF_DISABLED | MF_SEPARATOR)) == 0;
}

void TMenuPopup::Open(TPoint screen, std::vector<TMenuEntry> items, bool keyboard) {
  items_ = std::move(items);
  keyboard_ = keyboard;
  hot_ = -1;
  Layout();
  TSize size{0, 0};
  for (const TRect& r : rects_) size = {std::max(size.cx, r.Right + 1), r.Bottom};
  size.cy += ScaleDesigned(2, dpi_) + 1;
  if (!OpenWindow(PlaceBelow(Rect(screen.X, screen.Y, screen.X, screen.Y), size))) return;
  if (keyboard_) Step(-1, 1);
}

void TMenuPopup::Close() {
  hot_ = -1;
  CloseWindow();
}

void TMenuPopup::Layout() {
  dpi_ = GetDpiForSystem();
  auto scale = [this](int v) { return ScaleDesigned(v, dpi_); };
  font_ = FlatFont(dpi_);
  TFont bold = font_;
  bold.Style |= fsBold;
  gutter_ = scale(26);
  int text_w = 0, short_w = 0;
  for (const TMenuEntry& it : items_) {
    if ((it.state & MF_SEPARATOR) != 0) continue;
    const auto [main, shortcut] = SplitText(it.text);
    const TFont& f = (it.state & MF_DEFAULT) != 0 ? bold : font_;
    TRect r;
    MeasureDrawText(f, main, r, DT_SINGLELINE);
    text_w = std::max(text_w, r.Width());
    if (!shortcut.empty()) short_w = std::max(short_w, TextExtentOf(f, shortcut).cx);
  }
  const int row = std::max(scale(22), GetTextMetrics(font_).Height + scale(8));
  const int separator = scale(9);
  text_right_ = scale(14);
  const int inner = gutter_ + text_w + (short_w > 0 ? scale(24) + short_w : 0) + text_right_;
  const int width = std::max(scale(160), inner + 2);
  rects_.clear();
  int y = 1 + scale(2);
  for (const TMenuEntry& it : items_) {
    const int h = (it.state & MF_SEPARATOR) != 0 ? separator : row;
    rects_.push_back(Rect(1, y, width - 1, y + h));
    y += h;
  }
}

void TMenuPopup::SetHotIndex(int index) {
  const int hot = Selectable(index) ? index : -1;
  if (hot == hot_) return;
  hot_ = hot;
  Redraw();
}

TRect TMenuPopup::ItemRect(int index) const {
  if (index < 0 || index >= static_cast<int>(rects_.size())) return {};
  return rects_[static_cast<std::size_t>(index)];
}

int TMenuPopup::ItemAt(TPoint client) const {
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    if (rects_[i].Contains(client)) return static_cast<int>(i);
  }
  return -1;
}

void TMenuPopup::Step(int from, int direction) {
  const int n = Count();
  if (n == 0) return;
  if (from < 0 || from >= n) from = direction > 0 ? -1 : n;
  for (int k = 1; k <= n; ++k) {
    const int i = ((from + direction * k) % n + n) % n;
    if (Selectable(i)) {
      SetHotIndex(i);
      return;
    }
  }
}

void TMenuPopup::Key(int vk) {
  if (!IsOpen()) return;
  switch (vk) {
    case VK_UP:
      Step(hot_, -1);
      break;
    case VK_DOWN:
      Step(hot_, 1);
      break;
    case VK_HOME:
      Step(-1, 1);
      break;
    case VK_END:
      Step(Count(), -1);
      break;
    case VK_RETURN:
      if (hot_ >= 0)
        Choose(hot_, false);
      else
        Dismiss({}, false);
      break;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
    case VK_F10:
      Dismiss({}, false);
      break;
    default:
      break;  // a menu takes every key; the others do nothing
  }
}

void TMenuPopup::Char(char16_t ch) {
  if (!IsOpen() || ch == 0) return;
  const ustring wanted = UpperCase(ustring(1, ch));
  for (int i = 0; i < Count(); ++i) {
    const char16_t m = Mnemonic(SplitText(Item(i).text).first);
    if (m == 0 || UpperCase(ustring(1, m)) != wanted) continue;
    // A greyed item's mnemonic does nothing, as its click does.
    if (Selectable(i)) Choose(i, false);
    return;
  }
}

void TMenuPopup::Choose(int index, bool by_mouse) {
  if (!Selectable(index)) return;
  const UINT id = Item(index).id;
  Close();
  if (OnChoose) OnChoose(id, by_mouse);
}

void TMenuPopup::Dismiss(TPoint screen, bool press) {
  Close();
  if (OnDismiss) OnDismiss(screen, press);
}

void TMenuPopup::Cancel() { Dismiss({}, false); }

void TMenuPopup::MouseDown(TPoint client, TPoint screen) {
  if (!ClientRect().Contains(client)) {
    Dismiss(screen, true);
    return;
  }
  // A press on an item only highlights it: the release chooses.
  SetHotIndex(ItemAt(client));
}

void TMenuPopup::MouseMove(TPoint client) {
  SetHotIndex(ClientRect().Contains(client) ? ItemAt(client) : -1);
}

void TMenuPopup::MouseUp(TPoint client) {
  // The release of the opening press lands here too, outside the items, and
  // a release on a greyed item or a separator leaves the menu open.
  const int i = ItemAt(client);
  if (ClientRect().Contains(client) && Selectable(i)) Choose(i, true);
}

LRESULT TMenuPopup::Message(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (!IsOpen()) return TPopupWindow::Message(hwnd, msg, w, l);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const TPoint client = LParamToPoint(l);
      TPoint screen = client;
      ClientToScreen(hwnd, screen);
      MouseDown(client, screen);
      return 0;
    }
    case WM_MOUSEMOVE:
      MouseMove(LParamToPoint(l));
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      MouseUp(LParamToPoint(l));
      return 0;
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      return 0;
    default:
      return TPopupWindow::Message(hwnd, msg, w, l);
  }
}

void TMenuPopup::Paint(TCanvas& c) {
  const TFlatPalette p = FlatPalette();
  const TRect cr = ClientRect();
  c.FillRect(cr, p.Window);
  DrawFlatFrame(c, cr, p.Border);
  const int inset = ScaleDesigned(2, dpi_);
  c.SetBkMode(TRANSPARENT);
  for (int i = 0; i < Count(); ++i) {
    const TMenuEntry& it = Item(i);
    const TRect r = ItemRect(i);
    if ((it.state & MF_SEPARATOR) != 0) {
      const int y = r.Top + r.Height() / 2;
      c.FillRect(Rect(r.Left + inset * 2, y, r.Right - inset * 2, y + 1), p.Border);
      continue;
    }
    const bool hot = i == hot_;
    const bool grey = (it.state & MF_GRAYED) != 0;
    if (hot) c.FillRect(Rect(r.Left + inset, r.Top, r.Right - inset, r.Bottom), p.Accent);
    const TColor ink = grey ? p.GrayText : hot ? p.AccentText : p.Text;
    DrawGlyph(c, Rect(r.Left, r.Top, r.Left + gutter_, r.Bottom), it.id, ink, dpi_);
    c.Font = font_;
    if ((it.state & MF_DEFAULT) != 0) c.Font.Style |= fsBold;
    c.Font.Color = ink;
    const auto [main, shortcut] = SplitText(it.text);
    TRect tr = Rect(r.Left + gutter_, r.Top, r.Right - text_right_, r.Bottom);
    // Mnemonics are underlined only for keyboard users, as desktops do.
    c.DrawText(main, tr, DT_SINGLELINE | DT_VCENTER | (keyboard_ ? 0u : DT_HIDEPREFIX));
    if (!shortcut.empty()) {
      tr = Rect(r.Left + gutter_, r.Top, r.Right - text_right_, r.Bottom);
      c.DrawText(shortcut, tr, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
  }
}

}  // namespace qv
