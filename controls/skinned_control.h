// The pattern every skinned control follows: it derives from its standard
// control through TacSkinnedControl, which owns the binding (SkinData) and
// runs the window-procedure skeleton below, and adds only how its content is
// painted (and, where its states differ from hot/normal, SkinState).
//
//   class TsBitBtn : public TacSkinnedControl<TBitBtn, TsCtrlSkinData> {
//    public:
//     explicit TsBitBtn(TComponent* owner) : TacSkinnedControl(owner, kCocBitBtn, true) {}
//    protected:
//     int DefaultSkinSection() const override { return ssButton; }
//     void PaintSkinContent(TBitmap32& cache, int state) override { ... DrawSkinText ... }
//   };
#pragma once

#include <functional>
#include <type_traits>

#include "controls/cache_paint.h"
#include "controls/common_data.h"
#include "platform/component/wincontrol.h"

namespace qv {

// The skeleton of a skinned control's window procedure, on its binding:
// 1. the control's own skin commands (new, removed or refreshed skin of its
//    manager, scIsSkinned, scGetDefaultSkinIndex, scPrepareCache, hover
//    commands, update brackets);
// 2. while skinned, focus and hover with their state fades (after the
//    platform has seen them, so the control's own state is current);
// 3. when the control can paint: the common handlers (skin_command_handler.h);
//    paint and erase served from the cache, non-client paint and enabling
//    swallowed;
// 4. everything else: `inherited`, the standard control's processing.
void SkinnedWndProc(TsCommonData& data, TacSkinnedOwner& owner, TMessage& m,
                    const std::function<void(TMessage&)>& inherited);

// The manager's section for a standard section, plus one (0: none), as
// scGetDefaultSkinIndex answers it.
LRESULT DefaultSkinIndexAnswer(TsCommonData& data, int section);

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
};

}  // namespace qv
