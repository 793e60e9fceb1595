// The desktop backend: SDL2 on its X11 video driver, one borderless native
// window per top-level window, the X Shape extension for window shapes.
#pragma once

#include <memory>

#include "platform/window/backend.h"

namespace qv {

// Starts SDL's video subsystem; throws std::runtime_error without a display.
std::unique_ptr<TBackend> CreateSdlBackend();

}  // namespace qv
