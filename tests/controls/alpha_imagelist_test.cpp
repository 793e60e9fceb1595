// The alpha image list: the decode cache, native drawings per size, pictures
// without alpha, palette transparency, damaged files, sizes without an image,
// frames, the drawing options, the platform's drawing and the stored form.
#include "controls/alpha_imagelist.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "paint/compositing.h"
#include "paint/resample.h"
#include "platform/acPNG.h"
#include "platform/component/reader.h"
#include "platform/png_write.h"
#include "platform/resources.h"
#include "platform/stream/description.h"
#include "platform/window/metrics.h"
#include "skin/color_transforms.h"
#include "skin/skin_dialogs.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A picture whose pixels all differ: colour ramps, a tag in red, and columns
// transparent, half and fully opaque.
TBitmap32 Pattern(int size, std::uint8_t tag) {
  TBitmap32 b(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      b.Pixel(x, y) = {static_cast<std::uint8_t>(x * 255 / size),
                       static_cast<std::uint8_t>(y * 255 / size), tag,
                       static_cast<std::uint8_t>(x < size / 4   ? 0
                                                 : x < size / 2 ? 128
                                                                : 255)};
  return b;
}

Bytes Png(const TBitmap32& b) { return EncodePng(b); }

TBitmap32 Decoded(const Bytes& png) { return LoadPngImage(png); }

bool SamePixels(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.ScanLine(y), b.ScanLine(y), sizeof(TBGRA) * a.Width()) != 0) return false;
  return true;
}

TBitmap32 Resampled(const TBitmap32& src, int w, int h) {
  TBitmap32 out;
  EXPECT_TRUE(Resample(src, out, w, h));
  return out;
}

TBitmap32 Filled(int w, int h, TBGRA p) {
  TBitmap32 b(w, h);
  b.Fill(p);
  return b;
}

void PutBE(Bytes& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  PutBE(out, static_cast<std::uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBE(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// An 8-bit palette PNG of w x h indexes with alpha per palette entry (tRNS).
Bytes PalettePng(int w, int h, const std::vector<TBGRA>& palette, const Bytes& alpha,
                 const Bytes& indexes) {
  Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  Bytes ihdr;
  PutBE(ihdr, static_cast<std::uint32_t>(w));
  PutBE(ihdr, static_cast<std::uint32_t>(h));
  ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});
  Chunk(out, "IHDR", ihdr);
  Bytes plte;
  for (const TBGRA& p : palette) plte.insert(plte.end(), {p.R, p.G, p.B});
  Chunk(out, "PLTE", plte);
  Chunk(out, "tRNS", alpha);
  Bytes raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), indexes.begin() + y * w, indexes.begin() + (y + 1) * w);
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes idat(size);
  EXPECT_EQ(compress(idat.data(), &size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
  idat.resize(size);
  Chunk(out, "IDAT", idat);
  Chunk(out, "IEND", {});
  return out;
}

// Source-over of one pixel with alpha a as the compositing primitive does it.
TBGRA Over(TBGRA d, TBGRA s, int a) {
  const auto mix = [a](int sv, int dv) {
    return static_cast<std::uint8_t>((a * (sv - dv) + dv * 256) >> 8);
  };
  return {mix(s.B, d.B), mix(s.G, d.G), mix(s.R, d.R),
          static_cast<std::uint8_t>(std::max<int>(d.A, (a * (a - d.A) + d.A * 256) >> 8))};
}

TEST(AlphaImageList, OneDecodeWithTheCacheAndAnotherSizeReplacesIt) {
  TsAlphaImageList list(nullptr);
  const TBitmap32 design = Pattern(16, 16);
  list.AddPng(Png(design));
  TsImgListItem& item = list.Items()[0];
  EXPECT_EQ(item.OrigWidth, 16);
  const TBitmap32 first = list.CreateBitmap32(0, 16, 16);
  EXPECT_TRUE(SamePixels(first, design));

  // Damage the stored file: only a new decode would notice.
  item.ImgData.Seek(40, 0);
  const Bytes junk(16, 0xEE);
  item.ImgData.Write(junk.data(), static_cast<std::int64_t>(junk.size()));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 16, 16), first));
  // Another size has to decode; the 16-pixel cache entry is dropped for it.
  EXPECT_TRUE(list.CreateBitmap32(0, 20, 20).Empty());
  EXPECT_TRUE(item.CacheBmp.Empty());
  TBitmap32 direct(16, 16);
  EXPECT_THROW(list.GetBitmap32(0, direct), EPngError);

  // Without the cache every request decodes.
  TsAlphaImageList uncached(nullptr);
  uncached.SetUseCache(false);
  uncached.AddPng(Png(design));
  EXPECT_TRUE(uncached.Items()[0].CacheBmp.Empty());
  uncached.Items()[0].ImgData.Seek(40, 0);
  uncached.Items()[0].ImgData.Write(junk.data(), static_cast<std::int64_t>(junk.size()));
  EXPECT_TRUE(uncached.CreateBitmap32(0, 16, 16).Empty());

  // A 20 x 20 request of the 16 x 16 item is resampled and becomes the cache.
  TsAlphaImageList fresh(nullptr);
  fresh.AddPng(Png(design));
  const TBitmap32 big = fresh.CreateBitmap32(0, 20, 20);
  EXPECT_TRUE(SamePixels(big, Resampled(design, 20, 20)));
  EXPECT_TRUE(SamePixels(fresh.Items()[0].CacheBmp, big));
}

TEST(AlphaImageList, NativeDrawingsServeTheirSizeAndTheNearestLargerOneTheRest) {
  const Bytes p16 = Png(Pattern(16, 16)), p20 = Png(Pattern(20, 20)), p32 = Png(Pattern(32, 32));
  TsAlphaImageList list(nullptr);
  auto item = std::make_unique<TsImgListItem>();
  item->ImgData = TMemoryStream(p16);
  item->SizedImgData = {{0, 0, p32}, {0, 0, p20}};
  list.AddStoredItem(std::move(item));
  const TsImgListItem& stored = list.Items()[0];
  ASSERT_EQ(stored.SizedImgData.size(), 2u);
  EXPECT_EQ(stored.SizedImgData[0].Width, 20);  // sizes read from the files, smallest first
  EXPECT_EQ(stored.SizedImgData[1].Height, 32);

  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 20, 20), Decoded(p20)));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 32, 32), Decoded(p32)));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 24, 24), Resampled(Decoded(p32), 24, 24)));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 12, 12), Resampled(Decoded(p16), 12, 12)));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 40, 40), Resampled(Decoded(p32), 40, 40)));

  // A picture too small to filter is stretched instead.
  list.AddPng(Png(Filled(1, 1, {1, 2, 3, 255})));
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(1, 16, 16), Filled(16, 16, {1, 2, 3, 255})));

  // A sized drawing that is not a picture refuses the item as a whole.
  auto bad = std::make_unique<TsImgListItem>();
  bad->ImgData = TMemoryStream(p16);
  bad->SizedImgData = {{0, 0, Bytes{1, 2, 3}}};
  EXPECT_THROW(list.AddStoredItem(std::move(bad)), EInvalidGraphic);
  EXPECT_EQ(list.Items().Count(), 2);
}

TEST(AlphaImageList, APictureWithoutAnyAlphaIsDrawnOpaque) {
  TBitmap32 flat = Pattern(16, 90);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) flat.Pixel(x, y).A = 0;
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(flat));
  const TBGRA white{255, 255, 255, 255};
  TBitmap32 dst = Filled(20, 20, white);
  EXPECT_EQ(list.DrawImage(dst, {2, 3}, 0, {}), Bounds(2, 3, 16, 16));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      TBGRA s = flat.Pixel(x, y);
      ASSERT_EQ(dst.Pixel(x + 2, y + 3), Over(white, s, 255)) << x << "," << y;
    }
  // One visible pixel is enough for the alpha to be taken as it stands.
  flat.Pixel(15, 15).A = 1;
  list.AddPng(Png(flat));
  EXPECT_EQ(list.CreateBitmap32(1, 16, 16).Pixel(0, 0).A, 0);
}

TEST(AlphaImageList, APaletteImageIsTransparentPerPaletteIndex) {
  const std::vector<TBGRA> palette = {{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  const Bytes png = PalettePng(4, 2, palette, {0, 128}, {0, 1, 2, 2, 2, 1, 0, 0});
  TsAlphaImageList list(nullptr);
  list.SetSize(4, 2);
  list.AddPng(png);
  const TBGRA grey{100, 100, 100, 255};
  TBitmap32 dst = Filled(4, 2, grey);
  list.DrawImage(dst, {0, 0}, 0, {});
  const int alpha[3] = {0, 128, 255};
  const int idx[8] = {0, 1, 2, 2, 2, 1, 0, 0};
  for (int i = 0; i < 8; ++i) {
    const TBGRA s = palette[static_cast<std::size_t>(idx[i])];
    EXPECT_EQ(dst.Pixel(i % 4, i / 4), alpha[idx[i]] ? Over(grey, s, alpha[idx[i]]) : grey) << i;
  }
}

TEST(AlphaImageList, ACorruptedCrcLeavesTheListUnchangedAndTheLoaderSaysSo) {
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(Pattern(16, 1)));
  Bytes bad = Png(Pattern(16, 2));
  bad[bad.size() - 13] ^= 0x55;  // the image data's CRC, just before IEND
  static int seen = 0;
  seen = 0;
  list.OnChange = [](TObject*) { ++seen; };

  TMemoryStream stream(bad);
  EXPECT_FALSE(list.TryLoadFromPngStream(stream));
  EXPECT_EQ(stream.Position(), 0);
  try {
    list.AddPng(bad);
    ADD_FAILURE() << "a damaged file was added";
  } catch (const EPngError& e) {
    EXPECT_NE(std::string(e.what()).find("CRC error"), std::string::npos) << e.what();
  }
  std::vector<std::u16string> shown;
  const TSkinMessageHook previous =
      SetSkinMessageHook([&](TacMessageKind, ustring_view text) { shown.emplace_back(text); });
  EXPECT_FALSE(list.LoadFromPngStream(stream));
  EXPECT_FALSE(list.LoadFromFile("/nonexistent/picture.png"));
  SetSkinMessageHook(previous);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], u"Cannot load from stream\r\nInvalid or unexpected image format.");
  EXPECT_EQ(list.Items().Count(), 1);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(seen, 0);

  // A good file behind other bytes: read from the position, which ends at the end.
  Bytes good = {1, 2, 3};
  const Bytes png = Png(Pattern(16, 3));
  good.insert(good.end(), png.begin(), png.end());
  TMemoryStream tail(good);
  tail.Seek(3, 0);
  EXPECT_TRUE(list.TryLoadFromPngStream(tail));
  EXPECT_EQ(tail.Position(), tail.Size());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(seen, 1);
}

TEST(AlphaImageList, AZeroWidthOrHeightMeansNoImage) {
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(Pattern(16, 4)));
  TBitmap32 dst = Filled(32, 32, {1, 2, 3, 4});
  TCanvas canvas(dst);
  for (auto [w, h] : {std::pair{0, 16}, std::pair{16, 0}, std::pair{0, 0}}) {
    list.SetSize(w, h);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ImageSize(144), (TSize{0, 0}));
    EXPECT_TRUE(list.DrawImage(dst, {0, 0}, 0, {}).IsEmpty());
    list.Draw(canvas, 0, 0, 0);
    EXPECT_TRUE(SamePixels(dst, Filled(32, 32, {1, 2, 3, 4})));
  }
  EXPECT_EQ(list.Items().Count(), 1);  // the items stay
  list.SetSize(16, 16);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.SetWidth(-1), std::invalid_argument);
  EXPECT_THROW(list.SetHeight(TsAlphaImageList::kMaxDesignSize + 1), std::invalid_argument);
  EXPECT_EQ(list.DesignHeight(), 16);
}

TEST(AlphaImageList, TheFrameNumberIsClampedAtBothEnds) {
  TBitmap32 strip(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      strip.Pixel(x, y) = x < 8 ? TBGRA{0, 0, 255, 255} : TBGRA{255, 0, 0, 255};
  TsAlphaImageList list(nullptr);
  list.Add(strip);
  // The one colour the drawn frame has: L (red, the left frame) or R (blue).
  const auto frame_colour = [&](int frame, int count) {
    TBitmap32 dst = Filled(16, 16, {0, 0, 0, 255});
    TsImageDrawParams p;
    p.Frame = frame;
    p.FrameCount = count;
    const TRect r = list.DrawImage(dst, {0, 0}, 0, p);
    if (r != Bounds(0, 0, 8, 16)) return '?';
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 8; ++x)
        if (!(dst.Pixel(x, y) == dst.Pixel(0, 0))) return '?';
    return dst.Pixel(0, 0).R == 254 ? 'L' : dst.Pixel(0, 0).B == 254 ? 'R' : '?';
  };
  EXPECT_EQ(frame_colour(-3, 2), 'L');
  EXPECT_EQ(frame_colour(0, 2), 'L');
  EXPECT_EQ(frame_colour(1, 2), 'R');
  EXPECT_EQ(frame_colour(9, 2), 'R');
  // No frame count is one frame: the whole picture.
  TBitmap32 dst(16, 16);
  TsImageDrawParams none;
  none.FrameCount = 0;
  EXPECT_EQ(list.DrawImage(dst, {0, 0}, 0, none), Bounds(0, 0, 16, 16));
}

TEST(AlphaImageList, GreyBlendToneBackgroundAndDensity) {
  const TBitmap32 pic = Pattern(16, 200);
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(pic));
  const TBGRA back{40, 80, 120, 255};

  TsImageDrawParams grey;
  grey.Grayed = true;
  TBitmap32 dst = Filled(16, 16, back);
  list.DrawImage(dst, {0, 0}, 0, grey);
  const TBGRA g = dst.Pixel(15, 5);  // an opaque pixel
  EXPECT_TRUE(g.R == g.G && g.G == g.B) << int(g.R) << " " << int(g.G) << " " << int(g.B);

  // Blend 50 % is the primitive's opacity 255 - 127; the tone transform comes first.
  TsImageDrawParams blended;
  blended.Blend = 50;
  blended.ColorTone = 0xFF1A8528;  // an ARGB tint: its top byte is not a system colour
  dst = Filled(16, 16, back);
  list.DrawImage(dst, {0, 0}, 0, blended);
  TBitmap32 toned = pic;
  ApplyToBitmap(toned, TPixelOp::Tone, 0x1A8528, kNoKeyPixel);
  TBitmap32 expected = Filled(16, 16, back);
  BlendAlphaPiece(expected, toned, Rect(0, 0, 15, 15), 128, {0, 0});
  EXPECT_TRUE(SamePixels(dst, expected));

  // A background colour shows through the transparent columns.
  list.SetBkColor(clRed);
  dst = Filled(16, 16, back);
  list.DrawImage(dst, {0, 0}, 0, {});
  EXPECT_EQ(dst.Pixel(0, 0), (TBGRA{0, 0, 255, 255}));
  list.SetBkColor(clNone);

  // At 144 pixels per inch the 16-pixel design is drawn 24 pixels square.
  TsImageDrawParams dense;
  dense.PixelsPerInch = 144;
  dst = Filled(30, 30, back);
  EXPECT_EQ(list.DrawImage(dst, {3, 3}, 0, dense), Bounds(3, 3, 24, 24));
  EXPECT_EQ(list.DrawImage(dst, {3, 3}, 1, dense), TRect{});
}

TEST(AlphaImageList, IgnoredTransparencyForeColorAndReflection) {
  const TBitmap32 pic = Pattern(16, 7);
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(pic));
  TBitmap32 dst = Filled(16, 40, {9, 9, 9, 9});
  list.SetIgnoreTransparency(true);
  list.DrawImage(dst, {0, 0}, 0, {});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(dst.Pixel(x, y), pic.Pixel(x, y));
  list.SetIgnoreTransparency(false);

  list.SetForeColor(RGB(10, 20, 30));
  const TBitmap32 fore = list.CreateBitmap32(0, 16, 16);
  EXPECT_EQ(fore.Pixel(12, 3), (TBGRA{30, 20, 10, 255}));
  EXPECT_EQ(fore.Pixel(1, 3), (TBGRA{30, 20, 10, 0}));
  EXPECT_EQ(list.Image(0)->Pixel(12, 3), (TBGRA{30, 20, 10, 255}));  // the platform list too
  list.SetForeColor(clNone);

  TsImageDrawParams mirrored;
  mirrored.Reflected = true;
  const TBGRA back{0, 0, 0, 255};
  dst = Filled(16, 40, back);
  list.DrawImage(dst, {0, 0}, 0, mirrored);
  // Below the picture its bottom row, faint; fading out over half its height.
  const TBGRA bottom = pic.Pixel(15, 15), under = dst.Pixel(15, 16);
  EXPECT_GT(under.B, 0);
  EXPECT_LT(under.B, bottom.B / 2);
  EXPECT_GT(dst.Pixel(15, 16).B, dst.Pixel(15, 22).B);
  EXPECT_EQ(dst.Pixel(15, 24), back);
}

TEST(AlphaImageList, ThePlatformDrawIsAnsweredThroughTheCanvasClipAndOrigin) {
  TsAlphaImageList list(nullptr);
  list.AddPng(Png(Pattern(16, 50)));
  const TBGRA back{200, 200, 200, 255};
  TBitmap32 expected = Filled(30, 30, back);
  list.DrawImage(expected, {7, 6}, 0, {});

  TBitmap32 dst = Filled(30, 30, back);
  TCanvas canvas(dst);
  canvas.SetViewportOrg({5, 5});
  canvas.IntersectClipRect(Rect(0, 0, 10, 30));  // device columns 5 .. 14
  const TCustomImageList& plain = list;
  plain.Draw(canvas, 2, 1, 0);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(dst.Pixel(x, y), x >= 5 && x < 15 ? expected.Pixel(x, y) : back) << x << "," << y;

  // Disabled: grey and half transparent.
  TBitmap32 off = Filled(16, 16, back);
  TCanvas off_canvas(off);
  plain.Draw(off_canvas, 0, 0, 0, false);
  TsImageDrawParams p;
  p.Grayed = true;
  p.Blend = 50;
  TBitmap32 want = Filled(16, 16, back);
  list.DrawImage(want, {0, 0}, 0, p);
  EXPECT_TRUE(SamePixels(off, want));
}

TEST(AlphaImageList, EditingKeepsThePlatformListInStepWithOneChangeEach) {
  TsAlphaImageList list(nullptr);
  static int seen = 0;
  seen = 0;
  list.OnChange = [](TObject*) { ++seen; };
  // A bottom-up bitmap becomes a 32-bit bitmap item that gives it back as it was.
  TBitmap32 bmp(16, 16, TRowOrder::BottomUp);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) bmp.Pixel(x, y) = Pattern(16, 5).Pixel(x, y);
  EXPECT_EQ(list.Add(bmp), 0);
  EXPECT_EQ(list.Items()[0].ImageFormat, TsImageFormat::ifBMP32);
  list.SetUseCache(false);
  EXPECT_TRUE(SamePixels(list.CreateBitmap32(0, 16, 16), Pattern(16, 5)));
  list.AddPng(Png(Pattern(16, 6)));
  list.AddPng(Png(Pattern(16, 7)));
  EXPECT_EQ(seen, 3);
  list.MoveItem(2, 0);
  EXPECT_EQ(list.Image(0)->Pixel(8, 0).R, 7);
  list.Delete(1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(seen, 5);

  TsAlphaImageList other(nullptr);
  EXPECT_EQ(other.AddImage(list, 1), 0);
  EXPECT_EQ(other.AddImage(list, 5), -1);
  other.CopyImages(list);
  EXPECT_EQ(other.Count(), 2);
  EXPECT_EQ(other.Image(0)->Pixel(8, 0).R, 7);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);

  // Pictures put into the platform list directly become items.
  other.TCustomImageList::Add(Pattern(16, 9));
  other.UpdateFromStd();
  EXPECT_EQ(other.Items().Count(), 3);
  EXPECT_EQ(other.CreateBitmap32(2, 16, 16).Pixel(8, 0).R, 9);

  // The platform list follows the density unless scaling is off.
  other.SetPixelsPerInch(192);
  EXPECT_EQ(other.Width(), 32);
  EXPECT_EQ(other.Count(), 3);
  other.SetAllowScale(false);
  EXPECT_EQ(other.Width(), 16);
}

// Files of the stored description's test, registered once.
void RegisterTestFiles() {
  static const Bytes p16 = Png(Pattern(16, 16)), p20 = Png(Pattern(20, 20)),
                     p24 = Png(Pattern(24, 24));
  static const Bytes bad = [] {
    Bytes b = Png(Pattern(16, 1));
    b[b.size() - 13] ^= 1;
    return b;
  }();
  static const TResourceRegistration r16("alpha_test/16.png", p16.data(), p16.size());
  static const TResourceRegistration r20("alpha_test/20.png", p20.data(), p20.size());
  static const TResourceRegistration r24("alpha_test/24.png", p24.data(), p24.size());
  static const TResourceRegistration rbad("alpha_test/bad.png", bad.data(), bad.size());
}

std::unique_ptr<TComponent> ReadList(const std::string& list_body) {
  RegisterAlphaImageListClasses();
  RegisterTestFiles();
  const std::string text =
      "object Root: TComponent\n  object Icons: TsAlphaImageList\n" + list_body + "  end\nend\n";
  auto root = std::make_unique<TComponent>(nullptr);
  TReader reader("form.qvd");
  reader.ReadRoot(ParseDescription(text, "form.qvd"), *root);
  return root;
}

TEST(AlphaImageList, TheStoredListIsMadeForTheScreenItIsShownOn) {
  SetSystemDpi(144);
  const auto root = ReadList(R"(    Items = <
      item
        ImageFormat = ifPNG
        ImgData = {alpha_test/16.png}
        SizedImgData = (
          {alpha_test/24.png}
          {alpha_test/20.png})
      end>
)");
  SetSystemDpi(96);
  auto* icons = dynamic_cast<TsAlphaImageList*>(root->FindComponent("Icons"));
  ASSERT_TRUE(icons);
  EXPECT_EQ(icons->DesignWidth(), 16);
  EXPECT_EQ(icons->Width(), 24);
  ASSERT_EQ(icons->Count(), 1);
  EXPECT_TRUE(SamePixels(*icons->Image(0), Pattern(24, 24)));
  icons->SetPixelsPerInch(120);
  EXPECT_TRUE(SamePixels(*icons->Image(0), Pattern(20, 20)));

  const auto plain = ReadList(
      "    Width = 0\n    Items = <\n      item\n        ImgData = {alpha_test/16.png}\n      "
      "end>\n");
  EXPECT_EQ(dynamic_cast<TImageList*>(plain->FindComponent("Icons"))->Count(), 0);
  try {
    ReadList("    Height = -4\n");
    ADD_FAILURE() << "a negative height was read";
  } catch (const TDescriptionError& e) {
    EXPECT_NE(std::string(e.what()).find("form.qvd:3:"), std::string::npos) << e.what();
  }
}

TEST(AlphaImageList, AStoredItemThatCannotBeDecodedIsAnErrorAtItsLine) {
  const auto error = [](const std::string& item) {
    try {
      ReadList("    Items = <\n      item\n" + item + "      end>\n");
    } catch (const TDescriptionError& e) {
      return std::string(e.what());
    }
    return std::string("read");
  };
  const std::string crc =
      error("        ImageFormat = ifPNG\n        ImgData = {alpha_test/bad.png}\n");
  EXPECT_NE(crc.find("form.qvd:6:"), std::string::npos) << crc;
  EXPECT_NE(crc.find("CRC error"), std::string::npos) << crc;
  EXPECT_NE(error("        ImageFormat = ifICO\n        ImgData = {alpha_test/16.png}\n")
                .find("not supported"),
            std::string::npos);
  EXPECT_NE(error("        ImageName = 'x'\n").find("without ImgData"), std::string::npos);
  EXPECT_NE(
      error(
          "        ImgData = {alpha_test/16.png}\n        SizedImgData = ({alpha_test/bad.png})\n")
          .find("CRC error"),
      std::string::npos);
}

}  // namespace
}  // namespace qv
