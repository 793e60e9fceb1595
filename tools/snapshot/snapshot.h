// The snapshot tool's parts: a headless window system at a chosen density,
// the real main window on it, and pictures of the window as it is painted.
// Kept apart from main() so that further modes can reuse them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/bitmap.h"
#include "platform/window/headless.h"

namespace qv::snapshot {

// Starts the headless window system at ppi pixels per inch; none may be running.
THeadlessBackend& StartHeadless(int ppi);
void StopHeadless();

// The main window as the program builds it (description read, FormCreate
// run), with the application icon, shown and painted.
std::unique_ptr<TForm1> CreateMainWindow();

// The whole window, frame included, as last painted.
TBitmap32 RenderWindow(TForm1& form);

// Makes each page of the page control active in turn and renders the window;
// one picture per page, in page order.
std::vector<TBitmap32> RenderPages(TForm1& form);

// Writes pictures[i] as DIR/page<i+1>.png; returns the paths written.
std::vector<std::string> WritePages(const std::vector<TBitmap32>& pictures, const std::string& dir);

}  // namespace qv::snapshot
