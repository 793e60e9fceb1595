// The message queue: posted messages first, then input, then paint, then
// timers, as the platform orders them.
#pragma once

#include "platform/window/types.h"

namespace qv {

enum : UINT { PM_NOREMOVE = 0, PM_REMOVE = 1 };

// Waits for a message; false when it is WM_QUIT, or when nothing can ever
// arrive (a headless run with no input, no timer and nothing to paint).
bool GetMessage(MSG& msg);
// Takes (or looks at) the next message without waiting.
bool PeekMessage(MSG& msg, UINT remove);
LRESULT DispatchMessage(const MSG& msg);
// Shows everything painted so far (the loop does it before it waits).
void PresentPending();

}  // namespace qv

namespace qv {
// Dispatches everything that is waiting (with key translation) without
// blocking, then shows what was painted.
void PumpPendingMessages();
}  // namespace qv
