// The headless backend: windows render into memory, time is a manual clock,
// input is synthetic. It records window shapes, opened URLs and message
// boxes so that tests can drive the whole program and read it back.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/backend.h"

namespace qv {

class THeadlessBackend final : public TBackend {
 public:
  explicit THeadlessBackend(TSize screen = {1280, 1024}, int dpi = 96);

  struct TMessageBoxRecord {
    ustring title;
    ustring text;
    UINT type = 0;
  };
  struct TNative {
    TRect rect;
    ustring title;
    bool visible = false;
    bool minimized = false;
    std::optional<TRegion> shape;
    TBitmap32 screen;  // what was presented
    int presents = 0;
    bool has_icon = false;
  };

  // TBackend
  const char* Name() const override { return "headless"; }
  TClock& Clock() override { return clock_; }
  TSize ScreenSize() override { return screen_; }
  int Dpi() override { return dpi_; }
  void CreateNative(HWND hwnd, const TRect& screen, ustring_view title) override;
  void DestroyNative(HWND hwnd) override;
  void ShowNative(HWND hwnd, bool show) override;
  void MoveNative(HWND hwnd, const TRect& screen) override;
  void SetTitle(HWND hwnd, ustring_view title) override;
  void SetIcon(HWND hwnd, const TBitmap32& icon) override;
  void SetShape(HWND hwnd, const TRegion* region) override;
  void Minimize(HWND hwnd) override;
  void Restore(HWND hwnd) override;
  void Raise(HWND hwnd) override { (void)hwnd; }
  void Present(HWND hwnd, const TBitmap32& pixels, const TRegion& area) override;
  bool BeginSystemMove(HWND hwnd, TPoint screen) override;
  void SetMouseCapture(bool on) override { mouse_captured_ = on; }
  void SetCursorShape(HCURSOR cursor) override { cursor_ = cursor; }
  void SetClipboardText(ustring_view text) override { clipboard_ = ustring(text); }
  ustring GetClipboardText() override { return clipboard_; }
  void OpenURL(const std::string& url) override { urls_.push_back(url); }
  bool InterceptMessageBox(ustring_view title, ustring_view text, UINT type, int& answer) override;
  void Poll() override {}
  // Time passes at once: the clock jumps to the next due timer.
  bool Wait(int timeout_ms) override;

  // Records.
  TManualClock& ManualClock() { return clock_; }
  const TNative* Native(HWND hwnd) const;
  const std::vector<TMessageBoxRecord>& MessageBoxes() const { return boxes_; }
  const std::vector<std::string>& OpenedUrls() const { return urls_; }
  HCURSOR Cursor() const { return cursor_; }
  bool MouseCaptured() const { return mouse_captured_; }
  int SystemMoves() const { return system_moves_; }

  // Message boxes are answered at once with this button unless they are set
  // to run for real (their own window and modal loop).
  void AnswerMessageBoxes(int answer) { answer_ = answer; }
  void RunMessageBoxes(bool run) { run_boxes_ = run; }
  // Whether a window manager moves windows on caption drags.
  void SetWindowManager(bool present) { window_manager_ = present; }

  // Synthetic input, in screen coordinates. Each call queues the events and,
  // unless pump is false, dispatches everything pending.
  void MoveMouse(TPoint screen, bool pump = true);
  void MouseDown(TPoint screen, TRawMouseButton b = TRawMouseButton::Left, bool pump = true);
  void MouseUp(TPoint screen, TRawMouseButton b = TRawMouseButton::Left, bool pump = true);
  void Click(TPoint screen, TRawMouseButton b = TRawMouseButton::Left, bool pump = true);
  void Wheel(TPoint screen, int notches, bool pump = true);
  void PointerLeaves(bool pump = true);
  void KeyDown(int vk, bool pump = true);
  void KeyUp(int vk, bool pump = true);
  void PressKey(int vk, bool pump = true);  // down and up
  void TypeText(ustring_view text, bool pump = true);
  void CloseFromDesktop(HWND hwnd, bool pump = true);
  // The desktop's pixels per inch change (as when the X resources are
  // reloaded with another Xft.dpi).
  void ChangeDpi(int dpi, bool pump = true);
  // Advances the clock by ms, stopping at each due timer on the way so that a
  // 12 ms timer ticks three times in 36 ms.
  void AdvanceTime(std::uint64_t ms);

 private:
  void Post(TRawEvent e, bool pump);

  TManualClock clock_;
  TSize screen_;
  int dpi_;
  std::map<std::uint32_t, TNative> natives_;
  std::vector<TMessageBoxRecord> boxes_;
  std::vector<std::string> urls_;
  HCURSOR cursor_ = IDC_ARROW;
  bool mouse_captured_ = false;
  ustring clipboard_;
  int answer_ = 1;
  bool run_boxes_ = false;
  bool window_manager_ = false;
  int system_moves_ = 0;
};

// Screen point of a client point of a window.
TPoint ScreenPointOf(HWND hwnd, TPoint client);

}  // namespace qv
