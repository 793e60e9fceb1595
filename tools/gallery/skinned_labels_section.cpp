// The skinned gallery's block of labels: captions and values on a group box
// section, the hint on the dialog section, the web label, the about text's
// HTML label with its link, and a bound caption beside a combo box.
#include "controls/bound_label.h"
#include "controls/html_label.h"
#include "controls/label.h"
#include "controls/skin_classes.h"
#include "controls/skinned_control.h"
#include "controls/web_label.h"
#include "platform/controls/combobox.h"
#include "platform/text/text.h"
#include "tools/gallery/gallery.h"

namespace qv::gallery {
namespace {

// What labels stand on in the window: a group box's section. The skinned
// group box is a control of its own; the block needs only its face.
class TLabelBackdrop : public TacSkinnedControl<TCustomControl> {
 public:
  explicit TLabelBackdrop(TComponent* owner) : TacSkinnedControl(owner, kCocGroupBox) {
    ControlStyle |= csAcceptsControls;
  }
  int DefaultSkinSection() const override { return ssGroupBox; }
};

template <class C>
C* Put(TGalleryBlock& b, TWinControl* parent, TRect bounds, ustring_view caption) {
  auto* c = new C(&b.Form());
  c->SetParent(parent);
  c->SetBoundsRect(bounds);
  c->SetCaption(caption);
  return c;
}

void BuildLabels(TGalleryBlock& b) {
  // Caption and value pairs as on the tactics page; one in its own grey.
  auto* pairs = b.Add<TLabelBackdrop>("labels on a group box", 220, 58, {30, 10});
  Put<TsLabel>(b, pairs, Bounds(8, 6, 60, 13), u"Схема:");
  auto* value = Put<TsLabel>(b, pairs, Bounds(90, 6, 60, 13), u"4-4-2");
  value->ChangeFont([](TFont& f) { f.Style = fsBold; });
  Put<TsLabel>(b, pairs, Bounds(8, 22, 60, 13), u"Тактика:");
  auto* tactic = Put<TsLabel>(b, pairs, Bounds(90, 22, 60, 13), u"22% Защитная");
  tactic->ChangeFont([](TFont& f) { f.Style = fsBold; });
  auto* grey = Put<TsLabel>(b, pairs, Bounds(8, 40, 200, 13), u"Актуально на 03.12.2012");
  grey->ChangeFont([](TFont& f) { f.Color = clGray; });
  grey->SetUseSkinColor(false);

  // The hint under a page, on the dialog section.
  auto* hint = b.Add<TsLabel>("label on DIALOG", 240, 50);
  hint->SetSkinSection(u"DIALOG");
  hint->SetAutoSize(false);
  hint->SetWordWrap(true);
  hint->SetAlignment(TAlignment::taCenter);
  hint->SetLayout(TTextLayout::tlCenter);
  hint->ChangeFont([](TFont& f) { f.Height = -15; });
  hint->SetCaption(u"Помните! Данная помощь не гарантирует Вам 100% успех");

  auto* web = b.Add<TsWebLabel>("web label", 120, 13, {10, 6});
  web->SetCaption(u"developer.example");
  web->ChangeHoverFont([](TFont& f) { f.Style = fsUnderline; });

  // The about text's second line: the nickname is the link.
  const ustring lead = u"пишите в личку профиля в игре - ";
  auto* html = b.Add<TsHTMLLabel>("HTML label", 240, 28);
  html->SetAutoSize(false);
  html->SetCaption(u"Хотите видеть новый функционал<br>" + lead +
                   u"<a href=\"http://www.ballora.example/users/1\">Quorvane</a>");
  b.SetPoint(html, {TextExtentOf(html->Font(), lead).cx + 10, 21});

  // "Схема:" bound to its combo box, left of it and centred on it.
  auto* row = b.Add<TLabelBackdrop>("bound label", 220, 30, {30, 15});
  auto* combo = Put<TacBoundLabelOwner<TComboBox>>(b, row, Bounds(80, 4, 80, 21), u"");
  combo->SetName("ComboBoxScheme");
  combo->Items().Add(u"4-3-3");
  combo->SetItemIndex(0);
  combo->BoundLabel().SetCaption(u"Схема:");
  combo->BoundLabel().SetActive(true);
}

const TGallerySection kLabels{"skinned labels", 20, BuildLabels, TGalleryLook::Skinned};

}  // namespace
}  // namespace qv::gallery
