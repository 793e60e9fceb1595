// The default window procedure: client-area computation, hit testing, the
// plain frame and caption painted when nobody skins the window, erasing,
// text, icons, system commands (move, size, minimise, maximise, restore,
// close, the system menu), cursor selection and printing.
#include <algorithm>

#include "platform/look/plain_look.h"
#include "platform/window/input.h"
#include "platform/window/internal.h"
#include "platform/window/keys.h"
#include "platform/window/menu.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/system.h"

namespace qv {

using win::MenuCommandGrayed;
using win::Sys;
using win::TWindow;
using win::W;

namespace win {

TFrameLayout DefaultFrameLayout(const TWindow& w) {
  TFrameLayout l;
  const TRect all = Rect(0, 0, w.rect.Width(), w.rect.Height());
  const TRect client = ComputeClientRect(w, all);
  const bool caption = (w.style & WS_CAPTION) == WS_CAPTION;
  l.border = client.Left;
  l.caption = caption ? client.Top - l.border : 0;
  if (!caption) return l;
  l.caption_rect = Rect(l.border, l.border, all.Right - l.border, l.border + l.caption);
  const int size = std::max(0, std::min(GetSystemMetrics(SM_CYSIZE), l.caption - 2));
  const int y = l.border + (l.caption - size) / 2;
  int x = l.caption_rect.Right - 2;
  if ((w.style & WS_SYSMENU) != 0) {
    l.close = Rect(x - size, y, x, y + size);
    x -= size + 2;
    if ((w.style & WS_MAXIMIZEBOX) != 0) {
      l.max = Rect(x - size, y, x, y + size);
      x -= size;
    }
    if ((w.style & WS_MINIMIZEBOX) != 0) l.min = Rect(x - size, y, x, y + size);
    if ((w.exstyle & WS_EX_TOOLWINDOW) == 0) {
      const int icon = GetSystemMetrics(SM_CXSMICON);
      const int iy = l.border + (l.caption - icon) / 2;
      l.icon = Bounds(l.border + 4, iy, icon, icon);
    }
  }
  return l;
}

namespace {

void DrawCaptionButton(TCanvas& c, const TRect& r, TCommandGlyph glyph, bool pressed,
                       bool enabled) {
  if (r.IsEmpty()) return;
  TPaintState s;
  s.Enabled = enabled;
  s.Pressed = pressed;
  DrawButtonFace(c, r, s, TButtonLook::Raised);
  const TFlatPalette p = FlatPalette();
  // The glyph sinks with the button.
  const int d = pressed ? 1 : 0;
  const int size = std::max(4, r.Width() / 3);
  const int cx = r.Left + r.Width() / 2 + d;
  const int cy = r.Top + r.Height() / 2 + d;
  const TRect g = Rect(cx - size / 2 - 1, cy - size / 2 - 1, cx + size / 2 + 1, cy + size / 2 + 1);
  DrawCommandGlyph(c, g, glyph, enabled ? p.Text : p.GrayText, 1);
}

void DrawIcon(TCanvas& c, const TBitmap32& icon, const TRect& r) {
  if (icon.Empty() || r.IsEmpty()) return;
  for (int y = 0; y < r.Height(); ++y) {
    const int sy = y * icon.Height() / r.Height();
    for (int x = 0; x < r.Width(); ++x) {
      const TBGRA p = icon.Pixel(x * icon.Width() / r.Width(), sy);
      if (p.A >= 128) c.SetPixel(r.Left + x, r.Top + y, PixelToColor(p));
    }
  }
}

}  // namespace

void PaintDefaultFrame(HWND h, TCanvas& c) {
  TWindow* w = W(h);
  if (w == nullptr) return;
  const TRect all = Rect(0, 0, w->rect.Width(), w->rect.Height());
  const TFrameLayout l = DefaultFrameLayout(*w);
  const TFlatPalette p = FlatPalette();
  c.SaveDC();
  c.ExcludeClipRect(w->client);
  if ((w->exstyle & WS_EX_CLIENTEDGE) != 0) {
    const TRect e = w->client.Inflate(2, 2);
    DrawBevel(c, e, p.Border, p.Highlight);
    DrawBevel(c, e.Inflate(-1, -1), p.DarkShadow, p.Light);
  }
  if (l.border > 0) {
    c.FillRect(Rect(all.Left, all.Top, all.Right, l.border), p.Face);
    c.FillRect(Rect(all.Left, all.Bottom - l.border, all.Right, all.Bottom), p.Face);
    c.FillRect(Rect(all.Left, all.Top, l.border, all.Bottom), p.Face);
    c.FillRect(Rect(all.Right - l.border, all.Top, all.Right, all.Bottom), p.Face);
    c.FrameRect(all, clWindowFrame);
  }
  if (l.caption > 0) {
    const bool active = w->frame_active;
    c.FillRect(l.caption_rect, active ? clActiveCaption : clInactiveCaption);
    if (const TBitmap32* icon = GetWindowIcon(h, ICON_SMALL)) DrawIcon(c, *icon, l.icon);
    int right = l.caption_rect.Right - 2;
    for (const TRect* b : {&l.close, &l.max, &l.min}) {
      if (!b->IsEmpty()) right = std::min(right, b->Left);
    }
    TRect text = Rect(l.icon.IsEmpty() ? l.caption_rect.Left + 4 : l.icon.Right + 4,
                      l.caption_rect.Top, right - 4, l.caption_rect.Bottom);
    c.Font = CaptionFont(GetDpiForSystem());
    c.Font.Color = active ? clCaptionText : clInactiveCaptionText;
    c.SetBkMode(TRANSPARENT);
    if (!text.IsEmpty() && !w->text.empty()) {
      c.DrawText(w->text, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    DrawCaptionButton(c, l.close, TCommandGlyph::Close, w->nc_pressed == HTCLOSE,
                      !MenuCommandGrayed(h, SC_CLOSE));
    DrawCaptionButton(c, l.max, TCommandGlyph::Maximize, w->nc_pressed == HTMAXBUTTON, true);
    DrawCaptionButton(c, l.min, TCommandGlyph::Minimize, w->nc_pressed == HTMINBUTTON, true);
  }
  c.RestoreDC(-1);
}

}  // namespace win

namespace {

LRESULT DefaultHitTest(const TWindow& w, TPoint screen) {
  const TPoint o = win::ScreenOrigin(w);
  const TPoint p{screen.X - o.X, screen.Y - o.Y};
  const TRect all = Rect(0, 0, w.rect.Width(), w.rect.Height());
  if (!all.Contains(p) || (w.shape && !w.shape->Contains(p))) return HTNOWHERE;
  if (w.client.Contains(p)) return HTCLIENT;
  const win::TFrameLayout l = win::DefaultFrameLayout(w);
  if (l.caption_rect.Contains(p)) {
    if (l.close.Contains(p)) return HTCLOSE;
    if (l.max.Contains(p)) return HTMAXBUTTON;
    if (l.min.Contains(p)) return HTMINBUTTON;
    if (l.icon.Contains(p)) return HTSYSMENU;
    return HTCAPTION;
  }
  if ((w.style & WS_THICKFRAME) != 0 && !w.maximized) {
    const int corner = l.border + GetSystemMetrics(SM_CXSMICON);
    const bool left = p.X < l.border, right = p.X >= all.Right - l.border;
    const bool top = p.Y < l.border, bottom = p.Y >= all.Bottom - l.border;
    const bool near_left = p.X < corner, near_right = p.X >= all.Right - corner;
    const bool near_top = p.Y < corner, near_bottom = p.Y >= all.Bottom - corner;
    if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
    if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
    if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
    if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  return HTBORDER;
}

// The system menu's place: below the caption, under the icon when there is
// one, at the frame's left edge otherwise.
TPoint SystemMenuPoint(const TWindow& w) {
  const win::TFrameLayout l = win::DefaultFrameLayout(w);
  const int x = l.icon.IsEmpty() ? l.border : l.icon.Left;
  const int y = l.caption > 0 ? l.caption_rect.Bottom : l.border;
  return {w.rect.Left + x, w.rect.Top + y};
}

// Only the frame: the client keeps its pixels.
void RepaintFrame(HWND h) {
  TWindow* w = W(h);
  if (w != nullptr && w->Visible()) w->nc_dirty = true;
}

LRESULT SysCommand(HWND h, WPARAM cmd, LPARAM lParam) {
  TWindow* w = W(h);
  if (w == nullptr) return 0;
  switch (cmd & 0xFFF0) {
    case SC_CLOSE:
      win::Send(h, WM_CLOSE);
      break;
    case SC_MINIMIZE:
      ShowWindow(h, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(h, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(h, SW_RESTORE);
      break;
    case SC_SIZE:
      win::BeginKeyboardSizeMove(h, true);
      break;
    case SC_KEYMENU:
      // Alt+Space; the plain Alt that opens a menu bar has nothing to open here.
      if (lParam == u' ') ShowSystemMenu(h, SystemMenuPoint(*w), true);
      break;
    case SC_MOVE: {
      auto& sys = Sys();
      if (!w->IsTopLevel() || w->maximized || w->minimized) break;
      if ((sys.buttons & MK_LBUTTON) == 0) {
        // From the system menu: the keyboard (or the pointer) moves it.
        win::BeginKeyboardSizeMove(h, false);
        break;
      }
      const TPoint pt = lParam != 0 ? LParamToPoint(lParam) : sys.cursor_pos;
      win::Send(h, WM_ENTERSIZEMOVE);
      if (!IsWindow(h)) break;
      if (Backend().BeginSystemMove(h, pt)) {
        // The window manager has the pointer until the button is released.
        sys.buttons = 0;
        sys.press_target = HWND{};
        sys.keys[VK_LBUTTON] &= 0x7F;
        win::Send(h, WM_EXITSIZEMOVE);
      } else {
        sys.moving = h;
        sys.move_offset = {pt.X - w->rect.Left, pt.Y - w->rect.Top};
      }
      break;
    }
    default:
      break;  // no help mode on this desktop
  }
  return 0;
}

void Print(HWND h, HDC dc, UINT flags) {
  TWindow* w = W(h);
  if (w == nullptr || dc == nullptr) return;
  if ((flags & PRF_CHECKVISIBLE) != 0 && !IsWindowVisible(h)) return;
  const int saved = dc->SaveDC();
  if ((flags & PRF_NONCLIENT) != 0 && w->client != Rect(0, 0, w->rect.Width(), w->rect.Height())) {
    win::PaintDefaultFrame(h, *dc);
  }
  dc->MoveViewportOrg(w->client.Left, w->client.Top);
  dc->IntersectClipRect(Rect(0, 0, w->client.Width(), w->client.Height()));
  if ((flags & PRF_ERASEBKGND) != 0) win::Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if ((flags & PRF_CLIENT) != 0) {
    win::Send(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(flags));
  }
  if ((flags & PRF_CHILDREN) != 0 && (w = W(h)) != nullptr) {
    for (HWND c : std::vector<HWND>(w->children)) {
      TWindow* k = W(c);
      if (k == nullptr || !k->Visible()) continue;
      const int s = dc->SaveDC();
      dc->MoveViewportOrg(k->rect.Left, k->rect.Top);
      dc->IntersectClipRect(Rect(0, 0, k->rect.Width(), k->rect.Height()));
      win::Send(c, WM_PRINT, reinterpret_cast<WPARAM>(dc), static_cast<LPARAM>(flags));
      dc->RestoreDC(s);
    }
  }
  dc->RestoreDC(saved);
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = W(hwnd);
  if (w == nullptr) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return 1;
    case WM_NCCALCSIZE: {
      TRect* r = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<TRect*>(lParam);
      if (r == nullptr) return 0;
      const TRect local = r->Offset(-r->Left, -r->Top);
      *r = win::ComputeClientRect(*w, local).Offset(r->Left, r->Top);
      return 0;
    }
    case WM_NCHITTEST:
      return DefaultHitTest(*w, LParamToPoint(lParam));
    case WM_NCPAINT: {
      if (w->client == Rect(0, 0, w->rect.Width(), w->rect.Height())) return 0;
      TWindowDC dc(hwnd, true);
      if (dc) win::PaintDefaultFrame(hwnd, *dc.get());
      return 0;
    }
    case WM_NCACTIVATE:
      w->frame_active = wParam != 0;
      if ((w->style & WS_CAPTION) == WS_CAPTION) RepaintFrame(hwnd);
      return 1;
    case WM_ERASEBKGND: {
      const TColor color = w->cls->wc.hbrBackground;
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (color == clNone || dc == nullptr) return 0;
      dc->FillRect(Rect(0, 0, w->client.Width(), w->client.Height()), color);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, ps);
      EndPaint(hwnd, ps);
      return 0;
    }
    case WM_PRINT:
      Print(hwnd, reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
      return 0;
    case WM_SETTEXT: {
      const char16_t* text = reinterpret_cast<const char16_t*>(lParam);
      w->text = text != nullptr ? ustring(text) : ustring();
      if (w->IsTopLevel() && w->native) Backend().SetTitle(hwnd, w->text);
      if ((w->style & WS_CAPTION) == WS_CAPTION) RepaintFrame(hwnd);
      return 1;
    }
    case WM_GETTEXT:
      if (lParam != 0) *reinterpret_cast<ustring*>(lParam) = w->text;
      return static_cast<LRESULT>(w->text.size());
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_SETICON: {
      const TBitmap32* icon = reinterpret_cast<const TBitmap32*>(lParam);
      auto& slot = wParam == ICON_BIG ? w->icon_big : w->icon_small;
      slot = icon != nullptr ? std::make_unique<TBitmap32>(*icon) : nullptr;
      if (w->IsTopLevel() && w->native && icon != nullptr) Backend().SetIcon(hwnd, *icon);
      if ((w->style & WS_CAPTION) == WS_CAPTION) RepaintFrame(hwnd);
      return 0;
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(GetWindowIcon(hwnd, wParam));
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      return SysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN:
      switch (static_cast<int>(wParam)) {
        case HTCAPTION:
          return win::Send(hwnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), lParam);
        case HTSYSMENU:
          if (w->IsTopLevel()) ShowSystemMenu(hwnd, SystemMenuPoint(*w));
          return 0;
        case HTCLOSE:
          if (MenuCommandGrayed(hwnd, SC_CLOSE)) return 0;
          w->nc_pressed = HTCLOSE;
          RepaintFrame(hwnd);
          return 0;
        case HTMINBUTTON:
        case HTMAXBUTTON:
          w->nc_pressed = static_cast<int>(wParam);
          RepaintFrame(hwnd);
          return 0;
        default:
          return 0;
      }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: {
      const int pressed = std::exchange(w->nc_pressed, 0);
      if (pressed == 0) return 0;
      RepaintFrame(hwnd);
      if (msg != WM_NCLBUTTONUP || static_cast<int>(wParam) != pressed) return 0;
      if (pressed == HTCLOSE) return win::Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      if (pressed == HTMINBUTTON) return win::Send(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
      return win::Send(hwnd, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
    }
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTSYSMENU && !MenuCommandGrayed(hwnd, SC_CLOSE)) {
        return win::Send(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      }
      if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX) != 0) {
        return win::Send(hwnd, WM_SYSCOMMAND, w->maximized ? SC_RESTORE : SC_MAXIMIZE, lParam);
      }
      return 0;
    case WM_NCRBUTTONUP:
      return win::Send(hwnd, WM_CONTEXTMENU, hwnd.id, lParam);
    case WM_CONTEXTMENU:
      if (w->parent) return win::Send(w->parent, msg, wParam, lParam);
      // A right click on the caption opens the system menu at the pointer.
      if (const LRESULT hit = win::Send(hwnd, WM_NCHITTEST, 0, lParam);
          IsWindow(hwnd) && (hit == HTCAPTION || hit == HTSYSMENU)) {
        ShowSystemMenu(hwnd, LParamToPoint(lParam));
      }
      return 0;
    case WM_MOUSEWHEEL:
      if (w->parent) return win::Send(w->parent, msg, wParam, lParam);
      return 0;
    case WM_SETCURSOR: {
      if (w->parent && win::Send(w->parent, WM_SETCURSOR, wParam, lParam) != 0) return 1;
      if (wParam != hwnd.id) return 0;  // a parent leaves its children their own cursor
      switch (static_cast<std::int16_t>(LOWORD(static_cast<WPARAM>(lParam)))) {
        case HTCLIENT:
          SetCursor(w->cls->wc.hCursor);
          return 1;
        case HTLEFT:
        case HTRIGHT:
          SetCursor(IDC_SIZEWE);
          return 1;
        case HTTOP:
        case HTBOTTOM:
          SetCursor(IDC_SIZENS);
          return 1;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
          SetCursor(IDC_SIZENWSE);
          return 1;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
          SetCursor(IDC_SIZENESW);
          return 1;
        default:
          SetCursor(IDC_ARROW);
          return 1;
      }
    }
    case WM_MOUSEACTIVATE:
      if (w->parent) {
        const LRESULT r = win::Send(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r != 0) return r;
      }
      return 1;  // MA_ACTIVATE
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
        const HWND f = GetFocus();
        if (!f || (f != hwnd && !IsChild(hwnd, f))) SetFocus(hwnd);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (GetKeyState(VK_MENU) & 0x8000) != 0) {
        // A greyed close item closes nothing, by mouse or by keyboard.
        const HWND root = GetAncestor(hwnd, GA_ROOT);
        if (!MenuCommandGrayed(root, SC_CLOSE)) PostMessage(root, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SYSCHAR:
      if (wParam == u' ') {
        return win::Send(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, u' ');
      }
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const WINDOWPOS* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (wp == nullptr) return 0;
      if ((wp->flags & SWP_NOSIZE) == 0) {
        win::Send(hwnd, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                  MAKELPARAM(w->client.Width(), w->client.Height()));
      }
      if ((w = W(hwnd)) != nullptr && (wp->flags & SWP_NOMOVE) == 0) {
        win::Send(hwnd, WM_MOVE, 0,
                  MAKELPARAM(w->rect.Left + w->client.Left, w->rect.Top + w->client.Top));
      }
      return 0;
    }
    case WM_SETREDRAW:
      w->redraw_off = wParam == 0;
      return 0;
    case WM_DPICHANGED: {
      const TRect* r = reinterpret_cast<const TRect*>(lParam);
      if (r != nullptr && w->IsTopLevel()) {
        // The frame metrics changed too, even when the size does not.
        SetWindowPos(hwnd, HWND{}, r->Left, r->Top, r->Width(), r->Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace qv
