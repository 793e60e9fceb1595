// The modal message box: layout, painting (the icons are drawn shapes, not
// pictures), its button and keyboard handling, and the modal loop.
#include "platform/window/message_box.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/density.h"
#include "platform/look/plain_look.h"
#include "platform/text/text.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/metrics.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv {

namespace {

constexpr char16_t kClassName[] = u"#32770";
constexpr char16_t kStateProp[] = u"QvMessageBoxState";

struct TBoxState {
  ustring text;
  UINT icon = 0;
  int dpi = 96;
  TRect icon_rect;
  TRect text_rect;
  TRect button;
  bool pressed = false;
  bool over = false;
  bool done = false;
};

// The box's lengths are system metrics: truncated as the metrics table's are.
constexpr TScaleRounding kBoxRounding = TScaleRounding::TowardZero;

TFont BoxFont(int dpi) { return FlatFont(dpi, kBoxRounding); }

TBoxState* State(HWND h) { return static_cast<TBoxState*>(GetProp(h, kStateProp)); }

// Filled shapes by horizontal spans, so they do not depend on any picture.
void FillCircle(TCanvas& c, int cx, int cy, int r, TColor color) {
  for (int dy = -r; dy <= r; ++dy) {
    const int half = static_cast<int>(std::sqrt(static_cast<double>(r * r - dy * dy)));
    c.FillRect(Rect(cx - half, cy + dy, cx + half + 1, cy + dy + 1), color);
  }
}

void DrawIcon(TCanvas& c, const TRect& r, UINT icon, int dpi) {
  if (r.IsEmpty()) return;
  const int cx = r.Left + r.Width() / 2;
  const int cy = r.Top + r.Height() / 2;
  const int radius = r.Width() / 2 - 1;
  const int t = std::max(2, ScaleDesigned(3, dpi, kBoxRounding));
  switch (icon) {
    case MB_ICONERROR: {
      FillCircle(c, cx, cy, radius, RGB(200, 30, 30));
      const int arm = radius / 2;
      for (int i = -arm; i <= arm; ++i) {
        c.FillRect(Rect(cx + i - t / 2, cy + i, cx + i - t / 2 + t, cy + i + 1), clWhite);
        c.FillRect(Rect(cx - i - t / 2, cy + i, cx - i - t / 2 + t, cy + i + 1), clWhite);
      }
      break;
    }
    case MB_ICONWARNING: {
      const int h = r.Height() - 2;
      for (int y = 0; y < h; ++y) {
        const int half = (y * (r.Width() / 2 - 1)) / std::max(1, h - 1);
        c.FillRect(Rect(cx - half, r.Top + 1 + y, cx + half + 1, r.Top + 2 + y), RGB(245, 195, 20));
      }
      c.FillRect(Rect(cx - t / 2, r.Top + h / 3, cx - t / 2 + t, r.Top + h * 3 / 4 - 1), clBlack);
      c.FillRect(Rect(cx - t / 2, r.Top + h * 3 / 4 + 1, cx - t / 2 + t, r.Top + h * 3 / 4 + 1 + t),
                 clBlack);
      break;
    }
    case MB_ICONINFORMATION:
    case MB_ICONQUESTION: {
      FillCircle(c, cx, cy, radius, RGB(30, 100, 200));
      if (icon == MB_ICONINFORMATION) {
        c.FillRect(Rect(cx - t / 2, cy - radius / 2, cx - t / 2 + t, cy - radius / 2 + t), clWhite);
        c.FillRect(Rect(cx - t / 2, cy - radius / 6, cx - t / 2 + t, cy + radius / 2), clWhite);
      } else {
        // A question mark from three strokes and a dot.
        const int s = radius / 3;
        c.FillRect(Rect(cx - s, cy - s * 2, cx + s, cy - s * 2 + t), clWhite);
        c.FillRect(Rect(cx + s - t, cy - s * 2, cx + s, cy), clWhite);
        c.FillRect(Rect(cx - t / 2, cy - t, cx + s, cy), clWhite);
        c.FillRect(Rect(cx - t / 2, cy - t, cx - t / 2 + t, cy + s / 2), clWhite);
        c.FillRect(Rect(cx - t / 2, cy + s, cx - t / 2 + t, cy + s + t), clWhite);
      }
      break;
    }
    default:
      break;
  }
}

void Paint(HWND h) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, ps);
  TBoxState* s = State(h);
  if (dc != nullptr && s != nullptr) {
    TCanvas& c = *dc;
    TRect client;
    GetClientRect(h, client);
    c.FillRect(client, FlatPalette().Face);
    DrawIcon(c, s->icon_rect, s->icon, s->dpi);
    c.Font = BoxFont(s->dpi);
    c.SetBkMode(TRANSPARENT);
    TRect tr = s->text_rect;
    c.DrawText(s->text, tr, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    // The button: raised, sunken while held, with the default frame.
    const TRect b = s->button;
    const bool down = s->pressed && s->over;
    TPaintState state;
    state.Pressed = down;
    state.Default = true;
    DrawButtonFace(c, b, state, TButtonLook::Raised);
    TRect label = down ? b.Offset(1, 1) : b;
    c.DrawText(u"OK", label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == h) c.DrawFocusRect(b.Inflate(-4, -4));
  }
  EndPaint(h, ps);
}

TSize Layout(TBoxState& s);

void Answer(HWND h) {
  if (TBoxState* s = State(h)) s->done = true;
}

LRESULT BoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TBoxState* s = State(h);
  switch (msg) {
    case WM_PAINT:
      Paint(h);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_CLOSE:
      Answer(h);  // the title bar, Alt+F4 and the window manager answer too
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_SPACE) Answer(h);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (s != nullptr) InvalidateRect(h, &s->button, false);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (s != nullptr && s->button.Contains(LParamToPoint(lParam))) {
        s->pressed = s->over = true;
        SetCapture(h);
        InvalidateRect(h, &s->button, false);
      }
      return 0;
    case WM_MOUSEMOVE:
      if (s != nullptr && s->pressed) {
        const bool over = s->button.Contains(LParamToPoint(lParam));
        if (over != s->over) {
          s->over = over;
          InvalidateRect(h, &s->button, false);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      if (s != nullptr && s->pressed) {
        s->pressed = false;
        ReleaseCapture();
        InvalidateRect(h, &s->button, false);
        if (s->button.Contains(LParamToPoint(lParam))) Answer(h);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (s != nullptr && s->pressed) {
        s->pressed = false;
        InvalidateRect(h, &s->button, false);
      }
      return 0;
    case WM_DPICHANGED: {
      if (s == nullptr) return DefWindowProc(h, msg, wParam, lParam);
      // Laid out again at the new density (text, icon and button sizes do not
      // scale alike), keeping the box's centre.
      s->dpi = LOWORD(wParam);
      const TSize client = Layout(*s);
      TRect wr = Rect(0, 0, client.cx, client.cy);
      AdjustWindowRectEx(wr, static_cast<std::uint32_t>(GetWindowLongPtr(h, GWL_STYLE)), 0);
      TRect old;
      GetWindowRect(h, old);
      SetWindowPos(h, HWND{}, old.Left + (old.Width() - wr.Width()) / 2,
                   old.Top + (old.Height() - wr.Height()) / 2, wr.Width(), wr.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      InvalidateRect(h, nullptr, false);
      return 0;
    }
    default:
      return DefWindowProc(h, msg, wParam, lParam);
  }
}

void RegisterBoxClass() {
  WNDCLASS wc;
  if (GetClassInfo(kClassName, wc)) return;
  wc.lpszClassName = kClassName;
  wc.lpfnWndProc = BoxProc;
  wc.hbrBackground = clBtnFace;
  RegisterClass(wc);
}

// Lays the box out for the text; answers the client size.
TSize Layout(TBoxState& s) {
  const int dpi = s.dpi;
  const int margin = ScaleDesigned(12, dpi, kBoxRounding);
  const bool has_icon = (s.icon == MB_ICONERROR || s.icon == MB_ICONWARNING ||
                         s.icon == MB_ICONINFORMATION || s.icon == MB_ICONQUESTION);
  const int icon = has_icon ? ScaleDesigned(32, dpi, kBoxRounding) : 0;
  s.icon_rect = has_icon ? Bounds(margin, margin, icon, icon) : TRect{};
  const TSize screen = ScreenSize();
  const int max_text = std::max(ScaleDesigned(200, dpi, kBoxRounding),
                                std::min(ScaleDesigned(420, dpi, kBoxRounding), screen.cx * 3 / 5));
  TRect tr = Rect(0, 0, max_text, 0);
  const ustring measured = s.text.empty() ? ustring(u" ") : s.text;
  MeasureDrawText(BoxFont(dpi), measured, tr, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  const int text_w = std::min(tr.Width(), max_text);
  const int text_h = std::min(tr.Height(), screen.cy * 3 / 4);
  const int text_left = has_icon ? margin + icon + margin : margin;
  const int text_top = margin + (text_h < icon ? (icon - text_h) / 2 : 0);
  s.text_rect = Bounds(text_left, text_top, text_w, text_h);
  const TSize button{ScaleDesigned(75, dpi, kBoxRounding), ScaleDesigned(23, dpi, kBoxRounding)};
  const int width = std::max(
      {text_left + text_w + margin, button.cx + 2 * margin, ScaleDesigned(160, dpi, kBoxRounding)});
  const int body = std::max(s.icon_rect.Bottom, s.text_rect.Bottom);
  s.button = Bounds((width - button.cx) / 2, body + margin, button.cx, button.cy);
  return {width, s.button.Bottom + margin};
}

}  // namespace

int MessageBox(HWND owner, ustring_view text, ustring_view caption, UINT type) {
  int answer = IDOK;
  if (Backend().InterceptMessageBox(caption, text, type, answer)) return answer;

  RegisterBoxClass();
  if (!owner) owner = GetActiveWindow();
  owner = owner ? GetAncestor(owner, GA_ROOT) : HWND{};

  TBoxState state;
  state.text = ustring(text);
  state.icon = type & MB_ICONMASK;
  state.dpi = GetDpiForSystem();
  const TSize client = Layout(state);
  const std::uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  TRect wr = Rect(0, 0, client.cx, client.cy);
  AdjustWindowRectEx(wr, style, 0);
  TRect around;
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, around)) {
    const TSize s = ScreenSize();
    around = Rect(0, 0, s.cx, s.cy);
  }
  const int x = around.Left + (around.Width() - wr.Width()) / 2;
  const int y = around.Top + (around.Height() - wr.Height()) / 2;

  // Every other window is blocked while the box is up.
  std::vector<HWND> disabled;
  for (HWND t : GetTopLevelWindows()) {
    if (IsWindowEnabled(t)) {
      disabled.push_back(t);
      EnableWindow(t, false);
    }
  }
  const HWND previous = GetActiveWindow();
  const HWND box =
      CreateWindowEx(0, kClassName, caption, style, x, y, wr.Width(), wr.Height(), owner);
  bool quit = false;
  int quit_code = 0;
  if (box) {
    SetProp(box, kStateProp, &state);
    ShowWindow(box, SW_SHOW);
    SetFocus(box);
    MSG msg;
    while (!state.done && IsWindow(box)) {
      if (!GetMessage(msg)) {
        if (msg.message == WM_QUIT) {
          quit = true;
          quit_code = static_cast<int>(msg.wParam);
        }
        break;
      }
      TranslateMessage(msg);
      DispatchMessage(msg);
    }
    if (IsWindow(box)) {
      RemoveProp(box, kStateProp);
      for (HWND t : disabled) EnableWindow(t, true);
      disabled.clear();
      DestroyWindow(box);
    }
  }
  for (HWND t : disabled) EnableWindow(t, true);
  if (IsWindow(previous) && IsWindowVisible(previous)) SetActiveWindow(previous);
  if (quit) PostQuitMessage(quit_code);  // the outer loop must see it too
  return IDOK;
}

}  // namespace qv
