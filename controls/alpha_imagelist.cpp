// The alpha image list: its items, decoding with the per-item cache, the
// platform list generated from the items, and drawing for controls.
#include "controls/alpha_imagelist.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "paint/compositing.h"
#include "paint/resample.h"
#include "platform/acPNG.h"
#include "platform/component/application.h"
#include "platform/font.h"
#include "platform/image_bmp.h"
#include "skin/color_transforms.h"
#include "skin/skin_dialogs.h"

namespace qv {

namespace {

constexpr char16_t kLoadErrorText[] =
    u"Cannot load from stream\r\nInvalid or unexpected image format.";

// A reflection starts at this share of the picture's opacity (of 256) and
// fades out over half the picture's height.
constexpr int kReflectionStart = 96;

// Pictures saved without any alpha would otherwise not show at all.
void OpaqueWhenAlphaEmpty(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    const TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x].A != 0) return;
  }
  for (int y = 0; y < bmp.Height(); ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x) row[x].A = 255;
  }
}

// The picture at width x height: as it is, resampled, or stretched to the
// nearest pixel when it is too small to filter.
TBitmap32 Resized(TBitmap32 src, int width, int height) {
  if (src.Width() == width && src.Height() == height) return src;
  TBitmap32 out;
  if (!Resample(src, out, width, height)) StretchNearest(src, src.BoundsRect(), out, width, height);
  return out;
}

// Pixels of src into dst of the same size, whatever their row orders.
void CopyPixels(const TBitmap32& src, TBitmap32& dst) {
  for (int y = 0; y < dst.Height(); ++y)
    std::memcpy(dst.ScanLine(y), src.ScanLine(y), sizeof(TBGRA) * dst.Width());
}

TBitmap32 TopDownCopy(const TBitmap32& src) {
  TBitmap32 out(src.Width(), src.Height());
  CopyPixels(src, out);
  return out;
}

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The stored form of a bitmap item: a 32-bit BMP file (bottom-up rows, the
// alpha in each pixel's fourth byte).
std::vector<std::uint8_t> EncodeBmp32(const TBitmap32& bmp) {
  const std::uint32_t pixels = static_cast<std::uint32_t>(bmp.Width()) * bmp.Height() * 4;
  std::vector<std::uint8_t> out;
  out.reserve(54 + pixels);
  out.push_back('B');
  out.push_back('M');
  PutLE(out, 54 + pixels, 4);
  PutLE(out, 0, 4);
  PutLE(out, 54, 4);
  PutLE(out, 40, 4);  // information header
  PutLE(out, static_cast<std::uint32_t>(bmp.Width()), 4);
  PutLE(out, static_cast<std::uint32_t>(bmp.Height()), 4);
  PutLE(out, 1, 2);   // planes
  PutLE(out, 32, 2);  // bits a pixel
  PutLE(out, 0, 4);   // uncompressed
  PutLE(out, pixels, 4);
  PutLE(out, 2835, 4);  // 72 pixels per inch
  PutLE(out, 2835, 4);
  PutLE(out, 0, 4);
  PutLE(out, 0, 4);
  for (int y = bmp.Height() - 1; y >= 0; --y) {
    const TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      out.push_back(row[x].B);
      out.push_back(row[x].G);
      out.push_back(row[x].R);
      out.push_back(row[x].A);
    }
  }
  return out;
}

// Decodes the stored bytes of an item; throws EInvalidGraphic.
TBitmap32 Decode(std::span<const std::uint8_t> bytes, TsImageFormat format) {
  switch (format) {
    case TsImageFormat::ifPNG:
      return LoadPngImage(bytes);
    case TsImageFormat::ifBMP32: {
      TBitmap32 bmp = DecodeBmp(bytes);
      bmp.SetRowOrder(TRowOrder::TopDown);
      bmp.PixelFormat = TPixelFormat::pf32bit;
      return bmp;
    }
    case TsImageFormat::ifICO:
      break;
  }
  throw EInvalidGraphic("Icon image items are not supported");
}

std::unique_ptr<TsImgListItem> CopyItem(const TsImgListItem& from) {
  auto item = std::make_unique<TsImgListItem>();
  item->Text = from.Text;
  item->ImageName = from.ImageName;
  item->ImageFormat = from.ImageFormat;
  item->PixelFormat = from.PixelFormat;
  item->OrigWidth = from.OrigWidth;
  item->OrigHeight = from.OrigHeight;
  item->CacheBmp = from.CacheBmp;
  item->ImgData = TMemoryStream(from.ImgData.Memory());
  item->SizedImgData = from.SizedImgData;
  return item;
}

std::unique_ptr<TsImgListItem> BitmapItem(const TBitmap32& image) {
  if (image.Empty()) throw std::invalid_argument("An image list item needs a picture");
  auto item = std::make_unique<TsImgListItem>();
  item->ImageFormat = TsImageFormat::ifBMP32;
  item->OrigWidth = image.Width();
  item->OrigHeight = image.Height();
  const std::vector<std::uint8_t> bytes = EncodeBmp32(image);
  item->ImgData = TMemoryStream(bytes);
  return item;
}

// A tint value as the tone transform takes it: button colours of the skin's
// palette are ARGB values with the top byte 0xFF; other values are colours.
TColor ToneColor(TColor c) {
  if ((static_cast<std::uint32_t>(c) >> 24) == 0xFF) return c & 0xFFFFFF;
  return ColorToRGB(c);
}

}  // namespace

// ---------------------------------------------------------------- TacImageList

TacImageList::TacImageList(TComponent* owner) : TImageList(owner) {}

void TacImageList::SetForeColor(TColor c) {
  if (c == fore_color_) return;
  fore_color_ = c;
  PicturesChanged();
}

void TacImageList::SetPixelsPerInch(int ppi) { ppi_ = ppi > 0 ? ppi : 96; }

void TacImageList::SetIgnoreTransparency(bool v) {
  if (v == ignore_transparency_) return;
  ignore_transparency_ = v;
  Change();
}

void TacImageList::PicturesChanged() { Change(); }

void TacImageList::FinishPicture(TBitmap32& bmp) const {
  if (fore_color_ == clNone) return;
  const TColor c = ColorToRGB(fore_color_);
  for (int y = 0; y < bmp.Height(); ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x) row[x] = ColorToPixel(c, row[x].A);
  }
}

bool TacImageList::GetBitmap32(int index, TBitmap32& bmp) const {
  const TBitmap32* image = Image(index);
  if (!image || bmp.Empty()) return false;
  TBitmap32 pic = TopDownCopy(*image);
  OpaqueWhenAlphaEmpty(pic);
  pic = Resized(std::move(pic), bmp.Width(), bmp.Height());
  FinishPicture(pic);
  CopyPixels(pic, bmp);
  return true;
}

TBitmap32 TacImageList::CreateBitmap32(int index, int width, int height) const {
  if (width <= 0 || height <= 0) return {};
  TBitmap32 bmp(width, height);
  try {
    if (GetBitmap32(index, bmp)) return bmp;
  } catch (const EInvalidGraphic&) {
    // A picture that cannot be decoded is drawn as nothing.
  }
  return {};
}

// ------------------------------------------------------------ TsAlphaImageList

struct TsAlphaImageList::TPrepared {
  TBitmap32 Picture;     // the frame, grey and tinted as asked
  TBitmap32 Reflection;  // its mirror image, fading out; empty when not asked for
  std::uint8_t Opacity = 255;
};

TsAlphaImageList::TsAlphaImageList(TComponent* owner) : TacImageList(owner) {}

TsAlphaImageList::~TsAlphaImageList() = default;

int TsAlphaImageList::StdPixelsPerInch() const { return allow_scale_ ? PixelsPerInch() : 96; }

TSize TsAlphaImageList::ImageSize(int ppi) const {
  if (saved_width_ <= 0 || saved_height_ <= 0) return {};
  if (ppi <= 0) ppi = 96;
  return {MulDiv(saved_width_, ppi, 96), MulDiv(saved_height_, ppi, 96)};
}

void TsAlphaImageList::SetNewDimensions(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxDesignSize || height > kMaxDesignSize)
    throw std::invalid_argument("Invalid image list size");
  if (width == saved_width_ && height == saved_height_ && std_list_generated_) return;
  saved_width_ = width;
  saved_height_ = height;
  ItemsChanged();
}

void TsAlphaImageList::SetUseCache(bool v) {
  if (v == use_cache_) return;
  use_cache_ = v;
  if (!use_cache_)
    for (auto& item : items_.items_) item->CacheBmp = TBitmap32();
}

void TsAlphaImageList::SetBkColor(TColor c) {
  if (c == bk_color_) return;
  bk_color_ = c;
  Change();
}

void TsAlphaImageList::SetAllowScale(bool v) {
  if (v == allow_scale_) return;
  allow_scale_ = v;
  ItemsChanged();
}

void TsAlphaImageList::SetPixelsPerInch(int ppi) {
  const int old = PixelsPerInch();
  TacImageList::SetPixelsPerInch(ppi);
  if (PixelsPerInch() != old && allow_scale_) ItemsChanged();
}

void TsAlphaImageList::PicturesChanged() { ItemsChanged(); }

void TsAlphaImageList::Loaded() {
  TacImageList::Loaded();
  // Made for the screen it is shown on; the designed size stays as stored.
  if (allow_scale_) TacImageList::SetPixelsPerInch(Screen().PixelsPerInch());
  GenerateStdList();
}

void TsAlphaImageList::ItemsChanged() {
  // While the description is read, Loaded builds the platform list once.
  if (IsLoading()) return;
  GenerateStdList();
}

void TsAlphaImageList::GenerateStdList() {
  BeginUpdate();
  TCustomImageList::Clear();
  const TSize size = ImageSize(StdPixelsPerInch());
  if (size.cx > 0 && size.cy > 0) {
    TCustomImageList::SetSize(size.cx, size.cy);
    for (int i = 0; i < items_.Count(); ++i) {
      TBitmap32 pic = CreateBitmap32(i, size.cx, size.cy);
      // An item without a picture keeps its place, so indexes stay in step.
      if (pic.Empty()) pic = TBitmap32(size.cx, size.cy);
      TCustomImageList::Add(pic);
    }
  }
  std_list_generated_ = true;
  Change();
  EndUpdate();
}

int TsAlphaImageList::AddItem(std::unique_ptr<TsImgListItem> item, TBitmap32 decoded) {
  item->CacheBmp = TBitmap32();
  if (use_cache_) {
    // The decoded picture is the item's picture at its own size.
    OpaqueWhenAlphaEmpty(decoded);
    item->CacheBmp = std::move(decoded);
  }
  items_.items_.push_back(std::move(item));
  ItemsChanged();
  return items_.Count() - 1;
}

int TsAlphaImageList::AddStoredItem(std::unique_ptr<TsImgListItem> item) {
  if (!item) throw std::invalid_argument("No image list item");
  // Everything is decoded before the list changes.
  TBitmap32 decoded = Decode(item->ImgData.Memory(), item->ImageFormat);
  for (TsSizedImgData& sized : item->SizedImgData) {
    const TBitmap32 d = Decode(sized.Data, TsImageFormat::ifPNG);
    sized.Width = d.Width();
    sized.Height = d.Height();
  }
  std::stable_sort(item->SizedImgData.begin(), item->SizedImgData.end(),
                   [](const TsSizedImgData& a, const TsSizedImgData& b) {
                     return static_cast<long long>(a.Width) * a.Height <
                            static_cast<long long>(b.Width) * b.Height;
                   });
  item->OrigWidth = decoded.Width();
  item->OrigHeight = decoded.Height();
  item->PixelFormat = TPixelFormat::pf32bit;
  return AddItem(std::move(item), std::move(decoded));
}

int TsAlphaImageList::AddPng(std::span<const std::uint8_t> png) {
  auto item = std::make_unique<TsImgListItem>();
  item->ImgData = TMemoryStream(png);
  return AddStoredItem(std::move(item));
}

bool TsAlphaImageList::TryLoadFromPngStream(TMemoryStream& stream) {
  const std::span<const std::uint8_t> all = stream.Memory();
  const std::span<const std::uint8_t> bytes = all.subspan(
      static_cast<std::size_t>(std::min<std::int64_t>(stream.Position(), stream.Size())));
  auto item = std::make_unique<TsImgListItem>();
  if (IsPngData(bytes))
    item->ImageFormat = TsImageFormat::ifPNG;
  else if (IsBmp(bytes))
    item->ImageFormat = TsImageFormat::ifBMP32;
  else
    return false;
  item->ImgData = TMemoryStream(bytes);
  try {
    AddStoredItem(std::move(item));
  } catch (const std::exception&) {
    return false;
  }
  stream.Seek(0, 2);
  return true;
}

bool TsAlphaImageList::LoadFromPngStream(TMemoryStream& stream) {
  if (TryLoadFromPngStream(stream)) return true;
  ShowSkinError(kLoadErrorText);
  return false;
}

bool TsAlphaImageList::TryLoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  if (in.bad()) return false;
  TMemoryStream stream(bytes);
  return TryLoadFromPngStream(stream);
}

bool TsAlphaImageList::LoadFromFile(const std::string& path) {
  if (TryLoadFromFile(path)) return true;
  ShowSkinError(kLoadErrorText);
  return false;
}

int TsAlphaImageList::Add(const TBitmap32& image) {
  auto item = BitmapItem(image);
  return AddItem(std::move(item), TopDownCopy(image));
}

int TsAlphaImageList::AddImage(const TsAlphaImageList& source, int index) {
  if (index < 0 || index >= source.items_.Count()) return -1;
  items_.items_.push_back(CopyItem(source.items_[index]));
  ItemsChanged();
  return items_.Count() - 1;
}

void TsAlphaImageList::Replace(int index, const TBitmap32& image) {
  if (index < 0 || index >= items_.Count()) throw std::out_of_range("Image index out of range");
  auto item = BitmapItem(image);
  if (use_cache_) {
    item->CacheBmp = TopDownCopy(image);
    OpaqueWhenAlphaEmpty(item->CacheBmp);
  }
  items_.items_[static_cast<std::size_t>(index)] = std::move(item);
  ItemsChanged();
}

void TsAlphaImageList::Delete(int index) {
  if (index < 0 || index >= items_.Count()) return;
  items_.items_.erase(items_.items_.begin() + index);
  ItemsChanged();
}

void TsAlphaImageList::Clear() {
  if (items_.items_.empty()) return;
  items_.items_.clear();
  ItemsChanged();
}

void TsAlphaImageList::MoveItem(int from, int to) {
  const int n = items_.Count();
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  auto moving = std::move(items_.items_[static_cast<std::size_t>(from)]);
  items_.items_.erase(items_.items_.begin() + from);
  items_.items_.insert(items_.items_.begin() + to, std::move(moving));
  ItemsChanged();
}

void TsAlphaImageList::CopyImages(const TsAlphaImageList& source) {
  if (&source == this) return;
  std::vector<std::unique_ptr<TsImgListItem>> copies;
  for (int i = 0; i < source.items_.Count(); ++i) copies.push_back(CopyItem(source.items_[i]));
  items_.items_ = std::move(copies);
  ItemsChanged();
}

void TsAlphaImageList::UpdateFromStd() {
  std::vector<std::unique_ptr<TsImgListItem>> items;
  for (int i = 0; i < TCustomImageList::Count(); ++i) {
    auto item = BitmapItem(*Image(i));
    if (use_cache_) item->CacheBmp = TopDownCopy(*Image(i));
    items.push_back(std::move(item));
  }
  items_.items_ = std::move(items);
  ItemsChanged();
}

bool TsAlphaImageList::GetBitmap32(int index, TBitmap32& bmp) const {
  if (index < 0 || index >= items_.Count() || bmp.Empty()) return false;
  const TsImgListItem& item = items_[index];
  if (item.ImageFormat != TsImageFormat::ifPNG && item.ImageFormat != TsImageFormat::ifBMP32)
    return TacImageList::GetBitmap32(index, bmp);
  if (item.ImgData.Size() == 0) return false;
  const int w = bmp.Width(), h = bmp.Height();
  if (use_cache_ && !item.CacheBmp.Empty()) {
    if (item.CacheBmp.Width() == w && item.CacheBmp.Height() == h) {
      TBitmap32 pic = item.CacheBmp;
      FinishPicture(pic);
      CopyPixels(pic, bmp);
      return true;
    }
    item.CacheBmp = TBitmap32();
  }

  // The drawing made for this size, else the smallest larger one (shrinking
  // keeps more detail than enlarging), else the largest.
  struct TSource {
    int W, H;
    std::span<const std::uint8_t> Bytes;
    TsImageFormat Format;
  };
  std::vector<TSource> sources{
      {item.OrigWidth, item.OrigHeight, item.ImgData.Memory(), item.ImageFormat}};
  for (const TsSizedImgData& s : item.SizedImgData)
    sources.push_back({s.Width, s.Height, s.Data, TsImageFormat::ifPNG});
  const auto area = [](const TSource& s) { return static_cast<long long>(s.W) * s.H; };
  const TSource* chosen = nullptr;
  for (const TSource& s : sources)
    if (s.W == w && s.H == h) chosen = &s;
  if (!chosen)
    for (const TSource& s : sources)
      if (s.W >= w && s.H >= h && (!chosen || area(s) < area(*chosen))) chosen = &s;
  if (!chosen)
    for (const TSource& s : sources)
      if (!chosen || area(s) > area(*chosen)) chosen = &s;

  TBitmap32 pic = Decode(chosen->Bytes, chosen->Format);
  OpaqueWhenAlphaEmpty(pic);
  pic = Resized(std::move(pic), w, h);
  if (use_cache_) item.CacheBmp = pic;
  FinishPicture(pic);
  CopyPixels(pic, bmp);
  return true;
}

bool TsAlphaImageList::Prepare(int index, const TsImageDrawParams& params, TPrepared& out) const {
  const TSize size = ImageSize(params.PixelsPerInch);
  if (index < 0 || index >= items_.Count() || size.cx <= 0 || size.cy <= 0) return false;
  const int frames = std::max(1, params.FrameCount);
  const int frame_width = size.cx / frames;
  if (frame_width <= 0) return false;
  const int frame = std::clamp(params.Frame, 0, frames - 1);
  TBitmap32 whole = CreateBitmap32(index, size.cx, size.cy);
  if (whole.Empty()) return false;

  TBitmap32 pic;
  if (frames == 1) {
    pic = std::move(whole);
  } else {
    pic.SetSize(frame_width, size.cy);
    for (int y = 0; y < size.cy; ++y)
      std::memcpy(pic.ScanLine(y), whole.ScanLine(y) + frame * frame_width,
                  sizeof(TBGRA) * frame_width);
  }
  if (params.Grayed) ApplyToBitmap(pic, TPixelOp::Saturation, SaturationAmount(-100), kNoKeyPixel);
  if (params.ColorTone != clNone)
    ApplyToBitmap(pic, TPixelOp::Tone, static_cast<int>(ToneColor(params.ColorTone)), kNoKeyPixel);
  out.Opacity = static_cast<std::uint8_t>(255 - std::clamp(params.Blend, 0, 100) * 255 / 100);

  out.Reflection = TBitmap32();
  if (params.Reflected && size.cy >= 2) {
    // The lower half mirrored, its alpha fading to nothing.
    const int rows = size.cy / 2;
    out.Reflection.SetSize(frame_width, rows);
    for (int k = 0; k < rows; ++k) {
      const TBGRA* s = pic.ScanLine(size.cy - 1 - k);
      TBGRA* d = out.Reflection.ScanLine(k);
      const int fade = kReflectionStart * (rows - k) / rows;
      for (int x = 0; x < frame_width; ++x) {
        d[x] = s[x];
        d[x].A = static_cast<std::uint8_t>(s[x].A * fade >> 8);
      }
    }
  }
  out.Picture = std::move(pic);
  return true;
}

void TsAlphaImageList::Composite(TBitmap32& dst, TPoint p, const TRect& clip,
                                 const TPrepared& pic) const {
  const TRect area = IntersectRect(
      IntersectRect(Bounds(p.X, p.Y, pic.Picture.Width(), pic.Picture.Height()), clip),
      dst.BoundsRect());
  if (!area.IsEmpty()) {
    if (bk_color_ != clNone) FillRectAlpha(dst, area, ColorToRGB(bk_color_), 255);
    const TRect s = area.Offset(-p.X, -p.Y);
    if (IgnoreTransparency())
      BlendBitmaps(dst, pic.Picture, static_cast<std::uint8_t>(255 - pic.Opacity), area.TopLeft(),
                   s);
    else
      BlendAlphaPiece(dst, pic.Picture, Rect(s.Left, s.Top, s.Right - 1, s.Bottom - 1), pic.Opacity,
                      area.TopLeft());
  }
  if (pic.Reflection.Empty()) return;
  const TPoint rp{p.X, p.Y + pic.Picture.Height()};
  const TRect rarea = IntersectRect(
      IntersectRect(Bounds(rp.X, rp.Y, pic.Reflection.Width(), pic.Reflection.Height()), clip),
      dst.BoundsRect());
  if (rarea.IsEmpty()) return;
  const TRect rs = rarea.Offset(-rp.X, -rp.Y);
  BlendAlphaPiece(dst, pic.Reflection, Rect(rs.Left, rs.Top, rs.Right - 1, rs.Bottom - 1),
                  pic.Opacity, rarea.TopLeft());
}

TRect TsAlphaImageList::DrawImage(TBitmap32& dst, TPoint p, int index,
                                  const TsImageDrawParams& params) const {
  TPrepared pic;
  if (!Prepare(index, params, pic)) return {};
  Composite(dst, p, dst.BoundsRect(), pic);
  return Bounds(p.X, p.Y, pic.Picture.Width(), pic.Picture.Height());
}

void TsAlphaImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  TsImageDrawParams params;
  params.PixelsPerInch = StdPixelsPerInch();
  if (!enabled) {
    params.Grayed = true;
    params.Blend = 50;
  }
  TPrepared pic;
  if (!Prepare(index, params, pic)) return;
  const TPoint org = canvas.ViewportOrg();
  for (const TRect& clip : canvas.DeviceClipRects())
    Composite(canvas.Target(), {x + org.X, y + org.Y}, clip, pic);
}

}  // namespace qv
