// Window records: classes, creation and destruction, procedures, send and
// post, the tree, rectangles, positions, showing, text, properties, shape.
#include "platform/window/window.h"

#include <algorithm>

#include "platform/window/input.h"
#include "platform/window/internal.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

namespace win {

TWindow* W(HWND h) {
  if (!h) return nullptr;
  auto& ws = Sys().windows;
  auto it = ws.find(h.id);
  return it == ws.end() ? nullptr : it->second.get();
}

LRESULT Send(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = W(h);
  if (w == nullptr) return 0;
  // Holding the procedure keeps it alive even if the window replaces it or is
  // destroyed while the message is handled.
  std::shared_ptr<const WNDPROC> proc = w->proc;
  if (!proc || !*proc) return DefWindowProc(h, msg, wParam, lParam);
  return (*proc)(h, msg, wParam, lParam);
}

TWindow* Root(TWindow& w) {
  TWindow* r = &w;
  while (r->parent) {
    TWindow* p = W(r->parent);
    if (p == nullptr) break;
    r = p;
  }
  return r;
}

TPoint WindowOffset(const TWindow& w) {
  TPoint off{0, 0};
  const TWindow* c = &w;
  while (c->parent) {
    const TWindow* p = W(c->parent);
    if (p == nullptr) break;
    off.X += c->rect.Left + p->client.Left;
    off.Y += c->rect.Top + p->client.Top;
    c = p;
  }
  return off;
}

TPoint ScreenOrigin(const TWindow& w) {
  const TPoint off = WindowOffset(w);
  TWindow* root = Root(const_cast<TWindow&>(w));
  return {root->rect.Left + off.X, root->rect.Top + off.Y};
}

bool ReallyVisible(const TWindow& w) {
  const TWindow* c = &w;
  while (c != nullptr) {
    if (!c->Visible()) return false;
    if (!c->parent) return !c->minimized;
    c = W(c->parent);
  }
  return false;
}

namespace {

TRect WindowBoundsIn(const TWindow& w) {
  const TPoint o = WindowOffset(w);
  return Bounds(o.X, o.Y, w.rect.Width(), w.rect.Height());
}

// Removes the windows above w among its siblings (for WS_CLIPSIBLINGS).
void ExcludeSiblingsAbove(const TWindow& w, TRegion& rgn) {
  if ((w.style & WS_CLIPSIBLINGS) == 0 || !w.parent) return;
  const TWindow* p = W(w.parent);
  if (p == nullptr) return;
  auto it = std::find(p->children.begin(), p->children.end(), w.handle);
  if (it == p->children.end()) return;
  for (++it; it != p->children.end(); ++it) {
    const TWindow* s = W(*it);
    if (s != nullptr && s->Visible()) rgn.Subtract(WindowBoundsIn(*s));
  }
}

}  // namespace

TRegion VisibleRegion(const TWindow& w, bool client) {
  const TRect wb = WindowBoundsIn(w);
  TRegion rgn(client ? w.client.Offset(wb.Left, wb.Top) : wb);
  if (w.shape) {
    TRegion s = *w.shape;
    s.Offset(wb.Left, wb.Top);
    rgn.Intersect(s);
  }
  ExcludeSiblingsAbove(w, rgn);
  const TWindow* c = &w;
  while (c->parent) {
    const TWindow* p = W(c->parent);
    if (p == nullptr) break;
    const TRect pb = WindowBoundsIn(*p);
    rgn.Intersect(p->client.Offset(pb.Left, pb.Top));
    if (p->shape) {
      TRegion s = *p->shape;
      s.Offset(pb.Left, pb.Top);
      rgn.Intersect(s);
    }
    ExcludeSiblingsAbove(*p, rgn);
    c = p;
  }
  if (client && (w.style & WS_CLIPCHILDREN) != 0) {
    for (HWND ch : w.children) {
      const TWindow* k = W(ch);
      if (k != nullptr && k->Visible()) rgn.Subtract(WindowBoundsIn(*k));
    }
  }
  return rgn;
}

TRect ComputeClientRect(const TWindow& w, const TRect& r) {
  int b = 0;
  const bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
  if ((w.style & WS_THICKFRAME) != 0) {
    b = GetSystemMetrics(SM_CXFRAME) + (caption ? GetSystemMetrics(SM_CXPADDEDBORDER) : 0);
  } else if ((w.style & WS_DLGFRAME) != 0 || (w.exstyle & WS_EX_DLGMODALFRAME) != 0) {
    b = GetSystemMetrics(SM_CXFIXEDFRAME);
  } else if ((w.style & WS_BORDER) != 0) {
    b = GetSystemMetrics(SM_CXBORDER);
  }
  if ((w.exstyle & WS_EX_CLIENTEDGE) != 0) b += GetSystemMetrics(SM_CXEDGE);
  if ((w.exstyle & WS_EX_STATICEDGE) != 0) b += GetSystemMetrics(SM_CXBORDER);
  TRect c = r.Inflate(-b, -b);
  if (caption) {
    c.Top += (w.exstyle & WS_EX_TOOLWINDOW) != 0 ? GetSystemMetrics(SM_CYSMCAPTION)
                                                 : GetSystemMetrics(SM_CYCAPTION);
  }
  c.Right = std::max(c.Left, c.Right);
  c.Bottom = std::max(c.Top, c.Bottom);
  return c;
}

}  // namespace win

namespace {

void RecalcClient(HWND h) {
  TWindow* w = W(h);
  if (w == nullptr) return;
  NCCALCSIZE_PARAMS p;
  p.rgrc[0] = w->rect;
  p.rgrc[1] = w->rect;
  p.rgrc[2] = w->client.Offset(w->rect.Left, w->rect.Top);
  win::Send(h, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&p));
  w = W(h);
  if (w == nullptr) return;
  TRect c = p.rgrc[0].Offset(-w->rect.Left, -w->rect.Top);
  // A client area always lies inside its window.
  c = IntersectRect(c, Rect(0, 0, w->rect.Width(), w->rect.Height()));
  if (c.IsEmpty()) {
    c = Rect(std::clamp(c.Left, 0, w->rect.Width()), std::clamp(c.Top, 0, w->rect.Height()), 0, 0);
    c.Right = c.Left;
    c.Bottom = c.Top;
  }
  w->client = c;
}

std::shared_ptr<const WNDPROC> ClassProc(const win::TClassData& cls) { return cls.proc; }

void EnsurePixels(TWindow& w) {
  if (!w.IsTopLevel()) return;
  if (!w.pixels) w.pixels = std::make_unique<TBitmap32>();
  const int cx = std::max(0, w.rect.Width());
  const int cy = std::max(0, w.rect.Height());
  if (w.pixels->Width() != cx || w.pixels->Height() != cy) w.pixels->SetSize(cx, cy);
}

void EnsureNative(TWindow& w) {
  // Layered windows are blended into the windows below them instead.
  if (!w.IsTopLevel() || w.native || win::IsLayered(w)) return;
  EnsurePixels(w);
  TBackend& be = Backend();
  be.CreateNative(w.handle, w.rect, w.text);
  w.native = true;
  if (w.shape) be.SetShape(w.handle, &*w.shape);
  if (w.icon_big)
    be.SetIcon(w.handle, *w.icon_big);
  else if (w.icon_small)
    be.SetIcon(w.handle, *w.icon_small);
}

bool HasFocusWithin(HWND h) {
  HWND f = Sys().focus;
  return f && (f == h || IsChild(h, f));
}

void InvalidateParentArea(const TWindow& w, const TRect& rect_in_parent) {
  if (!w.parent) return;
  TWindow* p = W(w.parent);
  if (p == nullptr || p->destroying) return;
  RedrawWindow(w.parent, &rect_in_parent, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void HideWindow(HWND h) {
  TWindow* w = W(h);
  if (w == nullptr || !w->Visible()) return;
  win::Send(h, WM_SHOWWINDOW, 0, 0);
  w = W(h);
  if (w == nullptr) return;
  w->style &= ~WS_VISIBLE;
  win::EndInputModeOf(h);
  if (Sys().capture && (Sys().capture == h || IsChild(h, Sys().capture))) ReleaseCapture();
  if (HasFocusWithin(h)) {
    // Focus goes to the parent of a hidden child, or nowhere.
    SetFocus(w->parent && IsWindowVisible(w->parent) ? w->parent : HWND{});
  }
  w = W(h);
  if (w == nullptr) return;
  if (w->IsTopLevel()) {
    if (w->native && HasBackend()) Backend().ShowNative(h, false);
    win::LayeredAreaChanged(*w, w->rect);
    if (Sys().active == h) win::ActivateNextAfter(h);
  } else {
    InvalidateParentArea(*w, w->rect);
  }
  WINDOWPOS wp{h, HWND{}, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER};
  win::Send(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

void ShowHidden(HWND h, bool activate) {
  TWindow* w = W(h);
  if (w == nullptr) return;
  if (!w->Visible()) {
    win::Send(h, WM_SHOWWINDOW, 1, 0);
    w = W(h);
    if (w == nullptr) return;
    w->style |= WS_VISIBLE;
    if (w->IsTopLevel()) {
      EnsureNative(*w);
      if (w->native) Backend().ShowNative(h, true);
      win::LayeredAreaChanged(*w, w->rect);
    }
    WINDOWPOS wp{h, HWND{}, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER};
    win::Send(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    w = W(h);
    if (w == nullptr) return;
    if (w->IsTopLevel()) {
      // A top-level window is active before its first paint.
      if (activate) win::ActivateWindow(h, false);
    } else {
      InvalidateParentArea(*w, w->rect);
    }
    win::InvalidateWhole(h);
  } else if (activate && w->IsTopLevel()) {
    win::ActivateWindow(h, false);
  }
}

void SendSize(HWND h, WPARAM kind) {
  TWindow* w = W(h);
  if (w == nullptr) return;
  win::Send(h, WM_SIZE, kind, MAKELPARAM(w->client.Width(), w->client.Height()));
}

void RemoveFromParent(TWindow& w) {
  auto& list = w.parent ? W(w.parent)->children : Sys().toplevels;
  list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

void ApplyZOrder(TWindow& w, HWND after) {
  TWindow* p = w.parent ? W(w.parent) : nullptr;
  auto& list = p ? p->children : Sys().toplevels;
  auto it = std::find(list.begin(), list.end(), w.handle);
  if (it == list.end()) return;
  list.erase(it);
  if (after == HWND_BOTTOM) {
    list.insert(list.begin(), w.handle);
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    list.push_back(w.handle);
  } else {
    auto at = std::find(list.begin(), list.end(), after);
    // "After" in z-order is below: just before it in bottom-first order.
    list.insert(at == list.end() ? list.end() : at, w.handle);
  }
  if (!w.parent && w.native && HasBackend() && after != HWND_BOTTOM) Backend().Raise(w.handle);
  if (w.Visible()) win::LayeredAreaChanged(w, w.rect);
}

}  // namespace

// ---- classes -------------------------------------------------------------

bool RegisterClass(const WNDCLASS& wc) {
  if (wc.lpszClassName.empty() || Sys().classes.count(wc.lpszClassName) != 0) return false;
  auto data = std::make_shared<win::TClassData>();
  data->wc = wc;
  if (wc.lpfnWndProc) data->proc = std::make_shared<const WNDPROC>(wc.lpfnWndProc);
  Sys().classes.emplace(wc.lpszClassName, std::move(data));
  return true;
}

bool UnregisterClass(ustring_view name) { return Sys().classes.erase(ustring(name)) != 0; }

bool GetClassInfo(ustring_view name, WNDCLASS& out) {
  auto it = Sys().classes.find(ustring(name));
  if (it == Sys().classes.end()) return false;
  out = it->second->wc;
  return true;
}

ustring GetClassName(HWND hwnd) {
  TWindow* w = W(hwnd);
  return w != nullptr ? w->cls->wc.lpszClassName : ustring();
}

TColor GetClassBackground(HWND hwnd) {
  TWindow* w = W(hwnd);
  return w != nullptr ? w->cls->wc.hbrBackground : clNone;
}

bool SetClassBackground(HWND hwnd, TColor color) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  w->cls->wc.hbrBackground = color;
  return true;
}

// ---- creation and destruction ---------------------------------------------

HWND CreateWindowEx(std::uint32_t exStyle, ustring_view className, ustring_view windowName,
                    std::uint32_t style, int x, int y, int width, int height, HWND parent,
                    LPARAM id, void* param) {
  auto& sys = Sys();
  auto cit = sys.classes.find(ustring(className));
  if (cit == sys.classes.end()) return {};
  const bool child = (style & WS_CHILD) != 0;
  TWindow* pw = W(parent);
  if (child && pw == nullptr) return {};
  if (parent && pw == nullptr) return {};
  Backend();  // the desktop must be there before windows are

  auto w = std::make_unique<TWindow>();
  const HWND h{sys.next_id++};
  w->handle = h;
  w->cls = cit->second;
  w->proc = ClassProc(*w->cls);
  w->text = ustring(windowName);
  const bool visible = (style & WS_VISIBLE) != 0;
  w->style = style & ~WS_VISIBLE;
  w->exstyle = exStyle;
  w->id = id;
  if (child) {
    w->parent = parent;
  } else {
    w->owner = parent ? GetAncestor(parent, GA_ROOT) : HWND{};
  }
  if (!child) {
    const TSize screen = ScreenSize();
    if (width == CW_USEDEFAULT) width = 400;
    if (height == CW_USEDEFAULT) height = 300;
    if (x == CW_USEDEFAULT) {
      x = (screen.cx - width) / 2;
      y = (screen.cy - height) / 2;
    }
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }
  w->rect = Bounds(x, y, std::max(0, width), std::max(0, height));
  w->client = Rect(0, 0, w->rect.Width(), w->rect.Height());
  TWindow* raw = w.get();
  sys.windows.emplace(h.id, std::move(w));
  if (child)
    pw->children.push_back(h);
  else
    sys.toplevels.push_back(h);

  const ustring name_copy(windowName);
  const ustring class_copy(className);
  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hwndParent = parent;
  cs.x = x;
  cs.y = y;
  cs.cx = raw->rect.Width();
  cs.cy = raw->rect.Height();
  cs.style = style;
  cs.dwExStyle = exStyle;
  cs.lpszName = name_copy.c_str();
  cs.lpszClass = class_copy.c_str();

  auto fail = [&]() -> HWND {
    if (IsWindow(h)) DestroyWindow(h);
    return {};
  };
  CBT_CREATEWND cbt{&cs, HWND_TOP};
  if (win::CallHooks(HCBT_CREATEWND, h.id, reinterpret_cast<LPARAM>(&cbt))) return fail();
  if (!IsWindow(h)) return {};
  if (win::Send(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) return fail();
  RecalcClient(h);
  if (!IsWindow(h)) return {};
  if (win::Send(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return fail();
  TWindow* cw = W(h);
  if (cw == nullptr) return {};
  cw->created = true;
  SendSize(h, SIZE_RESTORED);
  if ((cw = W(h)) == nullptr) return {};
  win::Send(h, WM_MOVE, 0,
            MAKELPARAM(cw->rect.Left + cw->client.Left, cw->rect.Top + cw->client.Top));
  if (child && (exStyle & WS_EX_NOPARENTNOTIFY) == 0) {
    for (HWND a = parent; a; a = GetParent(a)) {
      win::Send(a, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<unsigned>(id)),
                static_cast<LPARAM>(h.id));
      TWindow* aw = W(a);
      if (aw == nullptr || (aw->exstyle & WS_EX_NOPARENTNOTIFY) != 0) break;
    }
  }
  if (!IsWindow(h)) return {};
  if (visible) ShowWindow(h, SW_SHOW);
  return IsWindow(h) ? h : HWND{};
}

bool DestroyWindow(HWND hwnd) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  if (w->destroying) return true;
  if (win::CallHooks(HCBT_DESTROYWND, hwnd.id, 0)) return false;
  w = W(hwnd);
  if (w == nullptr) return true;
  w->destroying = true;
  win::EndInputModeOf(hwnd);
  auto& sys = Sys();
  // Owned windows go first.
  for (HWND t : std::vector<HWND>(sys.toplevels)) {
    TWindow* tw = W(t);
    if (tw != nullptr && tw->owner == hwnd) DestroyWindow(t);
  }
  HideWindow(hwnd);
  if (HasFocusWithin(hwnd)) SetFocus(HWND{});
  if (sys.capture && (sys.capture == hwnd || IsChild(hwnd, sys.capture))) ReleaseCapture();
  win::Send(hwnd, WM_DESTROY);
  if ((w = W(hwnd)) == nullptr) return true;
  for (HWND c : std::vector<HWND>(w->children)) DestroyWindow(c);
  win::Send(hwnd, WM_NCDESTROY);
  if ((w = W(hwnd)) == nullptr) return true;
  win::ForgetTimers(hwnd);
  win::ForgetWindowInput(hwnd);
  win::ForgetDCs(hwnd);
  if (w->parent) {
    TWindow* p = W(w->parent);
    if (p != nullptr) {
      p->children.erase(std::remove(p->children.begin(), p->children.end(), hwnd),
                        p->children.end());
    }
  } else {
    sys.toplevels.erase(std::remove(sys.toplevels.begin(), sys.toplevels.end(), hwnd),
                        sys.toplevels.end());
    if (w->native && HasBackend()) Backend().DestroyNative(hwnd);
  }
  if (sys.active == hwnd) sys.active = HWND{};
  sys.windows.erase(hwnd.id);
  return true;
}

bool IsWindow(HWND hwnd) { return W(hwnd) != nullptr; }

// ---- procedures and messages ----------------------------------------------

WNDPROC GetWindowProc(HWND hwnd) {
  TWindow* w = W(hwnd);
  if (w == nullptr || !w->proc) return {};
  return *w->proc;
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  WNDPROC old = w->proc ? *w->proc : WNDPROC{};
  w->proc = proc ? std::make_shared<const WNDPROC>(std::move(proc)) : nullptr;
  return old;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return DefWindowProc(hwnd, msg, wParam, lParam);
  return proc(hwnd, msg, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return win::Send(hwnd, msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !IsWindow(hwnd)) return false;
  Sys().posted.push_back(win::MakeMsg(hwnd, msg, wParam, lParam));
  return true;
}

void PostQuitMessage(int exitCode) {
  Sys().quit = true;
  Sys().quit_code = exitCode;
}

LPARAM GetWindowLongPtr(HWND hwnd, int index) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LPARAM>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LPARAM>(w->exstyle);
    case GWLP_ID:
      return w->id;
    case GWLP_USERDATA:
      return w->user_data;
    case GWLP_HWNDPARENT:
      return static_cast<LPARAM>(w->parent ? w->parent.id : w->owner.id);
    default:
      return 0;
  }
}

LPARAM SetWindowLongPtr(HWND hwnd, int index, LPARAM value) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      const bool ex = index == GWL_EXSTYLE;
      STYLESTRUCT ss{ex ? w->exstyle : w->style, static_cast<std::uint32_t>(value)};
      win::Send(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      if ((w = W(hwnd)) == nullptr) return 0;
      const std::uint32_t old = ex ? w->exstyle : w->style;
      (ex ? w->exstyle : w->style) = ss.styleNew;
      win::Send(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
      return static_cast<LPARAM>(old);
    }
    case GWLP_ID:
      return std::exchange(w->id, value);
    case GWLP_USERDATA:
      return std::exchange(w->user_data, value);
    default:
      return 0;
  }
}

// ---- tree ---------------------------------------------------------------

HWND GetParent(HWND hwnd) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  return w->parent ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND newParent) {
  TWindow* w = W(child);
  TWindow* np = W(newParent);
  if (w == nullptr || np == nullptr || w->IsTopLevel() || child == newParent ||
      IsChild(child, newParent)) {
    return {};
  }
  const HWND old = w->parent;
  if (w->Visible()) InvalidateParentArea(*w, w->rect);
  RemoveFromParent(*w);
  w->parent = newParent;
  np->children.push_back(child);
  if (w->Visible()) win::InvalidateWhole(child);
  return old;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  if (relation == GW_OWNER) return w->owner;
  if (relation == GW_CHILD) return w->children.empty() ? HWND{} : w->children.back();
  const std::vector<HWND>& list = w->parent ? W(w->parent)->children : Sys().toplevels;
  if (list.empty()) return {};
  auto it = std::find(list.begin(), list.end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST:
      return list.back();
    case GW_HWNDLAST:
      return list.front();
    case GW_HWNDNEXT:  // next below
      return (it == list.end() || it == list.begin()) ? HWND{} : *(it - 1);
    case GW_HWNDPREV:  // next above
      return (it == list.end() || it + 1 == list.end()) ? HWND{} : *(it + 1);
    default:
      return {};
  }
}

HWND GetAncestor(HWND hwnd, UINT relation) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  switch (relation) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
      return win::Root(*w)->handle;
    case GA_ROOTOWNER: {
      TWindow* r = win::Root(*w);
      while (r->owner && W(r->owner) != nullptr) r = W(r->owner);
      return r->handle;
    }
    default:
      return {};
  }
}

bool IsChild(HWND parent, HWND hwnd) {
  TWindow* w = W(hwnd);
  while (w != nullptr && w->parent) {
    if (w->parent == parent) return true;
    w = W(w->parent);
  }
  return false;
}

std::vector<HWND> GetChildWindows(HWND parent) {
  TWindow* w = W(parent);
  if (w == nullptr) return {};
  return {w->children.rbegin(), w->children.rend()};
}

std::vector<HWND> GetTopLevelWindows() {
  const auto& t = Sys().toplevels;
  return {t.rbegin(), t.rend()};
}

// ---- rectangles -----------------------------------------------------------

bool GetWindowRect(HWND hwnd, TRect& r) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const TPoint o = win::ScreenOrigin(*w);
  r = Bounds(o.X, o.Y, w->rect.Width(), w->rect.Height());
  return true;
}

bool GetClientRect(HWND hwnd, TRect& r) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  r = Rect(0, 0, w->client.Width(), w->client.Height());
  return true;
}

bool ClientToScreen(HWND hwnd, TPoint& p) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const TPoint o = win::ScreenOrigin(*w);
  p.X += o.X + w->client.Left;
  p.Y += o.Y + w->client.Top;
  return true;
}

bool ScreenToClient(HWND hwnd, TPoint& p) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const TPoint o = win::ScreenOrigin(*w);
  p.X -= o.X + w->client.Left;
  p.Y -= o.Y + w->client.Top;
  return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) {
    if (from) ClientToScreen(from, points[i]);
    if (to) ScreenToClient(to, points[i]);
  }
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if ((flags & SWP_NOMOVE) != 0) {
    wp.x = w->rect.Left;
    wp.y = w->rect.Top;
  }
  if ((flags & SWP_NOSIZE) != 0) {
    wp.cx = w->rect.Width();
    wp.cy = w->rect.Height();
  }
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    win::Send(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if ((w = W(hwnd)) == nullptr) return false;
  }
  if ((wp.flags & SWP_NOSIZE) == 0 && w->IsTopLevel()) {
    MINMAXINFO mmi;
    const TSize screen = ScreenSize();
    mmi.ptMaxSize = {screen.cx, screen.cy};
    mmi.ptMaxTrackSize = {std::max(screen.cx, wp.cx), std::max(screen.cy, wp.cy)};
    mmi.ptMinTrackSize = {0, 0};
    win::Send(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if ((w = W(hwnd)) == nullptr) return false;
    wp.cx = std::clamp(wp.cx, mmi.ptMinTrackSize.X,
                       std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
    wp.cy = std::clamp(wp.cy, mmi.ptMinTrackSize.Y,
                       std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
  }
  wp.cx = std::max(0, wp.cx);
  wp.cy = std::max(0, wp.cy);
  const TRect old = w->rect;
  const TRect now = Bounds(wp.x, wp.y, wp.cx, wp.cy);
  const bool moved = now.Left != old.Left || now.Top != old.Top;
  const bool sized = now.Width() != old.Width() || now.Height() != old.Height();
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!sized) wp.flags |= SWP_NOSIZE;
  if ((wp.flags & SWP_NOZORDER) == 0) ApplyZOrder(*w, wp.hwndInsertAfter);
  const bool frame = (wp.flags & SWP_FRAMECHANGED) != 0;
  if (moved || sized || frame) {
    w->rect = now;
    RecalcClient(hwnd);
    if ((w = W(hwnd)) == nullptr) return false;
    if (w->IsTopLevel()) {
      EnsurePixels(*w);
      if (w->native && (wp.flags & win::kSwpFromBackend) == 0) Backend().MoveNative(hwnd, w->rect);
      if (w->Visible()) win::LayeredAreaChanged(*w, old);
    }
    if ((wp.flags & SWP_NOREDRAW) == 0 && w->Visible()) {
      if (!w->IsTopLevel() && (moved || sized)) InvalidateParentArea(*w, old);
      if (sized || frame || !w->IsTopLevel()) win::InvalidateWhole(hwnd);
    } else if (sized && w->IsTopLevel()) {
      win::InvalidateWhole(hwnd);  // the pixels were dropped with the resize
    }
  }
  if ((wp.flags & SWP_SHOWWINDOW) != 0) {
    ShowHidden(hwnd, (wp.flags & SWP_NOACTIVATE) == 0 && !win::IsLayered(*w));
  } else if ((wp.flags & SWP_HIDEWINDOW) != 0) {
    HideWindow(hwnd);
  }
  if (!IsWindow(hwnd)) return false;
  if (moved || sized || frame || (wp.flags & SWP_NOZORDER) == 0) {
    win::Send(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  }
  return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(hwnd, HWND{}, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

// ---- showing ------------------------------------------------------------

bool ShowWindow(HWND hwnd, int cmd) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const bool was_visible = w->Visible();
  const bool top = w->IsTopLevel();
  const bool may_activate =
      top && (w->exstyle & WS_EX_NOACTIVATE) == 0 && w->Enabled() && !win::IsLayered(*w);
  switch (cmd) {
    case SW_HIDE:
      HideWindow(hwnd);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      if (!top) break;
      if (!was_visible) ShowHidden(hwnd, false);
      if ((w = W(hwnd)) == nullptr || w->minimized) break;
      win::EndInputModeOf(hwnd);
      w->minimized = true;
      w->style |= WS_MINIMIZE;
      if (w->native) Backend().Minimize(hwnd);
      if (Sys().active == hwnd) win::ActivateNextAfter(hwnd);
      SendSize(hwnd, SIZE_MINIMIZED);
      break;
    case SW_MAXIMIZE: {
      if (!top) break;
      if (w->minimized) ShowWindow(hwnd, SW_RESTORE);
      if ((w = W(hwnd)) == nullptr) break;
      if (!w->maximized) {
        w->restore_rect = w->rect;
        w->maximized = true;
        w->style |= WS_MAXIMIZE;
        const TSize s = ScreenSize();
        SetWindowPos(hwnd, HWND{}, 0, 0, s.cx, s.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        SendSize(hwnd, SIZE_MAXIMIZED);
      }
      ShowHidden(hwnd, may_activate);
      break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (top && w->minimized) {
        w->minimized = false;
        w->style &= ~WS_MINIMIZE;
        if (w->native) Backend().Restore(hwnd);
        SendSize(hwnd, SIZE_RESTORED);
        if ((w = W(hwnd)) == nullptr) break;
        win::InvalidateWhole(hwnd);
      } else if (top && w->maximized && cmd == SW_RESTORE) {
        w->maximized = false;
        w->style &= ~WS_MAXIMIZE;
        const TRect r = w->restore_rect;
        SetWindowPos(hwnd, HWND{}, r.Left, r.Top, r.Width(), r.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      ShowHidden(hwnd, may_activate);
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      ShowHidden(hwnd, false);
      break;
    case SW_SHOW:
    default:
      ShowHidden(hwnd, may_activate);
      break;
  }
  return was_visible;
}

bool IsWindowVisible(HWND hwnd) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  for (TWindow* c = w; c != nullptr; c = c->parent ? W(c->parent) : nullptr) {
    if (!c->Visible()) return false;
  }
  return true;
}

bool IsWindowEnabled(HWND hwnd) {
  TWindow* w = W(hwnd);
  return w != nullptr && w->Enabled();
}

bool EnableWindow(HWND hwnd, bool enable) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return false;
  const bool was_disabled = !w->Enabled();
  if (was_disabled == !enable) return was_disabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    if (HasFocusWithin(hwnd)) SetFocus(HWND{});
    if (Sys().capture && (Sys().capture == hwnd || IsChild(hwnd, Sys().capture))) ReleaseCapture();
  }
  win::Send(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
  return was_disabled;
}

bool IsIconic(HWND hwnd) {
  TWindow* w = W(hwnd);
  return w != nullptr && w->minimized;
}

bool IsZoomed(HWND hwnd) {
  TWindow* w = W(hwnd);
  return w != nullptr && w->maximized;
}

// ---- text, properties, shape --------------------------------------------

bool SetWindowText(HWND hwnd, ustring_view text) {
  if (!IsWindow(hwnd)) return false;
  const ustring copy(text);
  return win::Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str())) != 0;
}

ustring GetWindowText(HWND hwnd) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return {};
  ustring out;
  win::Send(hwnd, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&out));
  return out;
}

bool SetProp(HWND hwnd, ustring_view name, void* value) {
  TWindow* w = W(hwnd);
  if (w == nullptr || name.empty()) return false;
  for (auto& p : w->props) {
    if (p.first == name) {
      p.second = value;
      return true;
    }
  }
  w->props.emplace_back(ustring(name), value);
  return true;
}

void* GetProp(HWND hwnd, ustring_view name) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return nullptr;
  for (auto& p : w->props) {
    if (p.first == name) return p.second;
  }
  return nullptr;
}

void* RemoveProp(HWND hwnd, ustring_view name) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return nullptr;
  for (auto it = w->props.begin(); it != w->props.end(); ++it) {
    if (it->first == name) {
      void* v = it->second;
      w->props.erase(it);
      return v;
    }
  }
  return nullptr;
}

namespace {

bool ContainsScreenPoint(const TWindow& w, TPoint screen) {
  const TPoint o = win::ScreenOrigin(w);
  const TPoint local{screen.X - o.X, screen.Y - o.Y};
  if (!Rect(0, 0, w.rect.Width(), w.rect.Height()).Contains(local)) return false;
  return !w.shape || w.shape->Contains(local);
}

HWND DeepestAt(TWindow& w, TPoint screen) {
  TPoint c = screen;
  ScreenToClient(w.handle, c);
  if (!Rect(0, 0, w.client.Width(), w.client.Height()).Contains(c)) return w.handle;
  for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
    TWindow* k = W(*it);
    if (k == nullptr || !k->Visible() || !ContainsScreenPoint(*k, screen)) continue;
    if (!k->Enabled()) return w.handle;
    return DeepestAt(*k, screen);
  }
  return w.handle;
}

}  // namespace

namespace win {
HWND TopLevelAt(TPoint screen) {
  const auto& t = Sys().toplevels;
  for (auto it = t.rbegin(); it != t.rend(); ++it) {
    TWindow* w = W(*it);
    // The pointer passes through layered windows.
    if (w != nullptr && w->Visible() && !w->minimized && !IsLayered(*w) &&
        ContainsScreenPoint(*w, screen)) {
      return *it;
    }
  }
  return {};
}
HWND DeepestEnabledAt(HWND top, TPoint screen) {
  TWindow* w = W(top);
  return w == nullptr ? HWND{} : DeepestAt(*w, screen);
}
}  // namespace win

HWND WindowFromPoint(TPoint screen) {
  const HWND top = win::TopLevelAt(screen);
  TWindow* w = W(top);
  if (w == nullptr || !w->Enabled()) return top;
  return DeepestAt(*w, screen);
}

HWND ChildWindowFromPoint(HWND parent, TPoint client) {
  TWindow* w = W(parent);
  if (w == nullptr || !Rect(0, 0, w->client.Width(), w->client.Height()).Contains(client)) {
    return {};
  }
  TPoint screen = client;
  ClientToScreen(parent, screen);
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
    TWindow* k = W(*it);
    if (k != nullptr && k->Visible() && ContainsScreenPoint(*k, screen)) return *it;
  }
  return parent;
}

int SetWindowRgn(HWND hwnd, const TRegion* region, bool redraw) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return ERROR_REGION;
  if (region != nullptr)
    w->shape = *region;
  else
    w->shape.reset();
  if (w->IsTopLevel() && w->native) Backend().SetShape(hwnd, region);
  if (redraw && w->Visible()) {
    if (!w->IsTopLevel()) InvalidateParentArea(*w, w->rect);
    win::InvalidateWhole(hwnd);
  }
  return region != nullptr ? region->Kind() : NULLREGION;
}

int GetWindowRgn(HWND hwnd, TRegion& region) {
  TWindow* w = W(hwnd);
  if (w == nullptr || !w->shape) return ERROR_REGION;
  region = *w->shape;
  return region.Kind();
}

bool IsLayeredWindowSupported() { return true; }

const TBitmap32* GetWindowIcon(HWND hwnd, WPARAM kind) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return nullptr;
  const auto& first = kind == ICON_BIG ? w->icon_big : w->icon_small;
  const auto& second = kind == ICON_BIG ? w->icon_small : w->icon_big;
  return first ? first.get() : second.get();
}

}  // namespace qv

namespace qv {

bool AdjustWindowRectEx(TRect& r, std::uint32_t style, std::uint32_t exStyle) {
  TWindow probe;
  probe.style = style;
  probe.exstyle = exStyle;
  // The frame does not depend on the size; measure it on a roomy rectangle.
  const TRect big = Rect(0, 0, 10000, 10000);
  const TRect c = win::ComputeClientRect(probe, big);
  r = Rect(r.Left - c.Left, r.Top - c.Top, r.Right + (big.Right - c.Right),
           r.Bottom + (big.Bottom - c.Bottom));
  return true;
}

}  // namespace qv
