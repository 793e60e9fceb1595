// The page control and its tab sheets: page list, switching rules, tab
// geometry and the flat look.
#include "platform/controls/pagecontrol.h"

#include <algorithm>

#include "platform/look/plain_look.h"
#include "platform/text/text.h"
#include "platform/window/input.h"
#include "platform/window/keys.h"

namespace qv {

namespace {
constexpr int kTabPadding = 8;   // text inset at both ends of a tab
constexpr int kImageGap = 4;     // between tab image and caption
constexpr int kRowIndent = 2;    // first tab's distance from the left edge
constexpr int kActiveRaise = 2;  // the active tab stands this much taller

// A caption's size on one line; an empty one is a line high and 0 wide.
TSize CaptionSize(const TFont& font, ustring_view text) {
  const TSize t = MeasureText(font, text.empty() ? ustring_view(u" ") : text, DT_SINGLELINE);
  return {text.empty() ? 0 : t.cx, t.cy};
}
}  // namespace

// --- TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csAcceptsControls | csOpaque;
  ControlStyle &= ~static_cast<unsigned>(csClickEvents);
  SetAlign(TAlign::alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (page_control_) page_control_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (page_control_) page_control_->RemovePage(this);
  TCustomControl::SetParent(parent);
  if (auto* pc = dynamic_cast<TPageControl*>(parent)) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  const auto& p = page_control_->pages_;
  return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (page_control_) page_control_->MovePage(this, index);
}

void TTabSheet::SetImageIndex(int index) {
  if (image_index_ == index) return;
  image_index_ = index;
  if (page_control_) page_control_->TabsChanged();
}

void TTabSheet::SetTabVisible(bool v) {
  if (tab_visible_ == v) return;
  tab_visible_ = v;
  if (!page_control_) return;
  if (!v && page_control_->active_ == this) {
    TTabSheet* next = page_control_->FindNextPage(this, true, true);
    page_control_->SetActivePage(next != this ? next : nullptr);
  }
  page_control_->TabsChanged();
}

int TTabSheet::TabIndex() const {
  if (!page_control_ || !tab_visible_) return -1;
  int i = 0;
  for (TTabSheet* p : page_control_->pages_) {
    if (p == this) return i;
    if (p->tab_visible_) ++i;
  }
  return -1;
}

void TTabSheet::PaintFace(TCanvas& c, const TPaintState&) { c.FillRect(ClientRect(), Color()); }

void TTabSheet::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  if (page_control_) page_control_->TabsChanged();
}

// --- TPageControl

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
  SetTabStop(true);
  ControlStyle |= csAcceptsControls | csOpaque;
  ControlStyle &= ~static_cast<unsigned>(csClickEvents | csDoubleClicks);
  image_link_.OnChange = [this](TObject*) { TabsChanged(); };
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  SetImages(nullptr);
  for (TTabSheet* p : pages_) p->page_control_ = nullptr;
  pages_.clear();
  active_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  page->page_control_ = this;
  if (!active_ && page->TabVisible()) {
    active_ = page;
  }
  ShowOnlyActive();
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  if (active_ == page) {
    TTabSheet* next = FindNextPage(page, true, true);
    active_ = next != page ? next : nullptr;
  }
  pages_.erase(std::find(pages_.begin(), pages_.end(), page));
  page->page_control_ = nullptr;
  if (HotPart() >= VisibleTabCount()) SetHotPart(-1);
  if (!IsDestroying()) {
    ShowOnlyActive();
    TabsChanged();
  }
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  index = std::clamp(index, 0, PageCount());
  pages_.insert(pages_.begin() + index, page);
  TabsChanged();
}

void TPageControl::ShowOnlyActive() {
  for (TTabSheet* p : pages_) p->SetVisible(p == active_);
}

void TPageControl::TabsChanged() { Invalidate(); }

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->page_control_ != this) return;
  if (page == active_) return;
  const TWinControl* focused = FindControl(GetFocus());
  const bool focus_on_page = active_ && focused && active_->ContainsControl(focused);
  active_ = page;
  ShowOnlyActive();
  Invalidate();
  // The keyboard was on the page that went: it moves on to the new page's
  // first tab stop, or onto the tab row when that page has none, never into
  // a hidden page or out of the control.
  if (focus_on_page) {
    TWinControl* first = page ? page->FindNextControl(nullptr, true, true, false) : nullptr;
    (first ? first : this)->SetFocus();
  }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool forward, bool wrap) const {
  const int n = PageCount();
  if (n == 0) return nullptr;
  auto it = std::find(pages_.begin(), pages_.end(), current);
  int start = it == pages_.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - pages_.begin());
  int i = start;
  for (int step = 0; step < n; ++step) {
    i += forward ? 1 : -1;
    if (i >= n || i < 0) {
      if (!wrap) return current;
      i = (i + n) % n;
    }
    if (pages_[static_cast<std::size_t>(i)]->TabVisible())
      return pages_[static_cast<std::size_t>(i)];
  }
  return current;
}

void TPageControl::SelectNextPage(bool forward, bool wrap) {
  TTabSheet* next = FindNextPage(active_, forward, wrap);
  if (next && next != active_) ChangeActivePageByUser(next);
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

bool TPageControl::ChangeActivePageByUser(TTabSheet* page) {
  if (!page || page == active_ || page->page_control_ != this) return false;
  if (!CanChange()) return false;
  SetActivePage(page);
  Change();
  return true;
}

void TPageControl::SetImages(TCustomImageList* list) {
  if (RelinkImageList(images_, list, image_link_, *this)) TabsChanged();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (ForgetRemovedImageList(images_, component, operation)) TabsChanged();
}

int TPageControl::TabHeight() const {
  int h = CaptionSize(Font(), u"Wg").cy + 6;
  if (images_) h = std::max(h, images_->Height() + 6);
  return h + kActiveRaise;
}

int TPageControl::VisibleTabCount() const {
  return static_cast<int>(
      std::count_if(pages_.begin(), pages_.end(), [](TTabSheet* p) { return p->TabVisible(); }));
}

TTabSheet* TPageControl::PageOfTab(int tab_index) const {
  if (tab_index < 0) return nullptr;
  int i = 0;
  for (TTabSheet* p : pages_) {
    if (!p->TabVisible()) continue;
    if (i == tab_index) return p;
    ++i;
  }
  return nullptr;
}

int TPageControl::TabWidth(int tab_index) const {
  const TTabSheet* p = PageOfTab(tab_index);
  if (!p) return 0;
  int w = 2 * kTabPadding + CaptionSize(Font(), p->Caption()).cx;
  if (images_ && p->ImageIndex() >= 0 && p->ImageIndex() < images_->Count())
    w += images_->Width() + (p->Caption().empty() ? 0 : kImageGap);
  return w;
}

TRect TPageControl::TabRect(int tab_index) const {
  const int n = VisibleTabCount();
  if (tab_index < 0 || tab_index >= n) return {};
  int x = kRowIndent;
  for (int i = 0; i < tab_index; ++i) x += TabWidth(i);
  return {x, kActiveRaise, x + TabWidth(tab_index), TabHeight()};
}

int TPageControl::IndexOfTabAt(int x, int y) const {
  const int n = VisibleTabCount();
  for (int i = 0; i < n; ++i) {
    TRect r = TabRect(i);
    if (PageOfTab(i) == active_) r.Top -= kActiveRaise;
    if (r.Contains({x, y})) return i;
  }
  return -1;
}

TRect TPageControl::DisplayRect() const {
  TRect r{1, TabHeight() + 1, Width() - 1, Height() - 1};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

TRect TPageControl::AdjustClientRect() const { return DisplayRect(); }

void TPageControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

void TPageControl::MouseDown(TMouseButton b, TShiftState shift, int x, int y) {
  if (b == TMouseButton::mbLeft && IsEnabledInTree()) {
    const int tab = IndexOfTabAt(x, y);
    if (tab >= 0) ChangeActivePageByUser(PageOfTab(tab));
  }
  TCustomControl::MouseDown(b, shift, x, y);
}

int TPageControl::PartAt(TPoint client) const { return IndexOfTabAt(client.X, client.Y); }

void TPageControl::CMFontChanged(TMessage& m) {
  TCustomControl::CMFontChanged(m);
  Realign();
  Invalidate();
}

void TPageControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (shift == 0) {
    if (key == VK_LEFT || key == VK_UP) {
      SelectNextPage(false, false);
    } else if (key == VK_RIGHT || key == VK_DOWN) {
      SelectNextPage(true, false);
    }
  }
  TCustomControl::KeyDown(key, shift);
}

void TPageControl::CMDialogKey(TMessage& m) {
  const auto key = static_cast<std::uint16_t>(m.WParam);
  if (key == VK_TAB && GetKeyState(VK_CONTROL) < 0 && IsEnabledInTree()) {
    // Only while the focus is on the control or on something on its pages.
    TWinControl* focused = FindControl(GetFocus());
    if (focused && (focused == this || ContainsControl(focused))) {
      SelectNextPage(GetKeyState(VK_SHIFT) >= 0, true);
      m.Result = 1;
      return;
    }
  }
  TCustomControl::CMDialogKey(m);
}

TPageControl::TTabContent TPageControl::TabContent(int tab_index, const TRect& r,
                                                   bool active) const {
  TTabContent out;
  const TTabSheet* page = PageOfTab(tab_index);
  if (!page) return out;
  int x = r.Left + kTabPadding;
  const int content_mid = (r.Top + r.Bottom + (active ? 1 : 0)) / 2;
  if (images_ && page->ImageIndex() >= 0 && page->ImageIndex() < images_->Count()) {
    out.HasImage = true;
    out.ImagePos = {x, content_mid - images_->Height() / 2};
    x += images_->Width() + kImageGap;
  }
  const ustring text = page->Caption();
  if (text.empty()) return out;
  const TSize t = CaptionSize(Font(), text);
  out.CaptionRect = Bounds(x, content_mid - t.cy / 2, t.cx, t.cy);
  return out;
}

TRect TPageControl::ActiveTabRect() const {
  const int tab = TabIndex();
  if (tab < 0) return {};
  TRect r = TabRect(tab);
  r.Top -= kActiveRaise;
  r.Bottom += 1;
  return r;
}

void TPageControl::DrawTab(TCanvas& c, int tab_index, const TRect& r, bool active) {
  const TFlatPalette p = FlatPalette();
  const bool enabled = IsEnabledInTree();
  const TTabSheet* page = PageOfTab(tab_index);
  if (!page) return;
  if (active) {
    c.FillRect(r, Color());
    // Outline without the bottom edge, so the tab opens into the pane.
    const TColor border = enabled ? p.Border : p.Disabled;
    c.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, border);
    c.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, border);
    c.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, border);
    if (enabled) c.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Top + 3}, p.Accent);
  } else {
    const bool hot = enabled && tab_index == HotPart();
    c.FillRect(r, hot ? p.FaceHot : p.Face);
    c.FrameRect(r, enabled ? p.Border : p.Disabled);
  }
  const TTabContent content = TabContent(tab_index, r, active);
  if (content.HasImage)
    images_->Draw(c, content.ImagePos.X, content.ImagePos.Y, page->ImageIndex(), enabled);
  if (content.CaptionRect.IsEmpty()) return;
  TRect tr = content.CaptionRect;
  c.SetBkMode(TRANSPARENT);
  c.Font = Font();
  c.Font.Color = FlatTextColor(Font().Color, enabled);
  c.DrawText(page->Caption(), tr, DT_SINGLELINE);
}

void TPageControl::PaintFace(TCanvas& c, const TPaintState& s) {
  const TFlatPalette p = FlatPalette();
  // The row behind the tabs shows the parent's colour.
  TColor behind = Parent() ? Parent()->Color() : Color();
  c.FillRect({0, 0, Width(), TabHeight()}, behind);
  const TRect pane{0, TabHeight(), Width(), Height()};
  c.FillRect(pane, Color());
  c.FrameRect(pane, s.Enabled ? p.Border : p.Disabled);
}

void TPageControl::PaintContent(TCanvas& c, const TPaintState&) {
  const int n = VisibleTabCount();
  const int active_tab = TabIndex();
  for (int i = 0; i < n; ++i) {
    if (i != active_tab) DrawTab(c, i, TabRect(i), false);
  }
  // The active tab last, raised and joined to the pane.
  if (active_tab >= 0) DrawTab(c, active_tab, ActiveTabRect(), true);
}

void TPageControl::PaintFocus(TCanvas& c, const TPaintState& s) {
  if (!s.Focused || !s.Enabled || TabIndex() < 0) return;
  const TRect tr = TabContent(TabIndex(), ActiveTabRect(), true).CaptionRect;
  if (tr.IsEmpty()) return;
  DrawFlatFocusFrame(c, {tr.Left - 2, tr.Top - 1, tr.Right + 2, tr.Bottom + 1});
}

}  // namespace qv
