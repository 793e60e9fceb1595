// The drop-down list of a combo box: a top-level popup window that does not
// take activation and may reach past its owner's window. It shows at most
// a given number of rows with a scroll bar beyond them, highlights the row
// under the pointer, scrolls with the wheel, and holds the mouse while open
// so that a press anywhere else cancels it. The owner feeds it keys.
#pragma once

#include <functional>
#include <vector>

#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/ustring.h"
#include "platform/window/popup_window.h"
#include "platform/window/types.h"

namespace qv {

class TListPopup : public TPopupWindow {
 public:
  TListPopup();

  // Opens below anchor (screen rectangle of the owner), or above it when
  // there is no room below, with hot the highlighted row.
  void Open(const TRect& anchor, const std::vector<ustring>& items, int hot, int max_rows,
            int row_height, const TFont& font);
  void Close();

  int Count() const { return static_cast<int>(items_.size()); }
  int Rows() const { return rows_; }
  int RowHeight() const { return row_height_; }
  int TopIndex() const { return top_; }
  int HotIndex() const { return hot_; }
  // Highlights index and scrolls it into view.
  void SetHotIndex(int index);
  void ScrollBy(int rows);
  bool HasScrollBar() const { return Count() > rows_; }
  // Client rectangles of the item area and the scroll bar parts.
  TRect ItemArea() const;
  TRect ScrollBarRect() const;
  TRect ThumbRect() const;
  // The item at a client point of the list, -1 outside the items.
  int ItemAt(TPoint client) const;

  // Keys of the owner while open: moves the highlight; false for other keys.
  bool Key(std::uint16_t vk);

  // Called with the picked index (a release over an item).
  std::function<void(int)> OnAccept;
  // Called when a press outside the list closes it.
  std::function<void()> OnCancel;

 protected:
  // The plain flat look; a skinned list replaces it.
  void Paint(TCanvas& canvas) override;
  virtual void PaintItem(TCanvas& canvas, const TRect& r, int index, bool hot);
  virtual void PaintScrollBar(TCanvas& canvas);
  const std::vector<ustring>& Items() const { return items_; }
  const TFont& Font() const { return font_; }

 private:
  void Cancel() override;
  LRESULT Message(HWND hwnd, UINT msg, WPARAM w, LPARAM l) override;
  void MouseDown(TPoint client);
  void MouseMove(TPoint client);
  void MouseUp(TPoint client);
  int MaxTop() const { return Count() > rows_ ? Count() - rows_ : 0; }

  std::vector<ustring> items_;
  TFont font_;
  int rows_ = 0;
  int row_height_ = 16;
  int top_ = 0;
  int hot_ = -1;
  bool pressed_inside_ = false;  // a press began on an item
  int thumb_drag_ = -1;          // pointer offset inside the thumb while dragged
};

}  // namespace qv
