// Set-up of the window system: the backend in use, the raw input queue the
// backend feeds, and the screen.
#pragma once

#include <memory>

#include "platform/geometry.h"
#include "platform/window/backend.h"

namespace qv {

// Installs a backend, destroying every window of the previous one.
void InitWindowSystem(std::unique_ptr<TBackend> backend);
// Destroys all windows, timers, hooks and queued messages and drops the backend.
void ShutdownWindowSystem();
// The backend; the desktop (SDL2) backend is started on first use when none
// was installed. Throws std::runtime_error when no desktop is available.
TBackend& Backend();
bool HasBackend();

// Backends (and the headless input helpers) add raw events here.
void PostRawEvent(TRawEvent event);

TSize ScreenSize();

}  // namespace qv
