// The headless backend: memory windows, a manual clock and synthetic input.
#include "platform/window/headless.h"

#include <cstring>

#include "platform/window/internal.h"
#include "platform/window/keys.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"

namespace qv {

THeadlessBackend::THeadlessBackend(TSize screen, int dpi) : screen_(screen), dpi_(dpi) {}

void THeadlessBackend::CreateNative(HWND hwnd, const TRect& screen, ustring_view title) {
  TNative& n = natives_[hwnd.id];
  n.rect = screen;
  n.title = ustring(title);
  n.screen.SetSize(screen.Width(), screen.Height());
}

void THeadlessBackend::DestroyNative(HWND hwnd) { natives_.erase(hwnd.id); }

void THeadlessBackend::ShowNative(HWND hwnd, bool show) {
  auto it = natives_.find(hwnd.id);
  if (it != natives_.end()) it->second.visible = show;
}

void THeadlessBackend::MoveNative(HWND hwnd, const TRect& screen) {
  auto it = natives_.find(hwnd.id);
  if (it == natives_.end()) return;
  if (it->second.rect.Width() != screen.Width() || it->second.rect.Height() != screen.Height()) {
    it->second.screen.SetSize(screen.Width(), screen.Height());
  }
  it->second.rect = screen;
}

void THeadlessBackend::SetTitle(HWND hwnd, ustring_view title) {
  auto it = natives_.find(hwnd.id);
  if (it != natives_.end()) it->second.title = ustring(title);
}

void THeadlessBackend::SetIcon(HWND hwnd, const TBitmap32& icon) {
  auto it = natives_.find(hwnd.id);
  if (it != natives_.end()) it->second.has_icon = !icon.Empty();
}

void THeadlessBackend::SetShape(HWND hwnd, const TRegion* region) {
  auto it = natives_.find(hwnd.id);
  if (it == natives_.end()) return;
  if (region != nullptr)
    it->second.shape = *region;
  else
    it->second.shape.reset();
}

void THeadlessBackend::Minimize(HWND hwnd) {
  auto it = natives_.find(hwnd.id);
  if (it != natives_.end()) it->second.minimized = true;
}

void THeadlessBackend::Restore(HWND hwnd) {
  auto it = natives_.find(hwnd.id);
  if (it != natives_.end()) it->second.minimized = false;
}

void THeadlessBackend::Present(HWND hwnd, const TBitmap32& pixels, const TRegion& area) {
  auto it = natives_.find(hwnd.id);
  if (it == natives_.end()) return;
  TBitmap32& dst = it->second.screen;
  if (dst.Width() != pixels.Width() || dst.Height() != pixels.Height()) {
    dst.SetSize(pixels.Width(), pixels.Height());
  }
  for (const TRect& r : area.Rects()) {
    const TRect c = IntersectRect(r, pixels.BoundsRect());
    for (int y = c.Top; y < c.Bottom; ++y) {
      std::memcpy(dst.ScanLine(y) + c.Left, pixels.ScanLine(y) + c.Left,
                  static_cast<std::size_t>(c.Width()) * sizeof(TBGRA));
    }
  }
  ++it->second.presents;
}

bool THeadlessBackend::BeginSystemMove(HWND hwnd, TPoint screen) {
  (void)hwnd, (void)screen;
  ++system_moves_;
  return window_manager_;
}

bool THeadlessBackend::InterceptMessageBox(ustring_view title, ustring_view text, UINT type,
                                           int& answer) {
  boxes_.push_back({ustring(title), ustring(text), type});
  if (run_boxes_) return false;
  answer = answer_;
  return true;
}

bool THeadlessBackend::Wait(int timeout_ms) {
  if (!win::Sys().raw.empty()) return true;
  if (timeout_ms < 0) return false;  // nothing will ever come
  clock_.Advance(static_cast<std::uint64_t>(timeout_ms));
  return true;
}

const THeadlessBackend::TNative* THeadlessBackend::Native(HWND hwnd) const {
  auto it = natives_.find(hwnd.id);
  return it == natives_.end() ? nullptr : &it->second;
}

void THeadlessBackend::Post(TRawEvent e, bool pump) {
  PostRawEvent(std::move(e));
  if (pump) PumpPendingMessages();
}

namespace {
// A synthetic event of one kind; the callers fill in what it carries.
TRawEvent RawEvent(TRawKind kind) {
  TRawEvent e;
  e.kind = kind;
  return e;
}

TRawEvent PointerEvent(TRawKind kind, TPoint screen) {
  TRawEvent e = RawEvent(kind);
  e.pt = screen;
  return e;
}

TRawEvent KeyEvent(TRawKind kind, int vk) {
  TRawEvent e = RawEvent(kind);
  e.vk = vk;
  return e;
}
}  // namespace

void THeadlessBackend::MoveMouse(TPoint screen, bool pump) {
  Post(PointerEvent(TRawKind::MouseMove, screen), pump);
}

void THeadlessBackend::MouseDown(TPoint screen, TRawMouseButton b, bool pump) {
  MoveMouse(screen, false);
  TRawEvent e = PointerEvent(TRawKind::MouseDown, screen);
  e.button = b;
  Post(e, pump);
}

void THeadlessBackend::MouseUp(TPoint screen, TRawMouseButton b, bool pump) {
  MoveMouse(screen, false);
  TRawEvent e = PointerEvent(TRawKind::MouseUp, screen);
  e.button = b;
  Post(e, pump);
}

void THeadlessBackend::Click(TPoint screen, TRawMouseButton b, bool pump) {
  MouseDown(screen, b, false);
  MouseUp(screen, b, pump);
}

void THeadlessBackend::Wheel(TPoint screen, int notches, bool pump) {
  MoveMouse(screen, false);
  TRawEvent e = PointerEvent(TRawKind::Wheel, screen);
  e.wheel = notches;
  Post(e, pump);
}

void THeadlessBackend::PointerLeaves(bool pump) { Post(RawEvent(TRawKind::PointerLeft), pump); }

void THeadlessBackend::KeyDown(int vk, bool pump) { Post(KeyEvent(TRawKind::KeyDown, vk), pump); }

void THeadlessBackend::KeyUp(int vk, bool pump) { Post(KeyEvent(TRawKind::KeyUp, vk), pump); }

void THeadlessBackend::PressKey(int vk, bool pump) {
  KeyDown(vk, false);
  KeyUp(vk, pump);
}

void THeadlessBackend::TypeText(ustring_view text, bool pump) {
  TRawEvent e = RawEvent(TRawKind::Text);
  e.text = ustring(text);
  Post(e, pump);
}

void THeadlessBackend::CloseFromDesktop(HWND hwnd, bool pump) {
  TRawEvent e = RawEvent(TRawKind::Close);
  e.window = hwnd;
  Post(e, pump);
}

void THeadlessBackend::ChangeDpi(int dpi, bool pump) {
  dpi_ = dpi;
  TRawEvent e = RawEvent(TRawKind::DpiChanged);
  e.dpi = dpi;
  Post(e, pump);
}

void THeadlessBackend::AdvanceTime(std::uint64_t ms) {
  const std::uint64_t end = clock_.Now() + ms;
  PumpPendingMessages();
  for (int guard = 0; guard < 1000000; ++guard) {
    const auto due = win::NextTimerDue();
    if (!due || *due > end) break;
    if (*due > clock_.Now()) clock_.Set(*due);
    PumpPendingMessages();
  }
  clock_.Set(end);
  PumpPendingMessages();
}

TPoint ScreenPointOf(HWND hwnd, TPoint client) {
  ClientToScreen(hwnd, client);
  return client;
}

}  // namespace qv
