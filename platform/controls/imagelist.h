// The image list: fixed-size 32-bit images with alpha, added from PNG bytes
// or bitmaps and drawn by index, alpha-blended onto a canvas. Controls that
// show its images register a change link and repaint when it changes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/component/component.h"

namespace qv {

class TCustomImageList;

// A control's subscription to an image list's changes. Unregisters itself
// when destroyed; the list clears Sender when it goes first.
class TChangeLink {
 public:
  TChangeLink() = default;
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  ~TChangeLink();

  TCustomImageList* Sender() const { return sender_; }
  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

// Source-over of src's block (straight alpha) onto the canvas at (x, y),
// through the canvas's origin and clip. opacity 0..255 scales the alpha; grey
// draws the picture's luminance instead of its colours.
void DrawBitmapAlpha(TCanvas& canvas, int x, int y, const TBitmap32& src, const TRect& block,
                     int opacity = 255, bool grey = false);

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* owner);
  ~TCustomImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size drops every image (they were made for the old one).
  void SetSize(int width, int height);
  void SetWidth(int w) { SetSize(w, height_); }
  void SetHeight(int h) { SetSize(width_, h); }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds a picture of the list's size, or a strip of several side by side
  // (height equal, width a whole multiple); returns the first new index.
  // Throws std::invalid_argument for any other size.
  int Add(const TBitmap32& image);
  // Decodes PNG bytes and adds them as Add does. A picture whose alpha bytes
  // are all 0 is taken as opaque. Throws EPngError (or std::invalid_argument)
  // and leaves the list unchanged on failure.
  int AddPng(std::span<const std::uint8_t> png);
  // The same, reporting failure as false.
  bool TryAddPng(std::span<const std::uint8_t> png) noexcept;
  void Replace(int index, const TBitmap32& image);
  void Delete(int index);
  void Clear();
  void Move(int from, int to);

  // The picture at index; nullptr outside the list.
  const TBitmap32* Image(int index) const;

  // Draws image index with its alpha at (x, y); out-of-range indexes draw
  // nothing. Disabled images are drawn grey and half transparent. Every
  // control draws its images through here, so a list with another way of
  // drawing (an alpha image list of a skin) replaces it.
  virtual void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
  // Draws with extra transparency (blend 0..100 %) and optional grey.
  void DrawBlended(TCanvas& canvas, int x, int y, int index, int blend, bool grey) const;

  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);
  // Suspends change notifications; the last EndUpdate sends one if needed.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  // Tells every change link and OnChange.
  void Change();

  TNotifyEvent OnChange;

 private:
  int AddChecked(TBitmap32 image);

  int width_ = 16;
  int height_ = 16;
  std::vector<TBitmap32> images_;
  std::vector<TChangeLink*> links_;
  int updating_ = 0;
  bool changed_while_updating_ = false;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

// A control's image-list property. Points images at list and moves the change
// link and owner's free notification from the old list to the new one; false
// when images already was list.
bool RelinkImageList(TCustomImageList*& images, TCustomImageList* list, TChangeLink& link,
                     TComponent& owner);
// Forgets images when it is the component being removed; true when it was.
bool ForgetRemovedImageList(TCustomImageList*& images, TComponent* component, TOperation operation);

}  // namespace qv
