// The drop-down list popup.
#include "platform/controls/listpopup.h"

#include <algorithm>

#include "platform/look/plain_look.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/messages.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/styles.h"
#include "platform/window/window.h"

namespace qv {

TListPopup::TListPopup() : TPopupWindow(u"QvListPopup") {}

void TListPopup::Open(const TRect& anchor, const std::vector<ustring>& items, int hot, int max_rows,
                      int row_height, const TFont& font) {
  items_ = items;
  font_ = font;
  row_height_ = std::max(row_height, 1);
  rows_ = std::clamp(Count(), 1, std::max(max_rows, 1));
  top_ = 0;
  hot_ = -1;
  pressed_inside_ = false;
  thumb_drag_ = -1;
  const TSize size{std::max(anchor.Width(), 8), rows_ * row_height_ + 2};
  if (!OpenWindow(PlaceBelow(anchor, size))) return;
  SetHotIndex(hot);
}

void TListPopup::Close() {
  if (!IsOpen()) return;
  thumb_drag_ = -1;
  CloseWindow();
}

void TListPopup::Cancel() {
  Close();
  if (OnCancel) OnCancel();
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
  const TRect cr = ClientRect();
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

void TListPopup::MouseDown(TPoint p) {
  if (!ClientRect().Contains(p)) {
    Cancel();
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

LRESULT TListPopup::Message(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  const bool open = IsOpen();
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (open) MouseDown(LParamToPoint(l));
      return 0;
    case WM_MOUSEMOVE:
      if (open) MouseMove(LParamToPoint(l));
      return 0;
    case WM_LBUTTONUP:
      if (open) MouseUp(LParamToPoint(l));
      return 0;
    case WM_MOUSEWHEEL:
      if (open) ScrollBy(-3 * (GET_WHEEL_DELTA_WPARAM(w) / 120));
      return 0;
    default:
      return TPopupWindow::Message(hwnd, msg, w, l);
  }
}

void TListPopup::Paint(TCanvas& c) {
  const TFlatPalette p = FlatPalette();
  const TRect cr = ClientRect();
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
