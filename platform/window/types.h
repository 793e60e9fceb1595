// Basic types of the window system: window handles, message parameters,
// window procedures and the records that messages carry by address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/geometry.h"

namespace qv {

class TCanvas;
class TRegion;

// A handle: a number that names an object of the window system, 0 for none.
// Each kind is its own type, so a menu cannot be passed for a window.
template <class Kind>
struct THandle {
  std::uint32_t id = 0;
  constexpr THandle() = default;
  constexpr THandle(std::nullptr_t) {}
  constexpr explicit THandle(std::uint32_t v) : id(v) {}
  constexpr explicit operator bool() const { return id != 0; }
  friend constexpr bool operator==(THandle a, THandle b) = default;
};

// A window handle. Handles are never reused within a run, so a stale handle
// simply names no window and every call on it fails harmlessly.
using HWND = THandle<struct TWindowKind>;

struct HWNDHash {
  std::size_t operator()(HWND h) const { return h.id; }
};

using UINT = unsigned;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// A device context is a canvas drawing into a window's pixels (or any canvas
// handed over by WM_PRINT and WM_ERASEBKGND).
using HDC = TCanvas*;

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

constexpr std::uint16_t LOWORD(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HIWORD(std::uintptr_t v) {
  return static_cast<std::uint16_t>((v >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
  return static_cast<WPARAM>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
// Signed coordinates packed into a parameter.
constexpr int GET_X_LPARAM(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }
constexpr LPARAM PointToLParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<std::int16_t>(HIWORD(w)); }

struct MSG {
  HWND hwnd;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  std::uint64_t time = 0;
  TPoint pt;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;  // the background still needs erasing
  TRect rcPaint;        // bounds of the area to paint, client coordinates
};

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED.
struct WINDOWPOS {
  HWND hwnd;
  HWND hwndInsertAfter;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

// WM_GETMINMAXINFO.
struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

// WM_NCCALCSIZE: rgrc[0] comes in as the window rectangle (parent
// coordinates) and goes out as the client rectangle.
struct NCCALCSIZE_PARAMS {
  TRect rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  std::uint32_t style = 0;
  const char16_t* lpszName = nullptr;
  const char16_t* lpszClass = nullptr;
  std::uint32_t dwExStyle = 0;
};

// WM_STYLECHANGING / WM_STYLECHANGED.
struct STYLESTRUCT {
  std::uint32_t styleOld = 0;
  std::uint32_t styleNew = 0;
};

// WM_COPYDATA.
struct COPYDATASTRUCT {
  std::uintptr_t dwData = 0;
  std::uint32_t cbData = 0;
  const void* lpData = nullptr;
};

}  // namespace qv
