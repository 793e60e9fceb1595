// The gallery's section registry. A section adds a block of sample controls
// to the sample form; the gallery then shows each sample in every state, and
// each scene (a control put into one moment by synthetic input, such as a
// list held open) once. A file adds its section with a static
// TGallerySection object:
//
//   static const TGallerySection kEdits{"edits", 20, [](TGalleryBlock& b) {
//     auto* e = b.Add<TEdit>("edit", 121, 21);
//     ...
//   }};
//
// A section of skinned controls registers with TGalleryLook::Skinned: it is
// built on a form whose controls paint from the program's own skin (its
// stored skin manager with the window's hue offset) at the density asked for,
// and its images come from the program's own image list.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/component/form.h"
#include "platform/controls/imagelist.h"
#include "platform/window/headless.h"

namespace qv::gallery {

// The sample form a section belongs to: the standard controls' plain look,
// or the program's skin.
enum class TGalleryLook { Plain, Skinned };

// One control shown in every state; Point is where the pointer hovers and
// presses (control client coordinates).
struct TSample {
  std::string Name;
  TControl* Control = nullptr;
  TPoint Point;
};

// What a scene acts through: the synthetic input and screen points of its control.
struct TSceneInput {
  THeadlessBackend& Input;
  TControl& Control;
  TPoint At(TPoint client) const { return Control.ClientToScreen(client); }
};

// One picture of a control after its action ran; it covers the control and
// every popup window shown then.
struct TScene {
  std::string Name;
  TControl* Control = nullptr;
  std::function<void(TSceneInput&)> Act;
};

// Where a section puts its samples: one below the other on the sample form.
class TGalleryBlock {
 public:
  TGalleryBlock(TForm& form, TCustomImageList& images, std::vector<TSample>& samples,
                std::vector<TScene>& scenes, int& next_y)
      : form_(form), images_(images), samples_(samples), scenes_(scenes), next_y_(next_y) {}

  TForm& Form() { return form_; }
  // 16x16 icons for controls that show images: sample ones on the plain
  // form, the program's own list on the skinned one.
  TCustomImageList& Images() { return images_; }

  // Creates a C on the form at the next free place, w x h (designed at 96
  // pixels per inch; the form is scaled to the gallery's density after every
  // section is built), hovered and
  // pressed at point (the centre when not given).
  template <class C>
  C* Add(const std::string& name, int w, int h, TPoint point = {-1, -1}) {
    C* c = Place<C>(w, h);
    samples_.push_back({name, c, point.X < 0 ? TPoint{w / 2, h / 2} : point});
    return c;
  }

  // Creates a C, w x h, shown once after act has run on it.
  template <class C>
  C* AddScene(const std::string& name, int w, int h, std::function<void(C&, TSceneInput&)> act) {
    C* c = Place<C>(w, h);
    scenes_.push_back({name, c, [c, act](TSceneInput& in) { act(*c, in); }});
    return c;
  }

  // Moves where the pointer hovers and presses on c.
  void SetPoint(TControl* c, TPoint point) {
    for (TSample& s : samples_)
      if (s.Control == c) s.Point = point;
  }

  static constexpr int kMargin = 8;
  static constexpr int kGap = 8;

 private:
  template <class C>
  C* Place(int w, int h) {
    auto* c = new C(&form_);
    c->SetParent(&form_);
    c->SetBounds(kMargin, next_y_, w, h);
    next_y_ += h + kGap;
    return c;
  }

  TForm& form_;
  TCustomImageList& images_;
  std::vector<TSample>& samples_;
  std::vector<TScene>& scenes_;
  int& next_y_;
};

using TSectionBuilder = std::function<void(TGalleryBlock&)>;

// Registers a section; sections are built in ascending order.
class TGallerySection {
 public:
  TGallerySection(std::string name, int order, TSectionBuilder build,
                  TGalleryLook look = TGalleryLook::Plain);
};

struct TSectionEntry {
  std::string Name;
  int Order;
  TSectionBuilder Build;
  TGalleryLook Look;
};
// The registered sections of a look, sorted by order.
std::vector<TSectionEntry> Sections(TGalleryLook look = TGalleryLook::Plain);

}  // namespace qv::gallery
