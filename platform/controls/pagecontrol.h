// The page control with its tab sheets: a row of tabs (caption and an image
// from an image list) over a pane showing the active sheet only. The user
// switches by clicking a tab, with Ctrl+Tab / Ctrl+Shift+Tab (wrapping) while
// the focus is inside, and with the arrows on the focused tab row; OnChanging
// may veto a user's switch, OnChange follows it. Setting ActivePage from code
// fires neither. The flat look paints the tab row's ground and the pane
// (PaintFace), the tabs (PaintContent, one DrawTab each) and the focus frame
// around the active tab's caption (PaintFocus). A tab is a hot part: HotPart
// is the index of the visible tab under the pointer.
#pragma once

#include <functional>
#include <vector>

#include "platform/component/wincontrol.h"
#include "platform/controls/imagelist.h"

namespace qv {

class TPageControl;

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TTabSheet : public TCustomControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  void SetPageControl(TPageControl* pc);
  // Position among the control's pages; -1 without a page control.
  int PageIndex() const;
  void SetPageIndex(int index);
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  bool TabVisible() const { return tab_visible_; }
  void SetTabVisible(bool v);
  // Index among the visible tabs; -1 when its tab is hidden.
  int TabIndex() const;

  void SetParent(TWinControl* parent) override;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  void CMTextChanged(TMessage& m) override;

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;
  int image_index_ = -1;
  bool tab_visible_ = true;
};

class TPageControl : public TCustomControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return active_; }
  // From code: no OnChanging, no OnChange. A sheet of another control is ignored.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }
  void SetActivePageIndex(int index) { SetActivePage(Pages(index)); }
  // The active page's index among the visible tabs (-1 when none).
  int TabIndex() const { return active_ ? active_->TabIndex() : -1; }
  // The next (or previous) page with a visible tab after current, wrapping.
  TTabSheet* FindNextPage(TTabSheet* current, bool forward, bool wrap) const;
  // Moves to the next page as the user does: asks OnChanging, fires OnChange.
  void SelectNextPage(bool forward, bool wrap = true);

  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* list);

  // Geometry of the plain look, in client coordinates.
  int TabHeight() const;
  int VisibleTabCount() const;
  TRect TabRect(int tab_index) const;
  // The visible tab at a client point, -1 when none.
  int IndexOfTabAt(int x, int y) const;
  // The tab under the mouse, -1 when none.
  int HotTab() const { return HotPart(); }
  // Where a tab's image and caption go inside its rectangle r.
  struct TTabContent {
    TPoint ImagePos;  // (no image: the caption starts where it would be)
    bool HasImage = false;
    TRect CaptionRect;  // empty without a caption
  };
  TTabContent TabContent(int tab_index, const TRect& r, bool active) const;
  // The rectangle the active tab is painted in: raised, and joined to the pane.
  TRect ActiveTabRect() const;
  // The pane rectangle the sheets fill.
  TRect DisplayRect() const;
  // The page of visible tab i.
  TTabSheet* PageOfTab(int tab_index) const;

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

  void WndProc(TMessage& m) override;

 protected:
  void PaintFace(TCanvas& c, const TPaintState& s) override;
  // The tabs, the active one last.
  void PaintContent(TCanvas& c, const TPaintState& s) override;
  void PaintFocus(TCanvas& c, const TPaintState& s) override;
  virtual void DrawTab(TCanvas& c, int tab_index, const TRect& r, bool active);
  int PartAt(TPoint client) const override;
  // The user's switch: true when it happened.
  bool ChangeActivePageByUser(TTabSheet* page);
  virtual bool CanChange();
  virtual void Change();
  TRect AdjustClientRect() const override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton b, TShiftState shift, int x, int y) override;
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  void CMDialogKey(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void TabsChanged();
  int TabWidth(int tab_index) const;
  void ShowOnlyActive();

  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  TCustomImageList* images_ = nullptr;
  TChangeLink image_link_;
};

}  // namespace qv
