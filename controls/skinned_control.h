// The pattern every skinned control follows: it derives from its standard
// control through TacSkinnedControl, which owns the binding (SkinData), runs
// the window-procedure skeleton below, maps the standard control's paint
// state to a section state and fades between them, and paints the section
// in place of the face. The control adds only what differs: its default
// section and, where the standard content does not suit, PaintContent (a
// caption through DrawSkinText in the state being painted, CacheState).
//
//   class TsBitBtn : public TacSkinnedControl<TBitBtn, TsCtrlSkinData> {
//    public:
//     explicit TsBitBtn(TComponent* owner) : TacSkinnedControl(owner, kCocBitBtn, true) {}
//    protected:
//     int DefaultSkinSection() const override { return ssButton; }
//     void PaintContent(TCanvas& c, const TPaintState& s) override {
//       DrawSkinText(c, Caption(), CalcLayout(s.Pressed).CaptionRect, flags,
//                    SkinData()->CacheState, SkinData(), s.Enabled, true);
//     }
//   };
#pragma once

#include <functional>
#include <type_traits>

#include "controls/cache_paint.h"
#include "controls/common_data.h"
#include "controls/state_effects.h"
#include "platform/component/form.h"
#include "platform/component/wincontrol.h"

namespace qv {

// The skeleton of a skinned control's window procedure, on its binding:
// 1. the control's own skin commands (new, removed or refreshed skin of its
//    manager, scIsSkinned, scGetDefaultSkinIndex, scPrepareCache, hover
//    commands, update brackets);
// 2. while skinned, hover and focus: the hover flags before the framework
//    sees the mouse (its state change then runs the faded transition), the
//    focus flags after, followed by the transition;
// 3. when the control can paint: the common handlers (skin_command_handler.h);
//    paint and erase served from the cache, non-client paint and enabling
//    swallowed;
// 4. everything else: `inherited`, the standard control's processing.
void SkinnedWndProc(TsCommonData& data, TacSkinnedOwner& owner, TMessage& m,
                    const std::function<void(TMessage&)>& inherited);

// The manager's section for a standard section, plus one (0: none), as
// scGetDefaultSkinIndex answers it.
LRESULT DefaultSkinIndexAnswer(TsCommonData& data, int section);

// The section state of a paint state: 2 pressed, 1 focused or hot (hover as
// the class and the manager allow), 3 default, else 0; 0 when disabled.
int SectionStateOf(const TPaintState& s, TsCommonData& data);

template <class TBase, class TData = TsCommonData>
class TacSkinnedControl : public TBase, public TacSkinnedOwner {
  static_assert(std::is_base_of_v<TWinControl, TBase>, "skinned controls have windows");
  static_assert(std::is_base_of_v<TsCommonData, TData>);

 public:
  // coc: the class code; create_cache: make the cache bitmap at once.
  TacSkinnedControl(TComponent* owner, int coc, bool create_cache = false)
      : TBase(owner), FCommonData(this, this, create_cache) {
    FCommonData.COC = coc;
  }

  // The binding, published as SkinData.
  TData* SkinData() { return &FCommonData; }
  const TData* SkinData() const { return &FCommonData; }

  void WndProc(TMessage& m) override {
    SkinnedWndProc(FCommonData, *this, m, [this](TMessage& mm) { TBase::WndProc(mm); });
  }

 protected:
  int SkinState() override { return SectionStateOf(this->PaintState(), FCommonData); }
  // Every change of the paint state: a transition while skinned (faded by
  // its event: press or release, else enter or leave), a repaint otherwise.
  void StateChanged() override {
    if (!FCommonData.Skinned()) {
      TBase::StateChanged();
      return;
    }
    SkinStateChanged();
  }
  void SkinStateChanged() override {
    const TPaintState s = this->PaintState();
    int event = -1;
    if (s.Pressed != last_.Pressed)
      event = s.Pressed ? kEventDown : kEventUp;
    else if (s.Hot != last_.Hot)
      event = s.Hot ? kEventEnter : kEventLeave;
    last_ = s;
    SkinTransition(FCommonData, SkinState(), event, SkinFastFade(event));
  }
  // The content and focus parts of the standard control, over the section.
  void PaintSkinContent(TBitmap32& cache, int state) override {
    (void)state;
    TCanvas canvas(cache);
    canvas.Font = this->Font();
    const TPaintState s = this->PaintState();
    this->PaintContent(canvas, s);
    this->PaintFocus(canvas, s);
  }
  // The skin data set follows the form's density.
  void ChangeScale(int m, int d) override {
    TBase::ChangeScale(m, d);
    const TCustomForm* form = this->ParentForm();
    FCommonData.SetCurrentPPI(form ? form->PixelsPerInch() : MulDiv(FCommonData.CurrentPPI, m, d));
  }
  void Loaded() override {
    TBase::Loaded();
    FCommonData.Loaded(true);
  }
  void PaintWindow(TCanvas& dc) override {
    if (FCommonData.Skinned())
      PaintFromCache(FCommonData, dc);
    else
      TBase::PaintWindow(dc);
  }
  void Notification(TComponent* component, TOperation operation) override {
    TBase::Notification(component, operation);
    if (operation == TOperation::opRemove) FCommonData.ComponentRemoved(component);
  }

  TData FCommonData;

 private:
  TPaintState last_;
};

}  // namespace qv
