// The system menu: its items and their greyed states, the access functions,
// and the open menu as an input mode of the window system (it takes the
// keys; the popup holds the mouse).
#include "platform/window/menu.h"

#include <cstdlib>
#include <memory>

#include "platform/window/internal.h"
#include "platform/window/menu_popup.h"
#include "platform/window/metrics.h"

namespace qv {

using win::Sys;
using win::TWindow;
using win::W;

namespace {

std::vector<TMenuEntry> StandardItems() {
  return {
      {SC_RESTORE, 0, u"&Восстановить"},
      {SC_MOVE, 0, u"&Переместить"},
      {SC_SIZE, 0, u"&Размер"},
      {SC_MINIMIZE, 0, u"&Свернуть"},
      {SC_MAXIMIZE, 0, u"Р&азвернуть"},
      {0, MF_SEPARATOR, u""},
      {SC_CLOSE, MF_DEFAULT, u"&Закрыть\tAlt+F4"},
  };
}

// What the window's state and styles rule out, as a desktop greys it.
UINT DerivedState(const TWindow& w, UINT id) {
  const bool min = w.minimized;
  const bool max = w.maximized;
  const bool ok = [&] {
    switch (id) {
      case SC_RESTORE:
        return min || max;
      case SC_MOVE:
        return !min && !max;
      case SC_SIZE:
        return (w.style & WS_THICKFRAME) != 0 && !min && !max;
      case SC_MINIMIZE:
        return (w.style & WS_MINIMIZEBOX) != 0 && !min;
      case SC_MAXIMIZE:
        return (w.style & WS_MAXIMIZEBOX) != 0 && !max;
      default:
        return true;
    }
  }();
  return ok ? 0u : static_cast<UINT>(MF_GRAYED);
}

bool HasSystemMenu(const TWindow& w) {
  return w.IsTopLevel() && !w.destroying && (w.style & WS_SYSMENU) != 0;
}

TWindow* MenuWindow(HMENU menu) {
  TWindow* w = W(HWND{menu.id});
  if (w == nullptr || !HasSystemMenu(*w)) return nullptr;
  if (!w->sysmenu_made) {
    w->sysmenu = StandardItems();
    w->sysmenu_made = true;
  }
  return w;
}

int FindItem(const TWindow& w, UINT item, UINT flags) {
  const int n = static_cast<int>(w.sysmenu.size());
  if ((flags & MF_BYPOSITION) != 0) return static_cast<int>(item) < n ? static_cast<int>(item) : -1;
  for (int i = 0; i < n; ++i) {
    const TMenuEntry& e = w.sysmenu[static_cast<std::size_t>(i)];
    if ((e.state & MF_SEPARATOR) == 0 && e.id == item) return i;
  }
  return -1;
}

UINT EffectiveState(const TWindow& w, int pos) {
  const TMenuEntry& e = w.sysmenu[static_cast<std::size_t>(pos)];
  return e.state | DerivedState(w, e.id);
}

// The open system menu: one at a time, like the desktop's.
class TSystemMenuMode final : public win::TInputMode {
 public:
  TSystemMenuMode() {
    popup_.OnChoose = [this](UINT id, bool by_mouse) { Chosen(id, by_mouse); };
    popup_.OnDismiss = [this](TPoint screen, bool press) { Dismissed(screen, press); };
  }

  bool Open(HWND owner, TPoint screen, std::vector<TMenuEntry> items, bool keyboard) {
    auto& sys = Sys();
    owner_ = owner;
    // Opened by a press (the icon): a second press there soon after is the
    // double click that closes the window.
    opening_press_ = !keyboard && (sys.buttons & MK_LBUTTON) != 0;
    press_pt_ = sys.cursor_pos;
    press_time_ = win::Now();
    popup_.Open(screen, std::move(items), keyboard);
    if (!popup_.IsOpen()) return false;
    sys.mode = this;
    return true;
  }

  TMenuPopup& Popup() { return popup_; }

  HWND Owner() const override { return popup_.IsOpen() ? owner_ : HWND{}; }

  bool Filter(const TRawEvent& e) override {
    switch (e.kind) {
      case TRawKind::KeyDown:
        popup_.Key(e.vk);
        return true;
      case TRawKind::KeyUp:
        return true;
      case TRawKind::Text:
        for (char16_t c : e.text) {
          if (!popup_.IsOpen()) break;
          popup_.Char(c);
        }
        return true;
      default:
        return false;  // the mouse reaches the popup, which holds it
    }
  }

  void Cancel() override {
    Leave();
    popup_.Close();
  }

 private:
  void Leave() {
    if (Sys().mode == this) Sys().mode = nullptr;
  }

  void Chosen(UINT id, bool by_mouse) {
    Leave();
    TPoint pt;
    GetCursorPos(pt);
    PostMessage(owner_, WM_SYSCOMMAND, id, by_mouse ? PointToLParam(pt) : 0);
  }

  void Dismissed(TPoint screen, bool press) {
    Leave();
    if (!press || !opening_press_ || !IsWindow(owner_)) return;
    const int slop = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    if (win::Now() - press_time_ > GetDoubleClickTime() ||
        std::abs(screen.X - press_pt_.X) > slop || std::abs(screen.Y - press_pt_.Y) > slop) {
      return;
    }
    if (SendMessage(owner_, WM_NCHITTEST, 0, PointToLParam(screen)) != HTSYSMENU) return;
    if (!win::MenuCommandGrayed(owner_, SC_CLOSE)) {
      PostMessage(owner_, WM_SYSCOMMAND, SC_CLOSE, PointToLParam(screen));
    }
  }

  TMenuPopup popup_;
  HWND owner_;
  bool opening_press_ = false;
  TPoint press_pt_;
  std::uint64_t press_time_ = 0;
};

std::unique_ptr<TSystemMenuMode>& ModeSlot() {
  static std::unique_ptr<TSystemMenuMode> mode;
  return mode;
}

TSystemMenuMode& Mode() {
  auto& slot = ModeSlot();
  if (!slot) slot = std::make_unique<TSystemMenuMode>();
  return *slot;
}

TSystemMenuMode* OpenMode() {
  auto& slot = ModeSlot();
  return slot && slot->Owner() ? slot.get() : nullptr;
}

}  // namespace

namespace win {

void ResetMenus() {
  EndInputMode();
  ModeSlot().reset();
}

bool MenuCommandGrayed(HWND h, UINT command) {
  TWindow* w = MenuWindow(HMENU{h.id});
  if (w == nullptr) return false;
  const int pos = FindItem(*w, command, MF_BYCOMMAND);
  return pos < 0 || (EffectiveState(*w, pos) & (MF_GRAYED | MF_DISABLED)) != 0;
}

}  // namespace win

HMENU GetSystemMenu(HWND hwnd, bool revert) {
  TWindow* w = MenuWindow(HMENU{hwnd.id});
  if (w == nullptr) return {};
  if (revert) {
    w->sysmenu = StandardItems();
    return {};
  }
  return HMENU{hwnd.id};
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  TWindow* w = MenuWindow(menu);
  if (w == nullptr) return kNoMenuItem;
  const int pos = FindItem(*w, item, flags);
  if (pos < 0) return kNoMenuItem;
  UINT state = EffectiveState(*w, pos);
  if (TSystemMenuMode* m = OpenMode(); m != nullptr && m->Owner() == w->handle) {
    const TMenuPopup& p = m->Popup();
    const UINT id = w->sysmenu[static_cast<std::size_t>(pos)].id;
    if (p.HotIndex() >= 0 && id != 0 && p.Item(p.HotIndex()).id == id) state |= MF_HILITE;
  }
  return state;
}

int EnableMenuItem(HMENU menu, UINT item, UINT enable) {
  TWindow* w = MenuWindow(menu);
  if (w == nullptr) return -1;
  const int pos = FindItem(*w, item, enable);
  if (pos < 0) return -1;
  const UINT before = EffectiveState(*w, pos) & (MF_GRAYED | MF_DISABLED);
  UINT& state = w->sysmenu[static_cast<std::size_t>(pos)].state;
  state =
      (state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  // The caption's close button follows the close item.
  if (w->sysmenu[static_cast<std::size_t>(pos)].id == SC_CLOSE && w->Visible()) w->nc_dirty = true;
  return static_cast<int>(before);
}

bool DeleteMenu(HMENU menu, UINT item, UINT flags) {
  TWindow* w = MenuWindow(menu);
  if (w == nullptr) return false;
  const int pos = FindItem(*w, item, flags);
  if (pos < 0) return false;
  const bool close = w->sysmenu[static_cast<std::size_t>(pos)].id == SC_CLOSE;
  w->sysmenu.erase(w->sysmenu.begin() + pos);
  if (close && w->Visible()) w->nc_dirty = true;
  return true;
}

int GetMenuItemCount(HMENU menu) {
  TWindow* w = MenuWindow(menu);
  return w == nullptr ? -1 : static_cast<int>(w->sysmenu.size());
}

UINT GetMenuItemID(HMENU menu, int pos) {
  TWindow* w = MenuWindow(menu);
  if (w == nullptr || pos < 0 || pos >= static_cast<int>(w->sysmenu.size())) return kNoMenuItem;
  const TMenuEntry& e = w->sysmenu[static_cast<std::size_t>(pos)];
  return (e.state & MF_SEPARATOR) != 0 ? 0 : e.id;
}

bool GetMenuString(HMENU menu, UINT item, ustring& text, UINT flags) {
  TWindow* w = MenuWindow(menu);
  if (w == nullptr) return false;
  const int pos = FindItem(*w, item, flags);
  if (pos < 0) return false;
  text = w->sysmenu[static_cast<std::size_t>(pos)].text;
  return true;
}

bool ShowSystemMenu(HWND hwnd, TPoint screen, bool keyboard) {
  TWindow* w = MenuWindow(HMENU{hwnd.id});
  if (w == nullptr || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return false;
  win::EndInputMode();  // one menu (or keyboard move) at a time
  if ((w = W(hwnd)) == nullptr) return false;
  std::vector<TMenuEntry> items = w->sysmenu;
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i].state = EffectiveState(*w, static_cast<int>(i));
  }
  return Mode().Open(hwnd, screen, std::move(items), keyboard);
}

void EndMenu() {
  if (OpenMode() != nullptr) win::EndInputMode();
}

HWND GetOpenMenuOwner() {
  TSystemMenuMode* m = OpenMode();
  return m != nullptr ? m->Owner() : HWND{};
}

bool GetMenuItemRect(HWND hwnd, HMENU menu, UINT pos, TRect& r) {
  TSystemMenuMode* m = OpenMode();
  if (m == nullptr || m->Owner() != hwnd || HMENU{hwnd.id} != menu) return false;
  const TMenuPopup& p = m->Popup();
  if (static_cast<int>(pos) >= p.Count()) return false;
  TRect wr;
  if (!GetWindowRect(p.Handle(), wr)) return false;
  r = p.ItemRect(static_cast<int>(pos)).Offset(wr.Left, wr.Top);
  return true;
}

}  // namespace qv
