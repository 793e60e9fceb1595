// The alpha image list: pictures kept in their stored form (PNG files, or
// 32-bit BMP files for pictures added as bitmaps), decoded on demand into
// 32-bit bitmaps with one cached size per item, and drawn with their per-pixel
// alpha, extra transparency, grey, a colour tone or a reflection. A PNG item
// may carry the same picture drawn natively at other sizes; a request of such
// a size decodes that drawing instead of resampling. The platform image list
// it derives from is generated from the items at the list's density, for the
// controls that only know that list.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/component/classes.h"
#include "platform/controls/imagelist.h"
#include "platform/ustring.h"

namespace qv {

// The image list with 32-bit pictures on demand. Its platform images (Width,
// Height, Image) are made for PixelsPerInch.
class TacImageList : public TImageList {
 public:
  explicit TacImageList(TComponent* owner);

  // A colour that replaces the colour of every picture, keeping its alpha
  // (clNone: the pictures' own colours).
  TColor ForeColor() const { return fore_color_; }
  void SetForeColor(TColor c);
  // The density the platform images are made for (96 until set).
  int PixelsPerInch() const { return ppi_; }
  virtual void SetPixelsPerInch(int ppi);
  // True: pictures are copied as they are, without alpha blending.
  bool IgnoreTransparency() const { return ignore_transparency_; }
  void SetIgnoreTransparency(bool v);

  // A new bitmap of picture index at width x height; empty when there is no
  // such picture or it cannot be decoded.
  virtual TBitmap32 CreateBitmap32(int index, int width, int height) const;
  // Fills bmp, whose size the caller has set, with picture index. False, with
  // bmp untouched, for an index outside the list or an empty bmp; throws
  // EInvalidGraphic when the stored picture cannot be decoded.
  virtual bool GetBitmap32(int index, TBitmap32& bmp) const;

 protected:
  // The finishing rules every picture goes through: ForeColor.
  void FinishPicture(TBitmap32& bmp) const;
  // What pictures look like changed (ForeColor); tells the change links.
  virtual void PicturesChanged();

 private:
  TColor fore_color_ = clNone;
  int ppi_ = 96;
  bool ignore_transparency_ = false;
};

enum class TsImageFormat { ifPNG, ifICO, ifBMP32 };

// The PNG file of an item's picture drawn natively at another size.
struct TsSizedImgData {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Data;
};

class TsImgListItem : public TPersistent {
 public:
  ustring Text;
  ustring ImageName;
  TsImageFormat ImageFormat = TsImageFormat::ifPNG;
  TPixelFormat PixelFormat = TPixelFormat::pf32bit;
  // Size of the stored picture.
  int OrigWidth = 0;
  int OrigHeight = 0;
  // The decoded picture at the size last asked for, or empty.
  mutable TBitmap32 CacheBmp;
  // The stored file.
  TMemoryStream ImgData;
  // The picture drawn at other sizes (PNG items only), smallest first.
  std::vector<TsSizedImgData> SizedImgData;
};

// The items of an alpha image list, in order.
class TsImgListItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  TsImgListItem& operator[](int index) { return *items_.at(static_cast<std::size_t>(index)); }
  const TsImgListItem& operator[](int index) const {
    return *items_.at(static_cast<std::size_t>(index));
  }

 private:
  friend class TsAlphaImageList;
  std::vector<std::unique_ptr<TsImgListItem>> items_;
};

// How DrawImage draws an item.
struct TsImageDrawParams {
  // Item pictures made of FrameCount equal frames side by side; Frame is
  // drawn, kept within 0 .. FrameCount - 1.
  int Frame = 0;
  int FrameCount = 1;
  // The density the item is drawn for: its size is the list's Width and
  // Height at this density.
  int PixelsPerInch = 96;
  bool Grayed = false;
  int Blend = 0;  // extra transparency in percent, 0 .. 100
  // Tint (clNone: none). A colour with the top byte 0xFF is taken as an ARGB
  // value of the skin's button colours and its top byte ignored.
  TColor ColorTone = clNone;
  // Adds a mirrored copy fading out below the picture.
  bool Reflected = false;
};

class TsAlphaImageList : public TacImageList {
 public:
  // The largest designed side: drawn at 480 pixels per inch it stays within
  // what a bitmap may hold.
  static constexpr int kMaxDesignSize = 2048;

  explicit TsAlphaImageList(TComponent* owner);
  ~TsAlphaImageList() override;

  // --- stored properties
  // The designed size at 96 pixels per inch (16 x 16). A zero width or height
  // means no image: nothing is drawn and the platform list is empty.
  int DesignWidth() const { return saved_width_; }
  int DesignHeight() const { return saved_height_; }
  void SetWidth(int w) { SetNewDimensions(w, saved_height_); }
  void SetHeight(int h) { SetNewDimensions(saved_width_, h); }
  void SetSize(int w, int h) { SetNewDimensions(w, h); }
  // Sets the designed size and regenerates the platform list. Sizes below 0
  // or above kMaxDesignSize throw std::invalid_argument.
  void SetNewDimensions(int width, int height);
  // Keep decoded pictures per item.
  bool UseCache() const { return use_cache_; }
  void SetUseCache(bool v);
  // Filled behind every drawn picture (clNone: nothing).
  TColor BkColor() const { return bk_color_; }
  void SetBkColor(TColor c);
  // The platform list follows PixelsPerInch (the screen's once loaded).
  bool AllowScale() const { return allow_scale_; }
  void SetAllowScale(bool v);
  void SetPixelsPerInch(int ppi) override;

  const TsImgListItems& Items() const { return items_; }
  TsImgListItems& Items() { return items_; }
  // The designed size at a density; 0 x 0 when the list has no size.
  TSize ImageSize(int ppi) const;

  // --- editing; each ends with Change (unless suspended)
  // Adds the picture of an image file (PNG, or BMP as a 32-bit bitmap item):
  // decoded first, added only when that succeeds. The stream's bytes from its
  // position on are taken and the position left at the end on success.
  bool TryLoadFromPngStream(TMemoryStream& stream);
  // The same, showing "Cannot load from stream / Invalid or unexpected image
  // format." as an error dialog on failure.
  bool LoadFromPngStream(TMemoryStream& stream);
  bool TryLoadFromFile(const std::string& path);
  bool LoadFromFile(const std::string& path);
  // Adds PNG bytes; throws the decoder's error, leaving the list unchanged.
  int AddPng(std::span<const std::uint8_t> png);
  // Adds an item as stored (ImageFormat, ImgData, SizedImgData, names): its
  // data and each sized drawing are decoded first (sizes and OrigWidth,
  // OrigHeight come from them); throws EInvalidGraphic, leaving the list
  // unchanged, when one cannot be. Returns the new index.
  int AddStoredItem(std::unique_ptr<TsImgListItem> item);
  // Adds a bitmap as a 32-bit bitmap item; returns its index.
  int Add(const TBitmap32& image);
  // Copies item index of another list.
  int AddImage(const TsAlphaImageList& source, int index);
  // Makes item index a 32-bit bitmap item of image.
  void Replace(int index, const TBitmap32& image);
  void Delete(int index);
  void Clear();
  void MoveItem(int from, int to);
  void Move(int from, int to) { MoveItem(from, to); }
  // Replaces the items with copies of those of source.
  void CopyImages(const TsAlphaImageList& source);
  // Replaces the items with the platform list's pictures, as bitmap items.
  void UpdateFromStd();
  // Rebuilds the platform list from the items at the list's density.
  void GenerateStdList();
  bool StdListIsGenerated() const { return std_list_generated_; }
  // Change notifications held back until the last AcEndUpdate.
  void AcBeginUpdate() { BeginUpdate(); }
  void AcEndUpdate() { EndUpdate(); }

  // --- pictures
  // The item's picture at bmp's size (see the class comment): a cached
  // picture of that size is copied; otherwise the stored drawing of that size,
  // or else the nearest larger one (the largest when none is larger), is
  // decoded and resampled. A picture whose alpha bytes are all 0 is taken as
  // opaque. Items that are neither PNG nor bitmap come from the platform list.
  bool GetBitmap32(int index, TBitmap32& bmp) const override;

  // Draws item index for a control into dst with its top-left corner at p:
  // BkColor first, then the picture composited with its alpha (or copied,
  // with IgnoreTransparency). Returns the rectangle of the picture, empty when
  // nothing was drawn (index outside the items, no size, undecodable data).
  TRect DrawImage(TBitmap32& dst, TPoint p, int index, const TsImageDrawParams& params) const;
  // The platform's drawing, answered the same way at the list's density
  // through the canvas's origin and clip; disabled pictures are grey and
  // half transparent.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const override;

 protected:
  void Loaded() override;
  void PicturesChanged() override;

 private:
  struct TPrepared;
  // The density of the platform list: PixelsPerInch, or 96 without AllowScale.
  int StdPixelsPerInch() const;
  // Adds a validated item; regenerates and notifies.
  int AddItem(std::unique_ptr<TsImgListItem> item, TBitmap32 decoded);
  void ItemsChanged();
  // The picture of a frame made ready for compositing (grey, tone); false
  // when there is nothing to draw.
  bool Prepare(int index, const TsImageDrawParams& params, TPrepared& out) const;
  void Composite(TBitmap32& dst, TPoint p, const TRect& clip, const TPrepared& pic) const;

  TsImgListItems items_;
  int saved_width_ = 16;
  int saved_height_ = 16;
  bool use_cache_ = true;
  bool allow_scale_ = true;
  bool std_list_generated_ = false;
  TColor bk_color_ = clNone;
};

// Registers TsAlphaImageList with the description reader (after the standard
// controls): Width, Height, BkColor, UseCache, AllowScale, IgnoreTransparency,
// ForeColor and the Items collection, each item with ImageFormat (ifPNG or
// ifBMP32), ImgData (the embedded file), SizedImgData (a list of embedded PNG
// files of the same picture at other sizes), ImageName and Text. Each item is
// decoded while it is read; one that cannot be is an error naming its line.
void RegisterAlphaImageListClasses();

}  // namespace qv
