// Shared set-up of the standard-control tests: a headless window system, a
// form, and synthetic input aimed at points of a control.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/component/form.h"
#include "platform/window/headless.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"
#include "platform/window/paint.h"
#include "platform/window/queue.h"
#include "platform/window/system.h"
#include "platform/window/window.h"

namespace qv::test {

// The pixel of top-level window top at a screen point, as last painted; -1
// outside it.
inline TColor ScreenPixel(HWND top, TPoint screen) {
  PumpPendingMessages();
  const TBitmap32* px = GetWindowPixels(top);
  TRect wr;
  if (!px || !GetWindowRect(top, wr)) return -1;
  const int x = screen.X - wr.Left, y = screen.Y - wr.Top;
  if (!px->InBounds(x, y)) return -1;
  const TBGRA b = px->Pixel(x, y);
  return RGB(b.R, b.G, b.B);
}

// A headless window system and a 300 x 120 form, not yet shown, for tests
// built around one control.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    headless_ = backend.get();
    InitWindowSystem(std::move(backend));
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetClientSize(300, 120);
  }
  void TearDown() override {
    form_.reset();
    ShutdownWindowSystem();
  }

  // A control of class C owned by and placed on the form.
  template <class C>
  C* Place(int x, int y, int w, int h) {
    auto* c = new C(form_.get());
    c->SetParent(form_.get());
    c->SetBounds(x, y, w, h);
    return c;
  }
  // A key pressed while modifier mod is held.
  void Chord(int mod, int vk) {
    headless_->KeyDown(mod);
    headless_->PressKey(vk);
    headless_->KeyUp(mod);
  }

  THeadlessBackend* headless_ = nullptr;
  std::unique_ptr<TForm> form_;
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto backend = std::make_unique<THeadlessBackend>();
    headless = backend.get();
    InitWindowSystem(std::move(backend));
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetClientSize(400, 300);
    form->Position = TPosition::poScreenCenter;
  }
  void TearDown() override {
    form.reset();
    ShutdownWindowSystem();
  }

  template <class C>
  C* Make(TWinControl* parent, TRect bounds) {
    auto* c = new C(form.get());
    c->SetParent(parent);
    c->SetBoundsRect(bounds);
    return c;
  }
  void Show() {
    form->Show();
    PumpPendingMessages();
  }

  TPoint At(TControl* c, TPoint p) { return c->ClientToScreen(p); }
  void Click(TControl* c, TPoint p) { headless->Click(At(c, p)); }
  void Press(TControl* c, TPoint p) { headless->MouseDown(At(c, p)); }
  void Release(TControl* c, TPoint p) { headless->MouseUp(At(c, p)); }
  void MoveTo(TControl* c, TPoint p) { headless->MoveMouse(At(c, p)); }
  void Key(int vk) { headless->PressKey(vk); }
  // A key pressed while modifier is held.
  void KeyWith(int modifier, int vk) {
    headless->KeyDown(modifier);
    headless->PressKey(vk);
    headless->KeyUp(modifier);
  }
  void KeyWith2(int mod1, int mod2, int vk) {
    headless->KeyDown(mod1);
    headless->KeyDown(mod2);
    headless->PressKey(vk);
    headless->KeyUp(mod2);
    headless->KeyUp(mod1);
  }

  // The form's pixel at a client point of control c, as last painted.
  TColor PixelAt(TControl* c, TPoint p) { return ScreenPixel(form->WindowHandle(), At(c, p)); }

  THeadlessBackend* headless = nullptr;
  std::unique_ptr<TForm> form;
  std::vector<std::string> events;
};

}  // namespace qv::test
