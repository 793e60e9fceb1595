// The popup window of a menu, in the plain flat look: a column of items and
// separators, greyed items in grey text and never highlighted or chosen, the
// default item bold, shortcuts right-aligned, small glyphs for the window
// commands. The mouse highlights and chooses (a release over an item, so a
// press-drag-release from the opening click works); the owner feeds it keys.
#pragma once

#include <functional>
#include <vector>

#include "platform/font.h"
#include "platform/window/menu.h"
#include "platform/window/popup_window.h"

namespace qv {

class TMenuPopup : public TPopupWindow {
 public:
  TMenuPopup();

  // Opens with its top-left corner at a screen point, kept on the screen
  // (above the point when there is no room below it).
  void Open(TPoint screen, std::vector<TMenuEntry> items, bool keyboard);
  void Close();

  int Count() const { return static_cast<int>(items_.size()); }
  const TMenuEntry& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  bool Selectable(int index) const;
  int HotIndex() const { return hot_; }
  // Highlights a selectable item; anything else clears the highlight.
  void SetHotIndex(int index);
  // Client rectangle of an item; the item under a client point (-1: none).
  TRect ItemRect(int index) const;
  int ItemAt(TPoint client) const;

  // Keys of the owner while open: arrows, Home, End, Enter, Esc, Alt/F10.
  void Key(int vk);
  // A typed character: the selectable item with that mnemonic is chosen.
  void Char(char16_t ch);

  // The chosen command, after the menu closed; by_mouse tells how.
  std::function<void(UINT id, bool by_mouse)> OnChoose;
  // The menu closed without a choice. An outside press passes its screen
  // point (press true); otherwise press is false.
  std::function<void(TPoint screen, bool press)> OnDismiss;

 protected:
  void Paint(TCanvas& canvas) override;
  void Cancel() override;
  LRESULT Message(HWND hwnd, UINT msg, WPARAM w, LPARAM l) override;

 private:
  void Layout();
  void Step(int from, int direction);
  void Choose(int index, bool by_mouse);
  void Dismiss(TPoint screen, bool press);
  void MouseDown(TPoint client, TPoint screen);
  void MouseMove(TPoint client);
  void MouseUp(TPoint client);

  std::vector<TMenuEntry> items_;
  std::vector<TRect> rects_;  // client coordinates
  TFont font_;
  bool keyboard_ = false;
  int hot_ = -1;
  int dpi_ = 96;
  int gutter_ = 0;  // glyph column
  int text_right_ = 0;
};

}  // namespace qv
