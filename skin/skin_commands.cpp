// Delivering skin commands to controls, forms and tracked windows.
#include "skin/skin_commands.h"

#include <algorithm>

#include "platform/component/application.h"
#include "platform/window/window.h"

namespace qv {

namespace {

std::vector<TCustomForm*>& Skinned() {
  static std::vector<TCustomForm*> forms;
  return forms;
}

std::vector<HWND>& Tracked() {
  static std::vector<HWND> windows;
  return windows;
}

}  // namespace

LRESULT SendSkinCommand(TControl* control, int command, LPARAM param, int low) {
  if (control == nullptr) return 0;
  const WPARAM w = SkinCommandWParam(command, low);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed == nullptr) return control->Perform(SKIN_COMMAND_MSG, w, param);
  if (windowed->IsDestroying() || !windowed->HandleAllocated()) return 0;
  return SendMessage(windowed->WindowHandle(), SKIN_COMMAND_MSG, w, param);
}

bool IsSkinnedControl(TControl* control) { return SendSkinCommand(control, scIsSkinned) == 1; }

void BroadcastToChildren(TWinControl& parent, int command, LPARAM param, int low) {
  // A command may change the tree: walk a copy, and stop where a child goes.
  const std::vector<TControl*> children = parent.Controls();
  for (TControl* child : children) {
    if (!parent.ContainsControl(child) || child->IsDestroying()) return;
    SendSkinCommand(child, command, param, low);
    auto* windowed = dynamic_cast<TWinControl*>(child);
    if (windowed && parent.ContainsControl(child) && !IsSkinnedControl(windowed))
      BroadcastToChildren(*windowed, command, param, low);
  }
}

void SendToFormAndControls(TCustomForm& form, int command, LPARAM param, int low) {
  SendSkinCommand(&form, command, param, low);
  BroadcastToChildren(form, command, param, low);
}

void RegisterSkinnedForm(TCustomForm* form) {
  if (form && std::find(Skinned().begin(), Skinned().end(), form) == Skinned().end())
    Skinned().push_back(form);
}

void UnregisterSkinnedForm(TCustomForm* form) {
  Skinned().erase(std::remove(Skinned().begin(), Skinned().end(), form), Skinned().end());
}

const std::vector<TCustomForm*>& SkinnedForms() { return Skinned(); }

void TrackSkinnedWindow(HWND hwnd) {
  if (hwnd && std::find(Tracked().begin(), Tracked().end(), hwnd) == Tracked().end())
    Tracked().push_back(hwnd);
}

void UntrackSkinnedWindow(HWND hwnd) {
  Tracked().erase(std::remove(Tracked().begin(), Tracked().end(), hwnd), Tracked().end());
}

const std::vector<HWND>& TrackedSkinnedWindows() { return Tracked(); }

void BroadcastSkinCommand(int command, LPARAM param, int low) {
  std::vector<TCustomForm*> forms;
  for (TComponent* c : Application().Components())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) forms.push_back(f);
  // A form freed by an earlier form's answer is no longer one of the
  // application's components: look again before each.
  auto still_there = [](TCustomForm* f) {
    const auto& now = Application().Components();
    return std::find(now.begin(), now.end(), f) != now.end();
  };
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    TCustomForm* f = *it;
    if (!still_there(f) || f->IsLoading() || f->IsDestroying() || IsSkinnedControl(f)) continue;
    SendToFormAndControls(*f, command, param, low);
  }
  const std::vector<TCustomForm*> skinned = Skinned();
  for (TCustomForm* f : skinned) {
    const auto& now = Skinned();
    if (std::find(now.begin(), now.end(), f) == now.end() || f->IsDestroying()) continue;
    SendToFormAndControls(*f, command, param, low);
  }
  const std::vector<HWND> tracked = Tracked();
  for (HWND h : tracked)
    if (IsWindow(h) && IsWindowVisible(h))
      SendMessage(h, SKIN_COMMAND_MSG, SkinCommandWParam(command, low), param);
}

}  // namespace qv
