// The gallery's block of label, buttons, check box, group box, bars and page control.
#include "platform/controls/button.h"
#include "platform/controls/checkbox.h"
#include "platform/controls/groupbox.h"
#include "platform/controls/label.h"
#include "platform/controls/pagecontrol.h"
#include "platform/controls/progressbar.h"
#include "platform/controls/trackbar.h"
#include "tools/gallery/gallery.h"

namespace qv::gallery {
namespace {

void BuildControls(TGalleryBlock& b) {
  auto* label = b.Add<TLabel>("label", 160, 17);
  label->SetAutoSize(false);
  label->SetCaption(u"&Тактика соперника");
  label->SetLayout(TTextLayout::tlCenter);

  auto* button = b.Add<TButton>("button", 75, 25);
  button->SetCaption(u"Выход");

  auto* bitbtn = b.Add<TBitBtn>("bit button", 120, 25);
  bitbtn->SetCaption(u"Поиск");
  bitbtn->SetImages(&b.Images());
  bitbtn->SetImageIndex(0);

  auto* def = b.Add<TBitBtn>("default button", 120, 25);
  def->SetCaption(u"Сброс");
  def->SetImages(&b.Images());
  def->SetImageIndex(2);
  def->SetDefault(true);

  auto* check = b.Add<TCheckBox>("check box", 150, 17, {6, 8});
  check->SetCaption(u"Автосостав");
  check->SetChecked(true);

  auto* grayed = b.Add<TCheckBox>("grayed check", 150, 17, {6, 8});
  grayed->SetCaption(u"История");
  grayed->SetAllowGrayed(true);
  grayed->SetState(TCheckBoxState::cbGrayed);

  auto* group = b.Add<TGroupBox>("group box", 160, 60);
  group->SetCaption(u"Соперник");
  auto* inner = new TLabel(&b.Form());
  inner->SetParent(group);
  inner->SetBounds(12, 24, 120, 17);
  inner->SetCaption(u"Схема 4-4-2");

  auto* progress = b.Add<TProgressBar>("progress smooth", 145, 17);
  progress->SetMax(25);
  progress->SetSmooth(true);
  progress->SetPosition(12);

  auto* blocks = b.Add<TProgressBar>("progress blocks", 145, 17);
  blocks->SetPosition(60);

  auto* track = b.Add<TTrackBar>("track bar", 160, 33);
  track->SetRange(0, 100);
  track->SetFrequency(10);
  track->SetPosition(40);
  const TRect th = track->ThumbRect();
  b.SetPoint(track, {(th.Left + th.Right) / 2, (th.Top + th.Bottom) / 2});  // on the thumb

  auto* pages = b.Add<TPageControl>("page control", 300, 80, {20, 10});
  pages->SetImages(&b.Images());
  const char16_t* names[] = {u"Тактика", u"Тренировка", u"О программе"};
  for (int i = 0; i < 3; ++i) {
    auto* sheet = new TTabSheet(&b.Form());
    sheet->SetPageControl(pages);
    sheet->SetCaption(names[i]);
    sheet->SetImageIndex(i < 2 ? i : -1);
  }
}

const TGallerySection kControls{"controls", 10, BuildControls};

}  // namespace
}  // namespace qv::gallery
