// Finding and decoding the images of a skin.
#include "skin/skin_images.h"

#include "platform/acPNG.h"
#include "platform/image_bmp.h"
#include "platform/image_jpeg.h"
#include "skin/skin_paths.h"

namespace qv {

namespace {

bool Contains(ustring_view upper, ustring_view part) { return upper.find(part) != ustring::npos; }

bool IsMagenta(const TBGRA& p) { return p.R == 0xFF && p.G == 0 && p.B == 0xFF; }

// A PNG carries alpha when its colour type has it or it has key transparency.
TBitmap32 DecodePng(TByteView bytes, bool& has_alpha) {
  TPngInfo info;
  TBitmap32 b = LoadPngImage(bytes, {}, &info);
  has_alpha = info.ColorType == 4 || info.ColorType == 6 || info.HasTransparency;
  return b;
}

}  // namespace

ustring TacSkinFiles::FolderPath(ustring_view name) const {
  const ustring n = ToSlashes(name);
  if (n.find(u':') != ustring::npos || n.starts_with(u"/")) return n;
  return WithTrailingSeparator(ToSlashes(skin_path_)) + n;
}

std::optional<TacSkinFiles::TFile> TacSkinFiles::Read(ustring_view name) const {
  if (name.empty()) return std::nullopt;
  if (package_) {
    const TacFileItem* item = package_->FindFile(name);
    if (!item) return std::nullopt;
    return TFile{item->Stream, {}};
  }
  if (skin_path_.empty()) return std::nullopt;
  auto bytes = ReadWholeFile(FsPath(FolderPath(name)));
  if (!bytes) return std::nullopt;
  TFile f;
  f.Owned = std::move(*bytes);
  f.Bytes = f.Owned;
  return f;
}

ustring TacSkinFiles::Describe(ustring_view name) const {
  return package_ ? ustring(name) : FolderPath(name);
}

void MakeKeyTransparent(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x)
      row[x] = IsMagenta(row[x]) ? kKeyPixel : TBGRA{row[x].B, row[x].G, row[x].R, 255};
  }
  bmp.PixelFormat = TPixelFormat::pf32bit;
}

void PremultiplyAlpha(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      TBGRA& p = row[x];
      if (p == TBGRA{0xFF, 0xFF, 0xFF, 0}) {
        p = {};
        continue;
      }
      p.B = static_cast<std::uint8_t>(p.B * p.A / 256);
      p.G = static_cast<std::uint8_t>(p.G * p.A / 256);
      p.R = static_cast<std::uint8_t>(p.R * p.A / 256);
    }
  }
}

TBitmap32 DecodeSkinImage(TByteView bytes, ustring_view upper_name) {
  TBitmap32 b;
  bool has_alpha = false;
  if (Contains(upper_name, u".BMP")) {
    b = DecodeBmp(bytes);
    has_alpha = b.PixelFormat == TPixelFormat::pf32bit;
  } else if (Contains(upper_name, u".JPG") || Contains(upper_name, u".JPEG")) {
    b = DecodeJpeg(bytes);
  } else if (Contains(upper_name, u".PNG")) {
    b = DecodePng(bytes, has_alpha);
  } else {
    throw EInvalidGraphic("The image " + Utf16ToUtf8(upper_name) + " is of an unknown kind.");
  }
  if (!has_alpha) MakeKeyTransparent(b);
  b.PixelFormat = TPixelFormat::pf32bit;
  return b;
}

TBitmap32 DecodeMasterBitmap(TByteView bytes, ustring_view upper_name) {
  TBitmap32 b;
  bool has_alpha = false;
  if (Contains(upper_name, u".PNG")) {
    b = DecodePng(bytes, has_alpha);
    if (has_alpha) {
      for (int y = 0; y < b.Height(); ++y) {
        TBGRA* row = b.ScanLine(y);
        for (int x = 0; x < b.Width(); ++x)
          if (IsMagenta(row[x]) && row[x].A == 255) row[x].A = 0;
      }
    }
  } else {
    b = DecodeBmp(bytes);
    has_alpha = b.PixelFormat == TPixelFormat::pf32bit;
  }
  if (!has_alpha) MakeKeyTransparent(b);
  b.PixelFormat = TPixelFormat::pf32bit;
  b.Transparent = true;
  b.TransparentColor = clKeyColor;
  return b;
}

}  // namespace qv
