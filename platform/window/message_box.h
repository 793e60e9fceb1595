// The program's own modal message box: title, wrapped text, an error,
// warning, question or information icon drawn by the program, and an OK
// button (Enter, Space and Esc answer it). It runs a nested modal loop in
// which the other windows keep painting but take no input, and it works
// before any main window exists.
#pragma once

#include "platform/ustring.h"
#include "platform/window/types.h"

namespace qv {

enum : UINT {
  MB_OK = 0x0,
  MB_ICONHAND = 0x10,
  MB_ICONERROR = 0x10,
  MB_ICONSTOP = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONWARNING = 0x30,
  MB_ICONASTERISK = 0x40,
  MB_ICONINFORMATION = 0x40,
  MB_ICONMASK = 0xF0,
};

enum : int { IDOK = 1, IDCANCEL = 2 };

// Shows the box over owner (the active window when null; centred on the
// screen without one) and returns IDOK once it is answered.
int MessageBox(HWND owner, ustring_view text, ustring_view caption, UINT type);

}  // namespace qv
