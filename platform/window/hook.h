// The window hook: a chain of procedures called on every window creation,
// activation, focus change and destruction (the skin engine gives forms their
// frame from it).
#pragma once

#include <functional>

#include "platform/window/types.h"

namespace qv {

constexpr int WH_CBT = 5;
enum : int {
  HCBT_MOVESIZE = 0,
  HCBT_MINMAX = 1,
  HCBT_CREATEWND = 3,
  HCBT_DESTROYWND = 4,
  HCBT_ACTIVATE = 5,
  HCBT_SYSCOMMAND = 8,
  HCBT_SETFOCUS = 9,
};

// HCBT_CREATEWND: wParam the new window, lParam a CBT_CREATEWND*.
struct CBT_CREATEWND {
  CREATESTRUCT* lpcs = nullptr;
  HWND hwndInsertAfter;
};
// HCBT_ACTIVATE: wParam the window being activated, lParam a CBTACTIVATESTRUCT*.
struct CBTACTIVATESTRUCT {
  bool fMouse = false;
  HWND hWndActive;
};

// A hook answers non-zero to prevent the operation.
using HOOKPROC = std::function<LRESULT(int code, WPARAM wParam, LPARAM lParam)>;
using HHOOK = int;

// The newest hook is called first and passes on with CallNextHookEx.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

}  // namespace qv
