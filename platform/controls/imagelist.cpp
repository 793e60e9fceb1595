// The image list: storage, PNG input, alpha drawing and change links.
#include "platform/controls/imagelist.h"

#include <algorithm>
#include <stdexcept>

#include "platform/acPNG.h"

namespace qv {

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

void DrawBitmapAlpha(TCanvas& canvas, int x, int y, const TBitmap32& src, const TRect& block,
                     int opacity, bool grey) {
  const TRect sb = IntersectRect(block, src.BoundsRect());
  if (sb.IsEmpty() || opacity <= 0) return;
  const int op = std::min(opacity, 255);
  TBitmap32& dst = canvas.Target();
  const TPoint org = canvas.ViewportOrg();
  // Device position of the block's top-left pixel.
  const int dx0 = x + org.X + (sb.Left - block.Left);
  const int dy0 = y + org.Y + (sb.Top - block.Top);
  const TRect dest = Bounds(dx0, dy0, sb.Width(), sb.Height());
  for (const TRect& clip : canvas.DeviceClipRects()) {
    const TRect r = IntersectRect(dest, clip);
    if (r.IsEmpty()) continue;
    for (int yy = r.Top; yy < r.Bottom; ++yy) {
      const TBGRA* s = src.ScanLine(sb.Top + (yy - dy0)) + sb.Left + (r.Left - dx0);
      TBGRA* d = dst.ScanLine(yy) + r.Left;
      for (int xx = r.Left; xx < r.Right; ++xx, ++s, ++d) {
        int a = s->A * op / 255;
        if (a == 0) continue;
        int b = s->B, g = s->G, rr = s->R;
        if (grey) b = g = rr = (rr * 77 + g * 151 + b * 28) >> 8;
        // Weight 0..256 so that an opaque pixel replaces the destination.
        const int w = a + (a >> 7);
        d->B = static_cast<std::uint8_t>((b * w + d->B * (256 - w)) >> 8);
        d->G = static_cast<std::uint8_t>((g * w + d->G * (256 - w)) >> 8);
        d->R = static_cast<std::uint8_t>((rr * w + d->R * (256 - w)) >> 8);
        d->A = static_cast<std::uint8_t>(a + d->A * (255 - a) / 255);
      }
    }
  }
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() {
  for (TChangeLink* link : links_) link->sender_ = nullptr;
}

void TCustomImageList::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("Invalid image list size");
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
  Change();
}

int TCustomImageList::AddChecked(TBitmap32 image) {
  if (image.Height() != height_ || image.Width() <= 0 || image.Width() % width_ != 0)
    throw std::invalid_argument("Invalid image size for the image list");
  image.SetRowOrder(TRowOrder::TopDown);
  const int first = Count();
  const int n = image.Width() / width_;
  if (n == 1) {
    images_.push_back(std::move(image));
  } else {
    for (int i = 0; i < n; ++i) {
      TBitmap32 part(width_, height_);
      for (int y = 0; y < height_; ++y)
        std::copy_n(image.ScanLine(y) + i * width_, width_, part.ScanLine(y));
      images_.push_back(std::move(part));
    }
  }
  Change();
  return first;
}

int TCustomImageList::Add(const TBitmap32& image) { return AddChecked(image); }

int TCustomImageList::AddPng(std::span<const std::uint8_t> png) {
  TBitmap32 bmp = LoadPngImage(png);
  bool any_alpha = false;
  for (int y = 0; y < bmp.Height() && !any_alpha; ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.ScanLine(y)[x].A != 0) {
        any_alpha = true;
        break;
      }
  // Pictures saved without any alpha would otherwise vanish.
  if (!any_alpha)
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x].A = 255;
  return AddChecked(std::move(bmp));
}

bool TCustomImageList::TryAddPng(std::span<const std::uint8_t> png) noexcept {
  try {
    AddPng(png);
    return true;
  } catch (...) {
    return false;
  }
}

void TCustomImageList::Replace(int index, const TBitmap32& image) {
  if (index < 0 || index >= Count()) throw std::out_of_range("Image index out of range");
  if (image.Width() != width_ || image.Height() != height_)
    throw std::invalid_argument("Invalid image size for the image list");
  images_[static_cast<std::size_t>(index)] = image;
  images_[static_cast<std::size_t>(index)].SetRowOrder(TRowOrder::TopDown);
  Change();
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Change();
}

void TCustomImageList::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  TBitmap32 moving = std::move(images_[static_cast<std::size_t>(from)]);
  images_.erase(images_.begin() + from);
  images_.insert(images_.begin() + to, std::move(moving));
  Change();
}

const TBitmap32* TCustomImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return &images_[static_cast<std::size_t>(index)];
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  DrawBlended(canvas, x, y, index, enabled ? 0 : 50, !enabled);
}

void TCustomImageList::DrawBlended(TCanvas& canvas, int x, int y, int index, int blend,
                                   bool grey) const {
  const TBitmap32* img = Image(index);
  if (!img) return;
  const int b = std::clamp(blend, 0, 100);
  DrawBitmapAlpha(canvas, x, y, *img, img->BoundsRect(), 255 - b * 255 / 100, grey);
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (!link || link->sender_ == this) return;
  if (link->sender_) link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it == links_.end()) return;
  links_.erase(it);
  link->sender_ = nullptr;
}

void TCustomImageList::EndUpdate() {
  if (updating_ == 0) return;
  if (--updating_ == 0 && changed_while_updating_) {
    changed_while_updating_ = false;
    Change();
  }
}

void TCustomImageList::Change() {
  if (updating_ > 0) {
    changed_while_updating_ = true;
    return;
  }
  // A link's handler may unregister links; walk a copy.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end() && link->OnChange)
      link->OnChange(this);
  if (OnChange) OnChange(this);
}

bool RelinkImageList(TCustomImageList*& images, TCustomImageList* list, TChangeLink& link,
                     TComponent& owner) {
  if (images == list) return false;
  if (images) {
    images->UnRegisterChanges(&link);
    images->RemoveFreeNotification(&owner);
  }
  images = list;
  if (images) {
    images->RegisterChanges(&link);
    images->FreeNotification(&owner);
  }
  return true;
}

bool ForgetRemovedImageList(TCustomImageList*& images, TComponent* component,
                            TOperation operation) {
  if (operation != TOperation::opRemove || component != images) return false;
  images = nullptr;
  return true;
}

}  // namespace qv
