// The skin binding every skinned control owns (its SkinData): the section it
// paints from, its cache bitmap (the finished picture of the control), the
// flags that say when that picture is stale, the control's hover, focus and
// update state, and what the binding asks of the control it belongs to.
//
// A skinned control derives from its standard control and from
// TacSkinnedOwner (TacSkinnedControl in skinned_control.h does both), owns one
// TsCommonData and only adds how its content is painted.
#pragma once

#include <cstdint>
#include <memory>

#include "controls/disabled_look.h"
#include "paint/compositing.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/component/control.h"
#include "platform/component/wincontrol.h"
#include "platform/ustring.h"
#include "skin/control_paint_view.h"

namespace qv {

class TsSkinManager;
class TacSkinData;
class TacThreadedTimer;
class TsCommonData;
struct TGlowPicture;

// Which mouse events may fade a control's state.
enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = unsigned;  // bits 1 << TacAnimatEvent
constexpr TacAnimatEvents kDefaultAnimatEvents = 1u << aeGlobalDef;

// What the binding asks of the skinned control it belongs to.
class TacSkinnedOwner {
 public:
  // The state the control shows now: 0 normal, 1 hot, 2 pressed, 3 default.
  // The default is the binding's hot test.
  virtual int SkinState();
  // Paints the control's content (text, glyph, focus frame) over its painted
  // section in the cache; state is the one the section was painted in.
  virtual void PaintSkinContent(TBitmap32& cache, int state) {
    (void)cache;
    (void)state;
  }
  // The standard section (TacSection) of the control's class, answered to
  // scGetDefaultSkinIndex; -1 when the class has none.
  virtual int DefaultSkinSection() const { return -1; }
  // The section name a class outside the class sets takes (its class name).
  virtual ustring SkinClassName() const { return {}; }
  virtual TsDisabledKind SkinDisabledKind() const { return kDefaultDisabledKind; }
  // The tint of the hover glow (buttons: their face tint); clNone: the
  // binding's ColorTone.
  virtual TColor SkinGlowTint() const { return clNone; }
  virtual TacAnimatEvents SkinAnimatEvents() const { return kDefaultAnimatEvents; }
  // After the binding answered scSetNewSkin, scRemoveSkin or scRefreshSkin
  // for the control's manager: size adjustment and repaint.
  virtual void SkinChanged(int command);
  // The control's state may have changed (hover, press, focus, enabling):
  // the transition to the new SkinState, faded when the event allows. The
  // default fades without an event (so never); TacSkinnedControl knows the
  // event from the paint state.
  virtual void SkinStateChanged();
  // Whether the fade of an event (kEventEnter ... kEventUp, -1 none) is the
  // fast one.
  virtual bool SkinFastFade(int event) const {
    (void)event;
    return false;
  }
  // The binding of this control (set by TsCommonData's constructor).
  TsCommonData* SkinBinding() const { return binding_; }

 private:
  friend class TsCommonData;
  TsCommonData* binding_ = nullptr;

 protected:
  ~TacSkinnedOwner() = default;
};

enum TacOuterVisibility { ovNone, ovAlways };

// The control's outer effects (shadow or light outline drawn by its parent).
class TacOuterEffects : public TPersistent {
 public:
  explicit TacOuterEffects(TsCommonData& owner) : owner_(owner) {}
  TacOuterVisibility Visibility() const { return visibility_; }
  // Outside loading the parent (scInvalidate) and the control repaint.
  void SetVisibility(TacOuterVisibility v);

 private:
  TsCommonData& owner_;
  TacOuterVisibility visibility_ = ovNone;
};

// Transient paint states (CtrlSkinState).
enum : unsigned {
  kcsPrinting = 0x200,
  kcsInUpdate = 0x800,
  kcsFontChanging = 0x2000,
  kcsWidthChanged = 0x8000,
  kcsHeightChanged = 0x10000,
  kcsFrameRecalc = 0x40000,
};

// The answer a parent gives about the background behind a child.
enum TacBgKind : std::uint8_t { bkNone = 0, bkColor = 1, bkBitmap = 2, bkNotReady = 3 };

struct TsBackgroundRequest {
  TBitmap32* Bitmap = nullptr;
  TColor Color = clNone;
  TPoint Offset{};       // request: the asker's place; answer: the receiver's origin in Bitmap
  TRect Rect{};          // the area wanted, in the asker's coordinates
  TRect BorderWidths{};  // left, top, right, bottom bands to take from Bitmap
  std::uint8_t Kind = bkNone;
  bool DrawNow = false;
  TCanvas* DC = nullptr;
};

// The skin command parameter of scGetSkinIndex and scGetVisibleSection: the
// skin index is written into the second field.
struct TacSectionInfo {
  int State = 0;
  int SkinIndex = -1;
};

class TsCommonData : public TPersistent {
 public:
  // owner: the control (null for a bare window, see FSWHandle); hooks: what
  // the control adds (null for none). The cache bitmap is made at once when
  // asked (buttons, edits), else on first paint.
  TsCommonData(TControl* owner, TacSkinnedOwner* hooks, bool create_cache_bmp);
  ~TsCommonData() override;

  // The binding a window carries (attached while its owner's window exists).
  static TsCommonData* FromWindow(HWND hwnd);

  // --- published
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool v);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool v);
  // The explicit manager, or the application's default one.
  TsSkinManager* SkinManager() const;
  TsSkinManager* ExplicitSkinManager() const { return FSkinManager; }
  void SetSkinManager(TsSkinManager* manager);
  // A component the owner was told about is being freed (the explicit manager).
  void ComponentRemoved(TComponent* component);
  const ustring& SkinSection() const { return FSkinSection; }
  void SetSkinSection(ustring_view name);
  TacOuterEffects& OuterEffects() { return *FOuterEffects; }
  const TacOuterEffects& OuterEffects() const { return *FOuterEffects; }

  // --- public
  TColor ColorTone() const { return FColorTone; }
  void SetColorTone(TColor c);
  int HUEOffset() const { return FHUEOffset; }
  void SetHUEOffset(int v);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int v);
  // Painting is postponed: FUpdating, or the parent cannot give a background now.
  bool Updating();
  // The skin data set for CurrentPPI (looked up again after every skin or scale change).
  TacSkinData* CommonSkinData();
  void ClearCommonSkinData() { FCommonSkinData = nullptr; }

  // --- lifecycle
  void Loaded(bool update_colors = true);
  // The control is painted for another density from now on: its skin data
  // set is looked up again and its picture is stale.
  void SetCurrentPPI(int ppi);
  // BGChanged := true; with update_main the section is looked up again.
  // BGType is always recomputed.
  void UpdateIndexes(bool update_main = true);
  // Bound to a section of a live manager (with check_active: an active one).
  bool Skinned(bool check_active = false);
  void Invalidate(bool update_now = false);
  void BeginUpdate();
  void EndUpdate(bool repaint = false);
  HWND OwnerHandle() const;
  // Attaches the binding to the owner's window (once it exists), so that
  // code holding only the window finds it.
  void AttachWindow();
  // Whether a move must repaint the control (its background moved with it).
  bool RepaintIfMoved();
  // Asks every child that can paint to draw its outer effect into the cache.
  void PaintOuterEffects(TWinControl& owner, TPoint offset);

  // --- sections and state
  // The bound section (null when unbound).
  const TsGeneralData* Section();
  // The hot test: 1 when the control shows as hot (focus or mouse), else 0.
  int HotState();
  // The owner's current state (TacSkinnedOwner::SkinState).
  int CurrentState();
  // The inputs of section painting for the current skin and settings.
  TControlPaintView PaintView();
  // The section's state colours on the control's own Color and Font.Color.
  void UpdateColors(bool repaint);
  // Applies state `state`'s colours (0 or 1) for the colours-follow-state classes.
  void ApplyStateColors(int state, bool repaint);

  // --- the owner
  TControl* OwnerControl() const { return FOwnerControl; }
  TWinControl* OwnerWindowed() const;
  TacSkinnedOwner* Hooks() const { return hooks_; }
  // The owner has a parent and (when windowed) a window, and is not loading,
  // reading, being created or destroyed.
  bool OwnerCanPaint() const;
  // The skin commands travel to the owner through its message procedure.
  LRESULT SendToOwner(int command, LPARAM param = 0, int low = 0);

  // --- the cache
  TBitmap32& Cache();
  bool HasCache() const { return FCacheBmp != nullptr; }
  // Empties the cache (keeps the object).
  void EmptyCache();
  // A fade or glow fade is running.
  bool Animating() const;

  // --- fields
  bool FCustomFont = false;
  bool FCustomColor = false;
  std::unique_ptr<TBitmap32> FOuterCache;
  ustring FSkinSection;
  TsSkinManager* FSkinManager = nullptr;
  std::unique_ptr<TacOuterEffects> FOuterEffects;
  TColor FColorTone = clNone;
  TColor SavedColor = clNone;
  TColor SavedFontColor = clNone;
  bool FFocused = false;
  bool FUpdating = false;
  bool FMouseAbove = false;
  bool HalfVisible = false;
  bool Loading = true;
  int COC = 0;
  int GlowID = -1;
  int PPIIndex = -1;
  int FHUEOffset = 0;
  int FSaturation = 0;
  int CurrentPPI = 96;
  int FUpdateCount = 0;
  TCanvas* PrintDC = nullptr;
  std::unique_ptr<TBitmap32> FCacheBmp;
  HWND FSWHandle;
  TObject* FOwnerObject = nullptr;
  std::unique_ptr<TacThreadedTimer> AnimTimer;
  unsigned BGType = 0;
  unsigned CtrlSkinState = 0;
  TRect InvalidRectH{};
  TRect InvalidRectV{};
  bool BGChanged = true;
  // The state the cache was last painted in (-1: none yet).
  int CacheState = -1;
  int SkinIndex = -1;
  TControl* FOwnerControl = nullptr;
  // The glow picture of the control's caption, kept between paints.
  std::unique_ptr<TGlowPicture> TextGlow;

 private:
  void Detach();
  int ResolveSkinIndex();

  TacSkinnedOwner* hooks_ = nullptr;
  TacSkinData* FCommonSkinData = nullptr;
  HWND attached_;
};

// Buttons, edits and combo boxes publish the control's own tone, hue and saturation.
class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
};

// Scroll-bar sizes of a scrolling control's own bars; -1: the skin's.
struct TacScrollData {
  int ScrollWidth = -1;
  int ButtonsSize = -1;
};

class TsScrollWndData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  TacScrollData HorzScrollData;
  TacScrollData VertScrollData;
};

}  // namespace qv
