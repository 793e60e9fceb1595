// The drop-down list popup.
#include "platform/controls/listpopup.h"

#include <algorithm>

#include "platform/controls/flat_look.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/messages.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/styles.h"
#include "platform/window/window.h"

namespace qv {

namespace {

constexpr char16_t kClassName[] = u"QvListPopup";
constexpr LRESULT kNoActivate = 3;  // MA_NOACTIVATE

void EnsureClass() {
  WNDCLASS wc;
  if (GetClassInfo(kClassName, wc)) return;
  wc.lpszClassName = kClassName;
  wc.hbrBackground = clNone;  // the list paints every pixel
  wc.lpfnWndProc = DefWindowProc;
  RegisterClass(wc);
}

}  // namespace

TListPopup::TListPopup() = default;

TListPopup::~TListPopup() {
  if (GetCapture() == hwnd_ && hwnd_) ReleaseCapture();
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void TListPopup::Open(const TRect& anchor, const std::vector<ustring>& items, int hot, int max_rows,
                      int row_height, const TFont& font) {
  // The window of an earlier opening goes now, never from inside its own messages.
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  items_ = items;
  font_ = font;
  row_height_ = std::max(row_height, 1);
  rows_ = std::clamp(Count(), 1, std::max(max_rows, 1));
  top_ = 0;
  hot_ = -1;
  pressed_inside_ = false;
  thumb_drag_ = -1;
  const int w = std::max(anchor.Width(), 8);
  const int h = rows_ * row_height_ + 2;
  const int screen_h = GetSystemMetrics(SM_CYSCREEN);
  const int screen_w = GetSystemMetrics(SM_CXSCREEN);
  int y = anchor.Bottom;
  if (y + h > screen_h && anchor.Top - h >= 0) y = anchor.Top - h;
  const int x = std::clamp(anchor.Left, 0, std::max(0, screen_w - w));
  EnsureClass();
  hwnd_ = CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kClassName, u"",
                         WS_POPUP, x, y, w, h, HWND{});
  if (!hwnd_) return;
  SetWindowProc(hwnd_,
                [this](HWND hw, UINT m, WPARAM wp, LPARAM lp) { return Proc(hw, m, wp, lp); });
  open_ = true;
  SetHotIndex(hot);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  SetCapture(hwnd_);
}

void TListPopup::Close() {
  if (!open_) return;
  open_ = false;
  thumb_drag_ = -1;
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (IsWindow(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

void TListPopup::SetHotIndex(int index) {
  hot_ = index >= 0 && index < Count() ? index : -1;
  if (hot_ >= 0) {
    if (hot_ < top_) top_ = hot_;
    if (hot_ >= top_ + rows_) top_ = hot_ - rows_ + 1;
  }
  Redraw();
}

void TListPopup::ScrollBy(int rows) {
  const int t = std::clamp(top_ + rows, 0, MaxTop());
  if (t == top_) return;
  top_ = t;
  Redraw();
}

TRect TListPopup::ItemArea() const {
  TRect r{1, 1, 1, 1 + rows_ * row_height_};
  TRect cr;
  if (IsWindow(hwnd_)) GetClientRect(hwnd_, cr);
  r.Right = cr.Right - 1 - (HasScrollBar() ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  return r;
}

TRect TListPopup::ScrollBarRect() const {
  if (!HasScrollBar()) return {};
  const TRect a = ItemArea();
  return {a.Right, a.Top, a.Right + GetSystemMetrics(SM_CXVSCROLL), a.Bottom};
}

TRect TListPopup::ThumbRect() const {
  const TRect sb = ScrollBarRect();
  if (sb.IsEmpty()) return {};
  const int arrow = std::min(sb.Width(), sb.Height() / 2);
  const int track = sb.Height() - 2 * arrow;
  const int thumb = std::clamp(track * rows_ / std::max(Count(), 1), std::min(8, track), track);
  const int pos = MaxTop() > 0 ? (track - thumb) * top_ / MaxTop() : 0;
  return {sb.Left, sb.Top + arrow + pos, sb.Right, sb.Top + arrow + pos + thumb};
}

int TListPopup::ItemAt(TPoint p) const {
  const TRect a = ItemArea();
  if (!a.Contains(p)) return -1;
  const int i = top_ + (p.Y - a.Top) / row_height_;
  return i < Count() ? i : -1;
}

bool TListPopup::Key(std::uint16_t vk) {
  const int last = Count() - 1;
  switch (vk) {
    case VK_UP:
      SetHotIndex(hot_ < 0 ? 0 : std::max(hot_ - 1, 0));
      return true;
    case VK_DOWN:
      SetHotIndex(std::min(hot_ + 1, last));
      return true;
    case VK_PRIOR:
      SetHotIndex(std::max(hot_ - (rows_ - 1), 0));
      return true;
    case VK_NEXT:
      SetHotIndex(std::min(std::max(hot_, 0) + rows_ - 1, last));
      return true;
    case VK_HOME:
      SetHotIndex(0);
      return true;
    case VK_END:
      SetHotIndex(last);
      return true;
    default:
      return false;
  }
}

void TListPopup::Redraw() {
  if (IsWindow(hwnd_)) InvalidateRect(hwnd_, nullptr, false);
}

void TListPopup::MouseDown(TPoint p) {
  TRect cr;
  GetClientRect(hwnd_, cr);
  if (!cr.Contains(p)) {
    Close();
    if (OnCancel) OnCancel();
    return;
  }
  const TRect sb = ScrollBarRect();
  if (sb.Contains(p)) {
    const int arrow = std::min(sb.Width(), sb.Height() / 2);
    const TRect thumb = ThumbRect();
    if (p.Y < sb.Top + arrow)
      ScrollBy(-1);
    else if (p.Y >= sb.Bottom - arrow)
      ScrollBy(1);
    else if (p.Y < thumb.Top)
      ScrollBy(-rows_);
    else if (p.Y >= thumb.Bottom)
      ScrollBy(rows_);
    else
      thumb_drag_ = p.Y - thumb.Top;
    Redraw();
    return;
  }
  pressed_inside_ = true;
  MouseMove(p);
}

void TListPopup::MouseMove(TPoint p) {
  if (thumb_drag_ >= 0) {
    const TRect sb = ScrollBarRect();
    const int arrow = std::min(sb.Width(), sb.Height() / 2);
    const int thumb = ThumbRect().Height();
    const int room = sb.Height() - 2 * arrow - thumb;
    if (room > 0) {
      const int pos = std::clamp(p.Y - thumb_drag_ - (sb.Top + arrow), 0, room);
      const int t = (pos * MaxTop() + room / 2) / room;
      ScrollBy(t - top_);
    }
    return;
  }
  const int i = ItemAt(p);
  if (i >= 0 && i != hot_) SetHotIndex(i);
}

void TListPopup::MouseUp(TPoint p) {
  if (thumb_drag_ >= 0) {
    thumb_drag_ = -1;
    Redraw();
    return;
  }
  // The release of the press that opened the list lands here too: only a
  // release over an item picks it.
  const int i = ItemAt(p);
  pressed_inside_ = false;
  if (i < 0) return;
  Close();
  if (OnAccept) OnAccept(i);
}

LRESULT TListPopup::Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return kNoActivate;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (open_) MouseDown(LParamToPoint(l));
      return 0;
    case WM_MOUSEMOVE:
      if (open_) MouseMove(LParamToPoint(l));
      return 0;
    case WM_LBUTTONUP:
      if (open_) MouseUp(LParamToPoint(l));
      return 0;
    case WM_MOUSEWHEEL:
      if (open_) ScrollBy(-3 * (GET_WHEEL_DELTA_WPARAM(w) / 120));
      return 0;
    case WM_CAPTURECHANGED:
      // Someone else took the mouse: the list cannot see outside presses any more.
      if (open_ && GetCapture() != hwnd_) {
        Close();
        if (OnCancel) OnCancel();
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(hwnd, ps)) Paint(*dc);
      EndPaint(hwnd, ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return DefWindowProc(hwnd, msg, w, l);
  }
}

void TListPopup::Paint(TCanvas& c) {
  const TFlatPalette p = FlatPalette();
  TRect cr;
  GetClientRect(hwnd_, cr);
  c.FillRect(cr, p.Window);
  DrawFlatFrame(c, cr, p.Border);
  const TRect a = ItemArea();
  for (int row = 0; row < rows_ && top_ + row < Count(); ++row) {
    const TRect r{a.Left, a.Top + row * row_height_, a.Right, a.Top + (row + 1) * row_height_};
    PaintItem(c, r, top_ + row, top_ + row == hot_);
  }
  if (HasScrollBar()) PaintScrollBar(c);
}

void TListPopup::PaintItem(TCanvas& c, const TRect& r, int index, bool hot) {
  const TFlatPalette p = FlatPalette();
  if (hot) c.FillRect(r, p.Accent);
  const int saved = c.SaveDC();
  c.Font = font_;
  c.Font.Color = hot ? p.AccentText : ColorToRGB(clWindowText);
  c.SetBkMode(TRANSPARENT);
  TRect tr{r.Left + 3, r.Top, r.Right - 2, r.Bottom};  // under the combo's text
  c.DrawText(items_[static_cast<std::size_t>(index)], tr,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  c.RestoreDC(saved);
}

void TListPopup::PaintScrollBar(TCanvas& c) {
  const TFlatPalette p = FlatPalette();
  const TRect sb = ScrollBarRect();
  c.FillRect(sb, p.Face);
  c.FillRect({sb.Left, sb.Top, sb.Left + 1, sb.Bottom}, p.Disabled);
  // The thumb darkens while dragged.
  const TRect t = ThumbRect();
  c.FillRect({t.Left + 3, t.Top + 1, t.Right - 2, t.Bottom - 1},
             thumb_drag_ >= 0 ? p.Border : p.Disabled);
  const int arrow = std::min(sb.Width(), sb.Height() / 2);
  DrawFlatArrow(c, {sb.Left + 1, sb.Top, sb.Right, sb.Top + arrow}, TFlatArrow::Up, p.Text);
  DrawFlatArrow(c, {sb.Left + 1, sb.Bottom - arrow, sb.Right, sb.Bottom}, TFlatArrow::Down, p.Text);
}

}  // namespace qv
