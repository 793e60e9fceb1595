// The paint cycle: update regions, invalidation, painting at once, BeginPaint
// and EndPaint, device contexts, and what of each top-level window is still
// to be shown.
#include "platform/window/paint.h"

#include <algorithm>

#include "platform/window/internal.h"
#include "platform/window/messages.h"
#include "platform/window/queue.h"
#include "platform/window/styles.h"
#include "platform/window/system.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

namespace {

bool HasNonClient(const TWindow& w) {
  return w.client != Rect(0, 0, w.rect.Width(), w.rect.Height());
}

bool ChildrenFollow(const TWindow& w, UINT flags) {
  if ((flags & RDW_ALLCHILDREN) != 0) return true;
  if ((flags & RDW_NOCHILDREN) != 0) return false;
  return (w.style & WS_CLIPCHILDREN) == 0;
}

// area: client coordinates of w.
void Invalidate(TWindow& w, const TRegion& area, UINT flags) {
  if (!w.Visible()) return;
  if (!area.IsEmpty()) {
    w.update.Union(area);
    if ((flags & RDW_ERASE) != 0 && (flags & RDW_NOERASE) == 0) w.erase = true;
  }
  if ((flags & RDW_FRAME) != 0 && HasNonClient(w)) w.nc_dirty = true;
  if (!ChildrenFollow(w, flags)) return;
  for (HWND c : w.children) {
    TWindow* k = W(c);
    if (k == nullptr || !k->Visible() || !area.Intersects(k->rect)) continue;
    TRegion part = area;
    part.Intersect(k->rect);
    part.Offset(-k->rect.Left - k->client.Left, -k->rect.Top - k->client.Top);
    part.Intersect(Rect(0, 0, k->client.Width(), k->client.Height()));
    Invalidate(*k, part, flags | (HasNonClient(*k) ? RDW_FRAME : 0u));
  }
}

void Validate(TWindow& w, const TRegion* area, UINT flags) {
  if (area == nullptr)
    w.update = TRegion();
  else
    w.update.Subtract(*area);
  if (w.update.IsEmpty()) w.erase = false;
  if ((flags & RDW_FRAME) != 0) w.nc_dirty = false;
  if (!ChildrenFollow(w, flags)) return;
  for (HWND c : w.children) {
    TWindow* k = W(c);
    if (k == nullptr) continue;
    if (area == nullptr) {
      Validate(*k, nullptr, flags);
    } else {
      TRegion part = *area;
      part.Offset(-k->rect.Left - k->client.Left, -k->rect.Top - k->client.Top);
      Validate(*k, &part, flags);
    }
  }
}

bool PaintSuppressed(const TWindow& w) {
  for (const TWindow* c = &w; c != nullptr; c = c->parent ? W(c->parent) : nullptr) {
    if (c->redraw_off) return true;
  }
  return false;
}

void PaintOne(HWND h) {
  TWindow* w = W(h);
  if (w == nullptr) return;
  if (w->nc_dirty) {
    w->nc_dirty = false;
    win::Send(h, WM_NCPAINT, 1, 0);
    if ((w = W(h)) == nullptr) return;
  }
  if (!w->update.IsEmpty()) {
    win::Send(h, WM_PAINT, 0, 0);
    // A procedure that did not validate would otherwise be asked forever.
    if ((w = W(h)) != nullptr) {
      w->update = TRegion();
      w->erase = false;
    }
  }
}

HWND FindIn(HWND h) {
  TWindow* w = W(h);
  if (w == nullptr || !w->Visible() || w->redraw_off) return {};
  if (w->IsTopLevel() && w->minimized) return {};
  if (win::NeedsPaint(*w)) return h;
  for (HWND c : w->children) {
    const HWND found = FindIn(c);
    if (found) return found;
  }
  return {};
}

HDC MakeDC(HWND h, bool client, const TRegion* within) {
  TWindow* w = W(h);
  if (w == nullptr) return nullptr;
  TWindow* root = win::Root(*w);
  if (!root->pixels) root->pixels = std::make_unique<TBitmap32>();
  auto canvas = std::make_unique<TCanvas>(*root->pixels);
  TRegion vis = win::VisibleRegion(*w, client);
  const TPoint off = win::WindowOffset(*w);
  const TPoint origin = client ? TPoint{off.X + w->client.Left, off.Y + w->client.Top} : off;
  if (within != nullptr) {
    TRegion r = *within;
    r.Offset(origin.X, origin.Y);
    vis.Intersect(r);
  }
  // The window's visible area bounds every clip its painter may set.
  canvas->SetSystemClip(&vis);
  canvas->SetViewportOrg(origin);
  HDC dc = canvas.get();
  Sys().dcs.push_back({h, std::move(canvas), vis.Bounds()});
  return dc;
}

}  // namespace

namespace win {

bool NeedsPaint(const TWindow& w) { return w.nc_dirty || !w.update.IsEmpty(); }

HWND FindWindowToPaint() {
  const auto& t = Sys().toplevels;
  for (auto it = t.rbegin(); it != t.rend(); ++it) {
    const HWND h = FindIn(*it);
    if (h) return h;
  }
  return {};
}

void PaintNow(HWND h, bool children) {
  TWindow* w = W(h);
  if (w == nullptr || !ReallyVisible(*w) || PaintSuppressed(*w)) return;
  if (NeedsPaint(*w)) PaintOne(h);
  if (!children) return;
  if ((w = W(h)) == nullptr) return;
  for (HWND c : std::vector<HWND>(w->children)) PaintNow(c, true);
}

void InvalidateWhole(HWND h) {
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ForgetDCs(HWND h) {
  auto& dcs = Sys().dcs;
  dcs.erase(std::remove_if(dcs.begin(), dcs.end(), [h](const TLiveDC& d) { return d.hwnd == h; }),
            dcs.end());
}

}  // namespace win

bool RedrawWindow(HWND hwnd, const TRect* r, const TRegion* region, UINT flags) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const TRect all = Rect(0, 0, w->client.Width(), w->client.Height());
  TRegion area = region != nullptr ? *region : TRegion(r != nullptr ? *r : all);
  area.Intersect(all);
  if ((flags & RDW_INVALIDATE) != 0) Invalidate(*w, area, flags);
  if ((flags & RDW_VALIDATE) != 0) Validate(*w, (r || region) ? &area : nullptr, flags);
  if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0) {
    win::PaintNow(hwnd, ChildrenFollow(*w, flags));
    PresentPending();
  }
  return true;
}

bool InvalidateRect(HWND hwnd, const TRect* r, bool erase) {
  return RedrawWindow(hwnd, r, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  if (region == nullptr) return InvalidateRect(hwnd, nullptr, erase);
  return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool ValidateRect(HWND hwnd, const TRect* r) {
  return RedrawWindow(hwnd, r, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND hwnd, const TRegion* region) {
  return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool UpdateWindow(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  win::PaintNow(hwnd, false);
  PresentPending();
  return true;
}

bool GetUpdateRect(HWND hwnd, TRect* r, bool erase) {
  (void)erase;
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  if (r != nullptr) *r = w->update.Bounds();
  return !w->update.IsEmpty();
}

int GetUpdateRgn(HWND hwnd, TRegion& region, bool erase) {
  (void)erase;
  TWindow* w = W(hwnd);
  if (w == nullptr) return ERROR_REGION;
  region = w->update;
  return region.Kind();
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps) {
  ps = PAINTSTRUCT{};
  TWindow* w = W(hwnd);
  if (w == nullptr) return nullptr;
  if (w->nc_dirty) {
    w->nc_dirty = false;
    win::Send(hwnd, WM_NCPAINT, 1, 0);
    if ((w = W(hwnd)) == nullptr) return nullptr;
  }
  const TRegion area = std::move(w->update);
  w->update = TRegion();
  const bool erase = w->erase;
  w->erase = false;
  HDC dc = MakeDC(hwnd, true, &area);
  ps.hdc = dc;
  ps.rcPaint = area.Bounds();
  ps.fErase = false;
  if (erase) ps.fErase = win::Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps) {
  return ps.hdc != nullptr && ReleaseDC(hwnd, ps.hdc) != 0;
}

HDC GetDC(HWND hwnd) { return MakeDC(hwnd, true, nullptr); }

HDC GetWindowDC(HWND hwnd) { return MakeDC(hwnd, false, nullptr); }

int ReleaseDC(HWND hwnd, HDC dc) {
  auto& dcs = Sys().dcs;
  for (auto it = dcs.begin(); it != dcs.end(); ++it) {
    if (it->canvas.get() != dc) continue;
    if (it->hwnd != hwnd) return 0;
    if (TWindow* w = W(hwnd); w != nullptr && !it->device_bounds.IsEmpty()) {
      win::Root(*w)->present.Union(it->device_bounds);
    }
    dcs.erase(it);
    return 1;
  }
  return 0;
}

const TBitmap32* GetWindowPixels(HWND topLevel) {
  TWindow* w = W(topLevel);
  if (w == nullptr || !w->IsTopLevel()) return nullptr;
  return w->pixels.get();
}

void PresentPending() {
  if (!HasBackend()) return;
  for (HWND h : Sys().toplevels) {
    TWindow* w = W(h);
    if (w == nullptr || !w->native || w->present.IsEmpty() || !w->pixels) continue;
    if (!w->Visible() || w->minimized) continue;
    TRegion area = std::move(w->present);
    w->present = TRegion();
    area.Intersect(w->pixels->BoundsRect());
    if (!area.IsEmpty()) Backend().Present(h, win::ComposeLayered(*w, area), area);
  }
}

}  // namespace qv
