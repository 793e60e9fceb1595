// Reading the generated package back through the program's skin manager, for
// the contact sheet, the preview and the generator's tests.
#include "tools/skingen/view.h"

#include <algorithm>
#include <stdexcept>

#include "paint/compositing.h"
#include "skin/mask_elements.h"
#include "skin/section_paint.h"
#include "skin/skin_dialogs.h"
#include "skin/skin_manager.h"
#include "tools/skingen/palette.h"
#include "tools/skingen/skin.h"

namespace qv::skingen {

namespace {

// A skin folder below a device file holds nothing: with it as the skin
// directory, no skin of the user's skin folder stands in for the stored one.
constexpr char16_t kNoSkinFolder[] = u"/dev/null";

}  // namespace

TSkinView::TSkinView(TByteView package, int ppi) {
  std::string reported;
  const TSkinMessageHook previous = SetSkinMessageHook([&reported](TacMessageKind, ustring_view t) {
    reported += (reported.empty() ? "" : "; ") + Utf16ToUtf8(t);
  });
  struct TRestore {
    const TSkinMessageHook& hook;
    ~TRestore() { SetSkinMessageHook(hook); }
  } restore{previous};

  manager_ = std::make_unique<TsSkinManager>(nullptr);
  TsSkinManager& m = *manager_;
  TsStoredSkin& stored = m.InternalSkins().Add();
  stored.SetName(kSkinName);
  stored.SetPackedData(TBytes(package.begin(), package.end()));
  m.SetSkinDirectory(kNoSkinFolder);
  m.SetHueOffset(kShownHueOffset);
  m.SetSkinName(kSkinName);
  if (m.IsActive()) data_ = &m.CommonSkinData(ppi);
  if (!data_ || data_->gd.empty())
    throw std::runtime_error("the package gives no skin" +
                             (reported.empty() ? std::string() : ": " + reported));
  colors_ = SkinColorSourceOf(*data_, m.SkinCommonInfo, m.Palette);
}

TSkinView::~TSkinView() = default;

const TacSkinCommonInfo& TSkinView::Common() const { return manager_->SkinCommonInfo; }
const TacPaletteArray& TSkinView::Palette() const { return manager_->Palette; }
const TMemIniFile& TSkinView::Options() const { return *manager_->SkinCommonInfo.OptionsDat; }
const TBitmap32& TSkinView::Master() const { return *manager_->MasterBitmap; }

int TSkinView::Section(ustring_view name) const { return GetSkinIndex(*data_, name); }

const TsGenState& TSkinView::Look(int section, int state) const {
  const TsGeneralData& g = Gd(section);
  return g.Props[static_cast<std::size_t>(std::max(0, SectionPaintState(g, state)))];
}

int TSkinView::Element(int section, ustring_view key) const {
  return GetMaskIndex(*data_, section, key);
}

TMaskElement TSkinView::Mask(int element) const {
  return MaskElementOf(data_->ma[static_cast<std::size_t>(element)], &Master());
}

void TSkinView::PaintSection(TBitmap32& cache, TPoint at, const TRect& r, TBitmap32& parent,
                             int section, int state) const {
  if (section < 0) return;
  TCacheInfo ci;
  ci.Bmp = &parent;
  ci.X = ci.Y = 0;
  ci.Ready = true;
  qv::PaintSection(section, ci, -1, -1, Skin(), cache, at, r, state);
}

void TSkinView::PaintSection(TBitmap32& dst, const TRect& r, int section, int state) const {
  const TRect area = IntersectRect(r, dst.BoundsRect());
  if (section < 0 || area.IsEmpty()) return;
  // Painted into a picture of its own over dst, then copied in, as a control
  // paints its cache over its parent's picture.
  TBitmap32 cache(r.Width(), r.Height());
  PaintSection(cache, r.TopLeft(), cache.BoundsRect(), dst, section, state);
  BlendBitmaps(dst, cache, 0, area.TopLeft(), area.Offset(-r.Left, -r.Top));
}

}  // namespace qv::skingen
