// SDL2 backend on X11: native windows (lists and menus as override-redirect
// popups), presenting through the window surface, event translation, caption
// drags (the window manager's where there is one), X shapes, cursors,
// clipboard, and Xft.dpi, read at start and again whenever the X resources
// change. Xft.dpi is one value for the whole X screen, so that is the only
// density change there is: moving between monitors changes nothing.
#include "platform/window/sdl_backend.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/shape.h>
#include <unistd.h>

#include <climits>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/window/internal.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "platform/window/shell.h"
#include "platform/window/system.h"

namespace qv {

namespace {

int VkFromScancode(SDL_Scancode s) {
  if (s >= SDL_SCANCODE_A && s <= SDL_SCANCODE_Z) return 'A' + (s - SDL_SCANCODE_A);
  if (s >= SDL_SCANCODE_1 && s <= SDL_SCANCODE_9) return '1' + (s - SDL_SCANCODE_1);
  if (s >= SDL_SCANCODE_F1 && s <= SDL_SCANCODE_F12) return VK_F1 + (s - SDL_SCANCODE_F1);
  if (s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_9)
    return VK_NUMPAD0 + 1 + (s - SDL_SCANCODE_KP_1);
  switch (s) {
    case SDL_SCANCODE_0:
      return '0';
    case SDL_SCANCODE_RETURN:
      return VK_RETURN;
    case SDL_SCANCODE_KP_ENTER:
      return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
      return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
      return VK_BACK;
    case SDL_SCANCODE_TAB:
      return VK_TAB;
    case SDL_SCANCODE_SPACE:
      return VK_SPACE;
    case SDL_SCANCODE_MINUS:
      return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS:
      return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET:
      return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET:
      return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH:
      return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON:
      return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE:
      return VK_OEM_7;
    case SDL_SCANCODE_GRAVE:
      return VK_OEM_3;
    case SDL_SCANCODE_COMMA:
      return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD:
      return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
      return VK_OEM_2;
    case SDL_SCANCODE_CAPSLOCK:
      return VK_CAPITAL;
    case SDL_SCANCODE_PRINTSCREEN:
      return VK_SNAPSHOT;
    case SDL_SCANCODE_SCROLLLOCK:
      return VK_SCROLL;
    case SDL_SCANCODE_PAUSE:
      return VK_PAUSE;
    case SDL_SCANCODE_INSERT:
      return VK_INSERT;
    case SDL_SCANCODE_HOME:
      return VK_HOME;
    case SDL_SCANCODE_PAGEUP:
      return VK_PRIOR;
    case SDL_SCANCODE_DELETE:
      return VK_DELETE;
    case SDL_SCANCODE_END:
      return VK_END;
    case SDL_SCANCODE_PAGEDOWN:
      return VK_NEXT;
    case SDL_SCANCODE_RIGHT:
      return VK_RIGHT;
    case SDL_SCANCODE_LEFT:
      return VK_LEFT;
    case SDL_SCANCODE_DOWN:
      return VK_DOWN;
    case SDL_SCANCODE_UP:
      return VK_UP;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return VK_NUMLOCK;
    case SDL_SCANCODE_KP_DIVIDE:
      return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS:
      return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS:
      return VK_ADD;
    case SDL_SCANCODE_KP_0:
      return VK_NUMPAD0;
    case SDL_SCANCODE_KP_PERIOD:
      return VK_DECIMAL;
    case SDL_SCANCODE_APPLICATION:
      return VK_APPS;
    case SDL_SCANCODE_LCTRL:
      return VK_LCONTROL;
    case SDL_SCANCODE_LSHIFT:
      return VK_LSHIFT;
    case SDL_SCANCODE_LALT:
      return VK_LMENU;
    case SDL_SCANCODE_LGUI:
      return VK_LWIN;
    case SDL_SCANCODE_RCTRL:
      return VK_RCONTROL;
    case SDL_SCANCODE_RSHIFT:
      return VK_RSHIFT;
    case SDL_SCANCODE_RALT:
      return VK_RMENU;
    case SDL_SCANCODE_RGUI:
      return VK_RWIN;
    default:
      return 0;
  }
}

SDL_SystemCursor SdlCursor(HCURSOR c) {
  switch (c) {
    case IDC_IBEAM:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_WAIT:
      return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_CROSS:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case IDC_SIZENWSE:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEWE:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_SIZEALL:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_NO:
      return SDL_SYSTEM_CURSOR_NO;
    case IDC_HAND:
      return SDL_SYSTEM_CURSOR_HAND;
    default:
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

class TSdlBackend final : public TBackend {
 public:
  TSdlBackend() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The X server's own framebuffer: an accelerated one would recreate the
    // native window behind our back (and lose its shape).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SDL's X11 driver cannot be started a second time in one process, so
    // video stays up once it is (a new backend just makes new windows).
    static bool video_up = false;
    if (!video_up) {
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("No display for the window: ") + SDL_GetError());
      }
      video_up = true;
    }
    // A lost display cannot be recovered: leave at once instead of running
    // exit-time clean-up against a dead connection (which spins).
    XSetIOErrorHandler([](Display*) -> int {
      static const char kMessage[] = "quorvane: the connection to the display was lost\n";
      (void)!write(2, kMessage, sizeof kMessage - 1);
      _exit(1);
    });
    x_ = XOpenDisplay(nullptr);
    if (x_ != nullptr) {
      XrmInitialize();
      dpi_ = ParseXftDpi(XResourceManagerString(x_));
      DetectWindowManager();
    }
    SDL_StartTextInput();
  }

  ~TSdlBackend() override {
    for (auto& [id, c] : cursors_) SDL_FreeCursor(c);
    for (auto& [id, w] : windows_) SDL_DestroyWindow(w.sdl);
    windows_.clear();
    if (x_ != nullptr) XCloseDisplay(x_);
  }

  const char* Name() const override { return "sdl2"; }
  TClock& Clock() override { return clock_; }
  TSize ScreenSize() override {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(0, &r) != 0) return {1024, 768};
    return {r.w, r.h};
  }
  int Dpi() override { return dpi_; }

  void CreateNative(HWND hwnd, const TRect& screen, ustring_view title) override {
    const win::TWindow* tw = win::W(hwnd);
    const bool popup =
        tw != nullptr && (tw->style & WS_POPUP) != 0 && (tw->exstyle & WS_EX_NOACTIVATE) != 0;
    SDL_Window* w = SDL_CreateWindow(
        Utf16ToUtf8(title).c_str(), screen.Left, screen.Top, std::max(1, screen.Width()),
        std::max(1, screen.Height()),
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | (popup ? SDL_WINDOW_SKIP_TASKBAR : 0));
    if (w == nullptr)
      throw std::runtime_error(std::string("Window not created: ") + SDL_GetError());
    TNative n;
    n.sdl = w;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(w, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
      n.xwin = info.info.x11.window;
      sdl_display_ = info.info.x11.display;
      WatchResources();
      if (popup) {
        // Drop-down lists and menus: no window manager places them or gives
        // them the focus, which stays with the window they belong to.
        n.popup = true;
        XSetWindowAttributes attrs{};
        attrs.override_redirect = True;
        XChangeWindowAttributes(sdl_display_, n.xwin, CWOverrideRedirect, &attrs);
        XFlush(sdl_display_);
      }
    }
    by_sdl_[SDL_GetWindowID(w)] = hwnd;
    windows_[hwnd.id] = n;
  }

  void DestroyNative(HWND hwnd) override {
    auto it = windows_.find(hwnd.id);
    if (it == windows_.end()) return;
    by_sdl_.erase(SDL_GetWindowID(it->second.sdl));
    SDL_DestroyWindow(it->second.sdl);
    windows_.erase(it);
  }

  void ShowNative(HWND hwnd, bool show) override {
    if (TNative* n = Find(hwnd)) {
      if (n->popup && sdl_display_ != nullptr) {
        // Mapped directly: without a window manager SDL would hand every
        // shown window the focus, and the owner would lose it to its menu.
        if (show)
          XMapRaised(sdl_display_, n->xwin);
        else
          XUnmapWindow(sdl_display_, n->xwin);
        XFlush(sdl_display_);
      } else if (show)
        SDL_ShowWindow(n->sdl);
      else
        SDL_HideWindow(n->sdl);
    }
  }

  void MoveNative(HWND hwnd, const TRect& screen) override {
    TNative* n = Find(hwnd);
    if (n == nullptr) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(n->sdl, &w, &h);
    if (w != screen.Width() || h != screen.Height()) {
      SDL_SetWindowSize(n->sdl, std::max(1, screen.Width()), std::max(1, screen.Height()));
    }
    SDL_SetWindowPosition(n->sdl, screen.Left, screen.Top);
  }

  void SetTitle(HWND hwnd, ustring_view title) override {
    if (TNative* n = Find(hwnd)) SDL_SetWindowTitle(n->sdl, Utf16ToUtf8(title).c_str());
  }

  void SetIcon(HWND hwnd, const TBitmap32& icon) override {
    TNative* n = Find(hwnd);
    if (n == nullptr || icon.Empty()) return;
    TBitmap32 top = icon;
    top.SetRowOrder(TRowOrder::TopDown);
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(top.ScanLine(0), top.Width(), top.Height(), 32,
                                           static_cast<int>(top.Stride()), SDL_PIXELFORMAT_BGRA32);
    if (s == nullptr) return;
    SDL_SetWindowIcon(n->sdl, s);
    SDL_FreeSurface(s);
  }

  void SetShape(HWND hwnd, const TRegion* region) override {
    TNative* n = Find(hwnd);
    // SDL's own connection: requests on it follow the window's creation.
    Display* d = sdl_display_;
    if (n == nullptr || n->xwin == 0 || d == nullptr) return;
    int event_base = 0, error_base = 0;
    if (!XShapeQueryExtension(d, &event_base, &error_base)) return;
    if (region == nullptr) {
      XShapeCombineMask(d, n->xwin, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
      std::vector<XRectangle> rects;
      rects.reserve(region->Rects().size());
      for (const TRect& r : region->Rects()) {
        rects.push_back({static_cast<short>(r.Left), static_cast<short>(r.Top),
                         static_cast<unsigned short>(r.Width()),
                         static_cast<unsigned short>(r.Height())});
      }
      XShapeCombineRectangles(d, n->xwin, ShapeBounding, 0, 0, rects.data(),
                              static_cast<int>(rects.size()), ShapeSet, YXBanded);
    }
    XFlush(d);
  }

  void Minimize(HWND hwnd) override {
    if (TNative* n = Find(hwnd)) SDL_MinimizeWindow(n->sdl);
  }
  void Restore(HWND hwnd) override {
    if (TNative* n = Find(hwnd)) SDL_RestoreWindow(n->sdl);
  }
  void Raise(HWND hwnd) override {
    TNative* n = Find(hwnd);
    if (n == nullptr || !IsWindowVisible(hwnd)) return;
    if (n->popup && sdl_display_ != nullptr) {
      XRaiseWindow(sdl_display_, n->xwin);  // SDL's raise would also activate it
      XFlush(sdl_display_);
    } else {
      SDL_RaiseWindow(n->sdl);
    }
  }

  void Present(HWND hwnd, const TBitmap32& pixels, const TRegion& area) override {
    TNative* n = Find(hwnd);
    if (n == nullptr) return;
    SDL_Surface* s = SDL_GetWindowSurface(n->sdl);
    if (s == nullptr) return;
    const TRect bounds = IntersectRect(pixels.BoundsRect(), Rect(0, 0, s->w, s->h));
    std::vector<TRect> rects = area.Rects();
    if (rects.size() > 64) rects = {area.Bounds()};
    std::vector<SDL_Rect> done;
    if (SDL_MUSTLOCK(s)) SDL_LockSurface(s);
    for (const TRect& r0 : rects) {
      const TRect r = IntersectRect(r0, bounds);
      if (r.IsEmpty()) continue;
      auto* dst = static_cast<std::uint8_t*>(s->pixels) + r.Top * s->pitch +
                  r.Left * s->format->BytesPerPixel;
      SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_BGRA32,
                        pixels.ScanLine(r.Top) + r.Left, static_cast<int>(pixels.Stride()),
                        s->format->format, dst, s->pitch);
      done.push_back({r.Left, r.Top, r.Width(), r.Height()});
    }
    if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
    if (!done.empty())
      SDL_UpdateWindowSurfaceRects(n->sdl, done.data(), static_cast<int>(done.size()));
  }

  bool BeginSystemMove(HWND hwnd, TPoint screen) override {
    TNative* n = Find(hwnd);
    if (n == nullptr || !wm_moveresize_ || x_ == nullptr || n->xwin == 0) return false;
    SDL_CaptureMouse(SDL_FALSE);
    if (sdl_display_ != nullptr) {
      XUngrabPointer(sdl_display_, CurrentTime);
      XFlush(sdl_display_);
    }
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = n->xwin;
    ev.xclient.message_type = XInternAtom(x_, "_NET_WM_MOVERESIZE", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = screen.X;
    ev.xclient.data.l[1] = screen.Y;
    ev.xclient.data.l[2] = 8;  // move
    ev.xclient.data.l[3] = Button1;
    ev.xclient.data.l[4] = 1;  // from an application
    XSendEvent(x_, DefaultRootWindow(x_), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &ev);
    XFlush(x_);
    return true;
  }

  void SetMouseCapture(bool on) override { SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE); }

  void SetCursorShape(HCURSOR cursor) override {
    const SDL_SystemCursor id = SdlCursor(cursor);
    SDL_Cursor*& c = cursors_[id];
    if (c == nullptr) c = SDL_CreateSystemCursor(id);
    if (c != nullptr) SDL_SetCursor(c);
  }

  void SetClipboardText(ustring_view text) override {
    SDL_SetClipboardText(Utf16ToUtf8(text).c_str());
  }

  ustring GetClipboardText() override {
    char* t = SDL_GetClipboardText();
    if (t == nullptr) return {};
    ustring out = Utf8ToUtf16(t);
    SDL_free(t);
    return out;
  }

  void OpenURL(const std::string& url) override { LaunchXdgOpen(url); }

  void Poll() override {
    SDL_Event ev;
    while (SDL_PollEvent(&ev) != 0) Translate(ev);
  }

  bool Wait(int timeout_ms) override {
    SDL_Event ev;
    const int got = timeout_ms < 0 ? SDL_WaitEvent(&ev) : SDL_WaitEventTimeout(&ev, timeout_ms);
    if (got != 0) Translate(ev);
    return true;
  }

 private:
  struct TNative {
    SDL_Window* sdl = nullptr;
    ::Window xwin = 0;
    bool popup = false;  // override-redirect, mapped by us
  };

  TNative* Find(HWND h) {
    auto it = windows_.find(h.id);
    if (it == windows_.end()) return nullptr;
    // SDL may recreate the X window; always name the current one.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(it->second.sdl, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
      it->second.xwin = info.info.x11.window;
    }
    return &it->second;
  }

  HWND ByWindowId(Uint32 id) {
    auto it = by_sdl_.find(id);
    return it == by_sdl_.end() ? HWND{} : it->second;
  }

  // Resource changes (xrdb) arrive as a property change on the root window;
  // SDL's own connection sees it, so waiting for events wakes for it too.
  void WatchResources() {
    if (watching_ || sdl_display_ == nullptr || x_ == nullptr) return;
    watching_ = true;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    const ::Window root = DefaultRootWindow(sdl_display_);
    XWindowAttributes a;
    if (XGetWindowAttributes(sdl_display_, root, &a) != 0) {
      XSelectInput(sdl_display_, root, a.your_event_mask | PropertyChangeMask);
      XFlush(sdl_display_);
    }
  }

  void ResourcesChanged() {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    int dpi = 96;
    if (XGetWindowProperty(x_, DefaultRootWindow(x_), XA_RESOURCE_MANAGER, 0, LONG_MAX / 4, False,
                           XA_STRING, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 8) {
      dpi = ParseXftDpi(reinterpret_cast<const char*>(data));
    }
    if (data != nullptr) XFree(data);
    if (dpi == dpi_) return;
    dpi_ = dpi;
    TRawEvent e;
    e.kind = TRawKind::DpiChanged;
    e.dpi = dpi;
    PostRawEvent(std::move(e));
  }

  void DetectWindowManager() {
    const Atom supported = XInternAtom(x_, "_NET_SUPPORTED", True);
    const Atom check = XInternAtom(x_, "_NET_SUPPORTING_WM_CHECK", True);
    const Atom moveresize = XInternAtom(x_, "_NET_WM_MOVERESIZE", True);
    if (supported == None || check == None || moveresize == None) return;
    Atom type;
    int format;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(x_, DefaultRootWindow(x_), check, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) != Success ||
        count == 0) {
      if (data != nullptr) XFree(data);
      return;
    }
    XFree(data);
    data = nullptr;
    if (XGetWindowProperty(x_, DefaultRootWindow(x_), supported, 0, 4096, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data != nullptr) {
      const Atom* atoms = reinterpret_cast<const Atom*>(data);
      for (unsigned long i = 0; i < count; ++i)
        wm_moveresize_ = wm_moveresize_ || atoms[i] == moveresize;
      XFree(data);
    }
  }

  TPoint ScreenPoint(HWND h, int x, int y) {
    if (win::Sys().moving) {
      int gx = 0, gy = 0;
      SDL_GetGlobalMouseState(&gx, &gy);
      return {gx, gy};
    }
    TRect r;
    GetWindowRect(h, r);
    return {r.Left + x, r.Top + y};
  }

  static TRawMouseButton Button(Uint8 b) {
    if (b == SDL_BUTTON_RIGHT) return TRawMouseButton::Right;
    if (b == SDL_BUTTON_MIDDLE) return TRawMouseButton::Middle;
    return TRawMouseButton::Left;
  }

  void Translate(const SDL_Event& ev) {
    TRawEvent e;
    switch (ev.type) {
      case SDL_QUIT:
        // A termination request (SIGTERM, SIGINT) closes the visible windows
        // through their one close gate, so the program ends as on "Выйти".
        for (HWND top : GetTopLevelWindows()) {
          if (!IsWindowVisible(top)) continue;
          TRawEvent close;
          close.kind = TRawKind::Close;
          close.window = top;
          PostRawEvent(close);
        }
        return;
      case SDL_SYSWMEVENT: {
        if (ev.syswm.msg == nullptr || ev.syswm.msg->subsystem != SDL_SYSWM_X11) return;
        const XEvent& xe = ev.syswm.msg->msg.x11.event;
        if (xe.type == PropertyNotify && xe.xproperty.atom == XA_RESOURCE_MANAGER &&
            sdl_display_ != nullptr && xe.xproperty.window == DefaultRootWindow(sdl_display_)) {
          ResourcesChanged();
        }
        return;
      }
      case SDL_MOUSEMOTION:
        e.window = ByWindowId(ev.motion.windowID);
        if (!e.window) return;
        e.kind = TRawKind::MouseMove;
        e.pt = ScreenPoint(e.window, ev.motion.x, ev.motion.y);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        if (ev.button.button != SDL_BUTTON_LEFT && ev.button.button != SDL_BUTTON_RIGHT &&
            ev.button.button != SDL_BUTTON_MIDDLE) {
          return;
        }
        e.window = ByWindowId(ev.button.windowID);
        if (!e.window) return;
        e.kind = ev.type == SDL_MOUSEBUTTONDOWN ? TRawKind::MouseDown : TRawKind::MouseUp;
        e.button = Button(ev.button.button);
        e.pt = ScreenPoint(e.window, ev.button.x, ev.button.y);
        break;
      case SDL_MOUSEWHEEL: {
        e.window = ByWindowId(ev.wheel.windowID);
        e.kind = TRawKind::Wheel;
        e.wheel = ev.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -ev.wheel.y : ev.wheel.y;
        if (e.wheel == 0) return;
        int gx = 0, gy = 0;
        SDL_GetGlobalMouseState(&gx, &gy);
        e.pt = {gx, gy};
        break;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        e.kind = ev.type == SDL_KEYDOWN ? TRawKind::KeyDown : TRawKind::KeyUp;
        e.window = ByWindowId(ev.key.windowID);
        e.vk = VkFromScancode(ev.key.keysym.scancode);
        e.scancode = static_cast<int>(ev.key.keysym.scancode);
        e.repeat = ev.key.repeat != 0;
        if (e.vk == 0) return;
        break;
      case SDL_TEXTINPUT:
        e.kind = TRawKind::Text;
        e.window = ByWindowId(ev.text.windowID);
        e.text = Utf8ToUtf16(ev.text.text);
        break;
      case SDL_WINDOWEVENT:
        e.window = ByWindowId(ev.window.windowID);
        if (!e.window) return;
        switch (ev.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            e.kind = TRawKind::Close;
            break;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            e.kind = TRawKind::Activate;
            break;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            e.kind = TRawKind::Deactivate;
            break;
          case SDL_WINDOWEVENT_MOVED:
            // Without a window manager only the program moves windows, and
            // late reports of its own moves must not pull the window back.
            if (!wm_moveresize_ || win::Sys().moving) return;
            e.kind = TRawKind::Moved;
            e.pt = {ev.window.data1, ev.window.data2};
            break;
          case SDL_WINDOWEVENT_MINIMIZED:
          case SDL_WINDOWEVENT_RESTORED:
            // SDL takes the unmapping and mapping of a popup for these.
            if (const TNative* n = Find(e.window); n == nullptr || n->popup) return;
            e.kind = ev.window.event == SDL_WINDOWEVENT_MINIMIZED ? TRawKind::Minimized
                                                                  : TRawKind::Restored;
            break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
            e.kind = TRawKind::Exposed;
            break;
          case SDL_WINDOWEVENT_LEAVE:
            e.kind = TRawKind::PointerLeft;
            break;
          default:
            return;
        }
        break;
      default:
        return;
    }
    PostRawEvent(std::move(e));
  }

  TRealClock clock_;
  int dpi_ = 96;
  Display* x_ = nullptr;
  Display* sdl_display_ = nullptr;
  bool wm_moveresize_ = false;
  bool watching_ = false;
  std::unordered_map<std::uint32_t, TNative> windows_;
  std::unordered_map<Uint32, HWND> by_sdl_;
  std::unordered_map<int, SDL_Cursor*> cursors_;
};

}  // namespace

std::unique_ptr<TBackend> CreateSdlBackend() { return std::make_unique<TSdlBackend>(); }

}  // namespace qv
