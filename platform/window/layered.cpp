// Layered windows: their pictures, and their composition into the pictures
// of the top-level windows below them before those are presented.
#include "platform/window/layered.h"

#include <algorithm>

#include "platform/window/internal.h"
#include "platform/window/window.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

TBGRA BlendLayeredPixel(TBGRA d, TBGRA s, std::uint8_t alpha) {
  const int w = (s.A * alpha + 127) / 255;
  auto mix = [w, alpha](int sc, int dc) {
    return static_cast<std::uint8_t>(std::min(255, (sc * alpha + dc * (255 - w) + 127) / 255));
  };
  return {mix(s.B, d.B), mix(s.G, d.G), mix(s.R, d.R), d.A};
}

bool UpdateLayeredWindow(HWND hwnd, const TPoint* screen_pos, const TBitmap32* pixels,
                         std::uint8_t alpha) {
  TWindow* w = W(hwnd);
  if (w == nullptr || !win::IsLayered(*w)) return false;
  const TRect old = w->rect;
  if (pixels != nullptr) w->layered = std::make_unique<TBitmap32>(*pixels);
  w->layered_alpha = alpha;
  const TPoint pos = screen_pos ? *screen_pos : TPoint{old.Left, old.Top};
  const TSize size = w->layered ? TSize{w->layered->Width(), w->layered->Height()}
                                : TSize{old.Width(), old.Height()};
  if (pos.X != old.Left || pos.Y != old.Top || size.cx != old.Width() || size.cy != old.Height())
    SetWindowPos(hwnd, HWND{}, pos.X, pos.Y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  if ((w = W(hwnd)) == nullptr) return false;
  win::LayeredAreaChanged(*w, old);
  return true;
}

const TBitmap32* GetLayeredWindowPicture(HWND hwnd, std::uint8_t* alpha) {
  TWindow* w = W(hwnd);
  if (w == nullptr || !win::IsLayered(*w)) return nullptr;
  if (alpha != nullptr) *alpha = w->layered_alpha;
  return w->layered.get();
}

namespace win {

bool IsLayered(const TWindow& w) { return w.IsTopLevel() && (w.exstyle & WS_EX_LAYERED) != 0; }

void LayeredAreaChanged(const TWindow& w, const TRect& old_rect) {
  if (!IsLayered(w)) return;
  TRegion screen(old_rect);
  screen.Union(w.rect);
  for (HWND h : Sys().toplevels) {
    TWindow* t = W(h);
    if (t == nullptr || !t->native || IsLayered(*t)) continue;
    TRegion part = screen;
    part.Intersect(t->rect);
    part.Offset(-t->rect.Left, -t->rect.Top);
    t->present.Union(part);
  }
}

const TBitmap32& ComposeLayered(TWindow& top, const TRegion& area) {
  const auto& list = Sys().toplevels;
  auto it = std::find(list.begin(), list.end(), top.handle);
  std::vector<const TWindow*> above;
  if (it != list.end()) {
    for (++it; it != list.end(); ++it) {
      const TWindow* l = W(*it);
      if (l == nullptr || !IsLayered(*l) || !l->Visible() || !l->layered || l->layered_alpha == 0)
        continue;
      if (area.Intersects(l->rect.Offset(-top.rect.Left, -top.rect.Top))) above.push_back(l);
    }
  }
  if (above.empty()) return *top.pixels;
  if (!top.composed) top.composed = std::make_unique<TBitmap32>();
  TBitmap32& out = *top.composed;
  if (out.Width() != top.pixels->Width() || out.Height() != top.pixels->Height())
    out.SetSize(top.pixels->Width(), top.pixels->Height());
  for (const TRect& r : area.Rects())
    for (int y = r.Top; y < r.Bottom; ++y)
      std::copy_n(top.pixels->ScanLine(y) + r.Left, r.Width(), out.ScanLine(y) + r.Left);
  for (const TWindow* l : above) {
    const TPoint at{l->rect.Left - top.rect.Left, l->rect.Top - top.rect.Top};
    TRegion part = area;
    part.Intersect(Bounds(at.X, at.Y, l->layered->Width(), l->layered->Height()));
    for (const TRect& r : part.Rects())
      for (int y = r.Top; y < r.Bottom; ++y) {
        TBGRA* d = out.ScanLine(y);
        const TBGRA* s = l->layered->ScanLine(y - at.Y) - at.X;
        for (int x = r.Left; x < r.Right; ++x)
          d[x] = BlendLayeredPixel(d[x], s[x], l->layered_alpha);
      }
  }
  return out;
}

}  // namespace win

}  // namespace qv
