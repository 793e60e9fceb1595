// acPNG: chunk reading, inflation, filter reversal and colour conversion of the
// PNG decoder. The file is walked twice: once over the chunks (lengths, CRCs,
// order, the small chunks), then over the image data, which is inflated one
// scanline at a time into two row buffers and converted straight into the
// bitmap.
#include "platform/acPNG.h"

#include <zlib.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace qv {
namespace {

constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Deflate cannot expand one input byte to more than 1032 output bytes, so image
// data larger than that bound is known to be truncated before anything is
// allocated for it.
constexpr std::uint64_t kMaxInflateRatio = 1032;

[[noreturn]] void Fail(const std::string& message) { throw EPngError(message); }
[[noreturn]] void FailFormat() {
  Fail("Cannot load image. Invalid or unexpected PNG image format.");
}
[[noreturn]] void FailNotSupported(const std::string& feature) {
  Fail("Cannot load image. " + feature + " not supported for PNG files.");
}
[[noreturn]] void FailPalette() { Fail("Cannot load image. Palette in PNG file is invalid."); }
[[noreturn]] void FailCritical() {
  Fail("Cannot load PNG image. Unexpected but critical chunk detected.");
}
[[noreturn]] void FailCrc() { Fail("Cannot load image. CRC error found in PNG file."); }
[[noreturn]] void FailExtra() {
  Fail("Cannot load image. Extra compressed data found in PNG file.");
}
[[noreturn]] void FailCompression() {
  Fail("Cannot load image. Compression error found in PNG file.");
}
[[noreturn]] void FailColorFormat() { Fail("Invalid color format in PNG file."); }
[[noreturn]] void FailLZ77() { Fail("LZ77 decompression error."); }
[[noreturn]] void FailDepth() {
  Fail("Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.");
}

constexpr std::uint32_t Tag(char a, char b, char c, char d) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(d));
}
constexpr std::uint32_t kIHDR = Tag('I', 'H', 'D', 'R');
constexpr std::uint32_t kPLTE = Tag('P', 'L', 'T', 'E');
constexpr std::uint32_t kIDAT = Tag('I', 'D', 'A', 'T');
constexpr std::uint32_t kIEND = Tag('I', 'E', 'N', 'D');
constexpr std::uint32_t ktRNS = Tag('t', 'R', 'N', 'S');
constexpr std::uint32_t kgAMA = Tag('g', 'A', 'M', 'A');
constexpr std::uint32_t kbKGD = Tag('b', 'K', 'G', 'D');

std::uint32_t ReadBE32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
         static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}
unsigned ReadBE16(const std::uint8_t* p) { return static_cast<unsigned>(p[0]) << 8 | p[1]; }

bool IsChunkLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool ValidDepth(int bits) { return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16; }

int SamplesOf(TPngColorScheme scheme) {
  switch (scheme) {
    case TPngColorScheme::csGray:
    case TPngColorScheme::csIndexed:
      return 1;
    case TPngColorScheme::csGrayAlpha:
      return 2;
    case TPngColorScheme::csRGB:
      return 3;
    case TPngColorScheme::csRGBA:
      return 4;
  }
  return 0;
}

// 16-bit to 8-bit with rounding, v * 255 / 65535, as the PNG standard suggests.
inline std::uint8_t Scale16(unsigned v) {
  return static_cast<std::uint8_t>((v * 255 + 32767) / 65535);
}

// Adam7 passes: first column, first row, column step, row step.
struct TPass {
  int X0, Y0, DX, DY;
};
constexpr TPass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr TPass kWhole = {0, 0, 1, 1};

int PassExtent(int size, int start, int step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

#ifdef __SSE2__
// Sub, Average and Paeth chain each pixel to the one on its left, so only the
// channels of one pixel run side by side; for 3- and 4-byte pixels that still
// beats the byte loop by a wide margin. Pixels are widened to 16-bit lanes.
template <std::size_t kBpp>
__m128i LoadPixel(const std::uint8_t* p) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, kBpp);
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(v)), _mm_setzero_si128());
}

template <std::size_t kBpp>
void StorePixel(std::uint8_t* p, __m128i v) {
  const auto packed = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
  std::memcpy(p, &packed, kBpp);
}

inline __m128i Abs16(__m128i v) { return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v)); }

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// `type` is 1, 3 or 4; `len` a multiple of kBpp.
template <std::size_t kBpp>
void UnfilterPixels(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev,
                    std::size_t len) {
  const __m128i low_byte = _mm_set1_epi16(0xFF);
  __m128i a = _mm_setzero_si128(), c = _mm_setzero_si128();
  for (std::size_t i = 0; i < len; i += kBpp) {
    const __m128i x = LoadPixel<kBpp>(row + i);
    if (type == 1) {
      a = _mm_and_si128(_mm_add_epi16(x, a), low_byte);
    } else if (type == 3) {
      const __m128i b = LoadPixel<kBpp>(prev + i);
      a = _mm_and_si128(_mm_add_epi16(x, _mm_srli_epi16(_mm_add_epi16(a, b), 1)), low_byte);
    } else {
      const __m128i b = LoadPixel<kBpp>(prev + i);
      const __m128i pa_signed = _mm_sub_epi16(b, c);
      const __m128i pb_signed = _mm_sub_epi16(a, c);
      const __m128i pa = Abs16(pa_signed), pb = Abs16(pb_signed);
      const __m128i pc = Abs16(_mm_add_epi16(pa_signed, pb_signed));
      const __m128i smallest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
      const __m128i pred =
          Select(_mm_cmpeq_epi16(smallest, pa), a, Select(_mm_cmpeq_epi16(smallest, pb), b, c));
      a = _mm_and_si128(_mm_add_epi16(x, pred), low_byte);
      c = b;
    }
    StorePixel<kBpp>(row + i, a);
  }
}
#endif

// Undoes one scanline's filter in place; `prev` is the unfiltered row above
// (zeros for the first row of a pass).
void Unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* prev, std::size_t len,
              std::size_t bpp) {
#ifdef __SSE2__
  if (type == 1 || type == 3 || type == 4) {
    if (bpp == 4) return UnfilterPixels<4>(type, row, prev, len);
    if (bpp == 3) return UnfilterPixels<3>(type, row, prev, len);
  }
#endif
  switch (type) {
    case 0:
      return;
    case 1:
      for (std::size_t i = bpp; i < len; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
      return;
    case 2:
      for (std::size_t i = 0; i < len; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
      return;
    case 3:
      for (std::size_t i = 0; i < bpp && i < len; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + (prev[i] >> 1));
      for (std::size_t i = bpp; i < len; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - bpp] + prev[i]) >> 1));
      return;
    case 4:
      for (std::size_t i = 0; i < bpp && i < len; ++i)
        row[i] = static_cast<std::uint8_t>(row[i] + prev[i]);
      for (std::size_t i = bpp; i < len; ++i) {
        const int a = row[i - bpp], b = prev[i], c = prev[i - bpp];
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
        row[i] = static_cast<std::uint8_t>(row[i] + pred);
      }
      return;
    default:
      FailFormat();
  }
}

// The zlib stream spread over the IDAT chunks, inflated on demand.
class TImageDataStream {
 public:
  explicit TImageDataStream(const std::vector<std::span<const std::uint8_t>>& parts)
      : parts_(parts) {
    CheckHeader();
    if (inflateInit(&zs_) != Z_OK) FailCompression();
  }
  ~TImageDataStream() { inflateEnd(&zs_); }
  TImageDataStream(const TImageDataStream&) = delete;
  TImageDataStream& operator=(const TImageDataStream&) = delete;

  // Fills exactly `n` bytes; running out of data is an error.
  void Read(std::uint8_t* out, std::size_t n) {
    zs_.next_out = out;
    zs_.avail_out = static_cast<uInt>(n);
    while (zs_.avail_out > 0)
      if (ended_ || !Step()) FailCompression();
  }

  // After the last row: the stream must yield nothing more. A stream whose end
  // marker or checksum is cut off is taken as it is, since the image is whole.
  void Finish() {
    std::uint8_t spare;
    while (!ended_) {
      zs_.next_out = &spare;
      zs_.avail_out = 1;
      if (!Step()) return;
      if (zs_.avail_out == 0) FailExtra();
    }
  }

 private:
  // One inflate call; false when all input is used up and nothing moved.
  bool Step() {
    while (zs_.avail_in == 0 && next_part_ < parts_.size()) {
      const auto& part = parts_[next_part_++];
      zs_.next_in = const_cast<Bytef*>(part.data());
      zs_.avail_in = static_cast<uInt>(part.size());
    }
    const int r = inflate(&zs_, Z_NO_FLUSH);
    if (r == Z_STREAM_END) {
      ended_ = true;
      return true;
    }
    if (r == Z_OK) return true;
    if (r == Z_BUF_ERROR && zs_.avail_in == 0) return false;
    // The wrapper's Adler-32 is the only data error outside the LZ77 stream
    // itself (the header was checked before inflating).
    if (r == Z_DATA_ERROR && zs_.msg && std::strcmp(zs_.msg, "incorrect data check") == 0)
      FailCompression();
    if (r == Z_MEM_ERROR) throw std::bad_alloc();
    FailLZ77();
  }

  void CheckHeader() {
    std::uint8_t head[2];
    std::size_t got = 0;
    for (const auto& part : parts_)
      for (std::size_t i = 0; i < part.size() && got < 2; ++i) head[got++] = part[i];
    if (got < 2) FailCompression();
    const unsigned cmf = head[0], flg = head[1];
    if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20) != 0)
      FailCompression();
  }

  const std::vector<std::span<const std::uint8_t>>& parts_;
  std::size_t next_part_ = 0;
  z_stream zs_{};
  bool ended_ = false;
};

class TPngDecoder {
 public:
  TPngDecoder(std::span<const std::uint8_t> data, const TPngLoadOptions& options)
      : data_(data), options_(options) {}

  TBitmap32 Run(TPngInfo* info) {
    ReadChunks();
    TBitmap32 bmp(width_, height_);
    DecodeImage(bmp);
    Finish(bmp);
    if (info) *info = info_;
    return bmp;
  }

 private:
  void ReadChunks() {
    if (!IsPngData(data_)) FailFormat();
    std::size_t pos = sizeof kSignature;
    bool seen_header = false, seen_palette = false, in_data = false, after_data = false;
    std::uint64_t data_bytes = 0;
    for (;;) {
      if (data_.size() - pos < 12) FailFormat();
      const std::uint8_t* p = data_.data() + pos;
      const std::uint32_t length = ReadBE32(p);
      if (length > 0x7FFFFFFFu || length > data_.size() - pos - 12) FailFormat();
      const std::uint32_t type = ReadBE32(p + 4);
      for (int i = 4; i < 8; ++i)
        if (!IsChunkLetter(p[i])) FailFormat();
      const uLong crc = crc32(0, p + 4, length + 4);
      if (crc != ReadBE32(p + 8 + length)) FailCrc();
      const std::uint8_t* body = p + 8;
      pos += 12 + static_cast<std::size_t>(length);

      if (!seen_header && type != kIHDR) FailFormat();
      if (in_data && type != kIDAT) {
        in_data = false;
        after_data = true;
      }
      if (type == kIHDR) {
        if (seen_header) FailFormat();
        seen_header = true;
        ReadHeader(body, length);
      } else if (type == kPLTE) {
        if (seen_palette || in_data || after_data) FailFormat();
        seen_palette = true;
        ReadPalette(body, length);
      } else if (type == kIDAT) {
        if (after_data) FailFormat();
        if (color_type_ == 3 && !seen_palette) FailPalette();
        in_data = true;
        data_bytes += length;
        if (length > 0) parts_.emplace_back(body, length);
      } else if (type == kIEND) {
        break;
      } else if (type == ktRNS) {
        if (!in_data && !after_data) ReadTransparency(body, length, seen_palette);
      } else if (type == kgAMA) {
        if (!in_data && !after_data && length == 4 && info_.Gamma == 0) {
          const std::uint32_t g = ReadBE32(body);
          if (g > 0) info_.Gamma = g / 100000.0;
        }
      } else if (type == kbKGD) {
        if (!in_data && !after_data) ReadBackground(body, length, seen_palette);
      } else if ((p[4] & 0x20) == 0) {
        FailCritical();
      }
      // Other ancillary chunks carry nothing the program uses.
    }
    if (!in_data && !after_data) FailFormat();  // no image data at all

    std::uint64_t raw = 0;
    for (const TPass& pass : Passes()) {
      const int pw = PassExtent(width_, pass.X0, pass.DX);
      const int ph = PassExtent(height_, pass.Y0, pass.DY);
      if (pw > 0 && ph > 0) raw += static_cast<std::uint64_t>(RowBytes(pw) + 1) * ph;
    }
    if (raw > data_bytes * kMaxInflateRatio + 1024) FailCompression();
  }

  void ReadHeader(const std::uint8_t* p, std::uint32_t length) {
    if (length != 13) FailFormat();
    const std::uint32_t w = ReadBE32(p), h = ReadBE32(p + 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) FailFormat();
    const int depth = p[8], type = p[9];
    if (type != 0 && type != 2 && type != 3 && type != 4 && type != 6) FailColorFormat();
    if (!ValidDepth(depth)) FailDepth();
    const bool combination_ok = type == 0 ? true : type == 3 ? depth <= 8 : depth >= 8;
    if (!combination_ok) FailColorFormat();
    if (p[10] != 0) FailNotSupported("Compression method " + std::to_string(p[10]));
    if (p[11] != 0) FailNotSupported("Filter method " + std::to_string(p[11]));
    if (p[12] > 1) FailNotSupported("Interlace method " + std::to_string(p[12]));
    if (w > kMaxImageSide || h > kMaxImageSide || static_cast<long long>(w) * h > kMaxImagePixels)
      FailNotSupported("Images over " + std::to_string(kMaxImageSide) + " pixels a side or " +
                       std::to_string(kMaxImagePixels / (1024 * 1024)) + " megapixels");

    width_ = static_cast<int>(w);
    height_ = static_cast<int>(h);
    depth_ = depth;
    color_type_ = type;
    interlaced_ = p[12] == 1;
    format_.Scheme = static_cast<TPngColorScheme>(type);
    format_.BitsPerSample = depth;
    format_.SamplesPerPixel = SamplesOf(format_.Scheme);
    CheckPngConversion(format_, options_.PixelFormat);

    info_.Width = width_;
    info_.Height = height_;
    info_.BitDepth = depth;
    info_.ColorType = type;
    info_.Interlaced = interlaced_;
  }

  void ReadPalette(const std::uint8_t* p, std::uint32_t length) {
    if (color_type_ == 0 || color_type_ == 4) FailPalette();
    if (length == 0 || length % 3 != 0 || length / 3 > 256) FailPalette();
    palette_count_ = static_cast<int>(length / 3);
    for (int i = 0; i < palette_count_; ++i)
      palette_[i] = {p[3 * i + 2], p[3 * i + 1], p[3 * i], 255};
  }

  void ReadTransparency(const std::uint8_t* p, std::uint32_t length, bool seen_palette) {
    if (info_.HasTransparency) return;
    switch (color_type_) {
      case 3:
        if (!seen_palette) return;  // out of place: nothing to attach it to
        if (static_cast<int>(length) > palette_count_) FailPalette();
        for (std::uint32_t i = 0; i < length; ++i) palette_[i].A = p[i];
        break;
      case 0:
        if (length != 2) FailFormat();
        key_[0] = ReadBE16(p);
        has_key_ = true;
        break;
      case 2:
        if (length != 6) FailFormat();
        key_[0] = ReadBE16(p);
        key_[1] = ReadBE16(p + 2);
        key_[2] = ReadBE16(p + 4);
        has_key_ = true;
        break;
      default:
        return;  // colour types with alpha need none; ignored
    }
    info_.HasTransparency = true;
  }

  std::uint8_t GrayTo8(unsigned v) const {
    if (depth_ == 16) return Scale16(v);
    if (depth_ == 8) return static_cast<std::uint8_t>(v);
    return static_cast<std::uint8_t>((v & ((1u << depth_) - 1)) * (255u / ((1u << depth_) - 1)));
  }

  void ReadBackground(const std::uint8_t* p, std::uint32_t length, bool seen_palette) {
    if (info_.HasBackground) return;
    if (color_type_ == 3) {
      if (!seen_palette || length != 1) return;
      if (p[0] >= palette_count_) FailPalette();
      info_.Background = PixelToColor(palette_[p[0]]);
    } else if (color_type_ == 0 || color_type_ == 4) {
      if (length != 2) return;
      const std::uint8_t g = GrayTo8(ReadBE16(p));
      info_.Background = RGB(g, g, g);
    } else {
      if (length != 6) return;
      auto c = [&](int i) {
        const unsigned v = ReadBE16(p + 2 * i);
        return depth_ == 16 ? Scale16(v) : static_cast<std::uint8_t>(v);
      };
      info_.Background = RGB(c(0), c(1), c(2));
    }
    info_.HasBackground = true;
  }

  std::span<const TPass> Passes() const {
    return interlaced_ ? std::span<const TPass>(kAdam7) : std::span<const TPass>(&kWhole, 1);
  }

  std::size_t BitsPerPixel() const {
    return static_cast<std::size_t>(format_.SamplesPerPixel) * static_cast<std::size_t>(depth_);
  }
  std::size_t RowBytes(int pixels) const {
    return (static_cast<std::size_t>(pixels) * BitsPerPixel() + 7) / 8;
  }

  void DecodeImage(TBitmap32& bmp) {
    TImageDataStream stream(parts_);
    const std::size_t bpp = std::max<std::size_t>(1, BitsPerPixel() / 8);
    const std::size_t full_row = RowBytes(width_);
    std::vector<std::uint8_t> row_a(full_row + 1), row_b(full_row + 1);
    std::vector<TBGRA> pass_row(interlaced_ ? static_cast<std::size_t>(width_) : 0);
    for (const TPass& pass : Passes()) {
      const int pw = PassExtent(width_, pass.X0, pass.DX);
      const int ph = PassExtent(height_, pass.Y0, pass.DY);
      if (pw == 0 || ph == 0) continue;
      const std::size_t len = RowBytes(pw);
      std::uint8_t* cur = row_a.data();
      std::uint8_t* prev = row_b.data();
      std::memset(prev, 0, len + 1);
      for (int j = 0; j < ph; ++j) {
        stream.Read(cur, len + 1);
        Unfilter(cur[0], cur + 1, prev + 1, len, bpp);
        const int y = pass.Y0 + j * pass.DY;
        if (!interlaced_) {
          ConvertRow(cur + 1, pw, bmp.ScanLine(y));
        } else {
          ConvertRow(cur + 1, pw, pass_row.data());
          TBGRA* line = bmp.ScanLine(y);
          for (int i = 0; i < pw; ++i) line[pass.X0 + i * pass.DX] = pass_row[i];
        }
        std::swap(cur, prev);
      }
    }
    stream.Finish();
  }

  // One unfiltered scanline of `n` pixels to BGRA.
  void ConvertRow(const std::uint8_t* s, int n, TBGRA* out) const {
    const bool key = has_key_;
    switch (format_.Scheme) {
      case TPngColorScheme::csGray:
        if (depth_ < 8) {
          const unsigned bits = static_cast<unsigned>(depth_), mask = (1u << bits) - 1;
          const unsigned scale = 255u / mask;
          for (int i = 0; i < n; ++i) {
            const unsigned bit = static_cast<unsigned>(i) * bits;
            const unsigned v = (s[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
            const auto g = static_cast<std::uint8_t>(v * scale);
            out[i] = {g, g, g, static_cast<std::uint8_t>(key && v == key_[0] ? 0 : 255)};
          }
        } else if (depth_ == 8) {
          for (int i = 0; i < n; ++i) {
            const std::uint8_t g = s[i];
            out[i] = {g, g, g, static_cast<std::uint8_t>(key && g == key_[0] ? 0 : 255)};
          }
        } else {
          for (int i = 0; i < n; ++i) {
            const unsigned v = ReadBE16(s + 2 * i);
            const std::uint8_t g = Scale16(v);
            out[i] = {g, g, g, static_cast<std::uint8_t>(key && v == key_[0] ? 0 : 255)};
          }
        }
        return;
      case TPngColorScheme::csRGB:
        if (depth_ == 8) {
          for (int i = 0; i < n; ++i, s += 3) {
            const bool clear = key && s[0] == key_[0] && s[1] == key_[1] && s[2] == key_[2];
            out[i] = {s[2], s[1], s[0], static_cast<std::uint8_t>(clear ? 0 : 255)};
          }
        } else {
          for (int i = 0; i < n; ++i, s += 6) {
            const unsigned r = ReadBE16(s), g = ReadBE16(s + 2), b = ReadBE16(s + 4);
            const bool clear = key && r == key_[0] && g == key_[1] && b == key_[2];
            out[i] = {Scale16(b), Scale16(g), Scale16(r),
                      static_cast<std::uint8_t>(clear ? 0 : 255)};
          }
        }
        return;
      case TPngColorScheme::csIndexed: {
        const unsigned bits = static_cast<unsigned>(depth_), mask = (1u << bits) - 1;
        const unsigned count = static_cast<unsigned>(palette_count_);
        for (int i = 0; i < n; ++i) {
          unsigned v;
          if (bits == 8) {
            v = s[i];
          } else {
            const unsigned bit = static_cast<unsigned>(i) * bits;
            v = (s[bit >> 3] >> (8 - bits - (bit & 7))) & mask;
          }
          if (v >= count) FailPalette();
          out[i] = palette_[v];
        }
        return;
      }
      case TPngColorScheme::csGrayAlpha:
        if (depth_ == 8) {
          for (int i = 0; i < n; ++i, s += 2) out[i] = {s[0], s[0], s[0], s[1]};
        } else {
          for (int i = 0; i < n; ++i, s += 4) {
            const std::uint8_t g = Scale16(ReadBE16(s));
            out[i] = {g, g, g, Scale16(ReadBE16(s + 2))};
          }
        }
        return;
      case TPngColorScheme::csRGBA:
        if (depth_ == 8) {
          // Swapping R and B inside a 32-bit word lets the compiler vectorise.
          auto* o = reinterpret_cast<std::uint8_t*>(out);
          for (int i = 0; i < n; ++i) {
            std::uint32_t v;
            std::memcpy(&v, s + 4 * i, 4);
            v = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
            std::memcpy(o + 4 * i, &v, 4);
          }
        } else {
          for (int i = 0; i < n; ++i, s += 8)
            out[i] = {Scale16(ReadBE16(s + 4)), Scale16(ReadBE16(s + 2)), Scale16(ReadBE16(s)),
                      Scale16(ReadBE16(s + 6))};
        }
        return;
    }
  }

  void Finish(TBitmap32& bmp) const {
    // A display exponent that is not a positive number leaves the samples alone.
    const double display = options_.DisplayGamma;
    if (options_.ApplyGamma && info_.Gamma > 0 && std::isfinite(display) && display > 0) {
      const double exponent = 1.0 / (info_.Gamma * display);
      std::array<std::uint8_t, 256> lut;
      for (int i = 0; i < 256; ++i)
        lut[i] = static_cast<std::uint8_t>(std::lround(255.0 * std::pow(i / 255.0, exponent)));
      for (int y = 0; y < bmp.Height(); ++y) {
        TBGRA* line = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x) {
          line[x].B = lut[line[x].B];
          line[x].G = lut[line[x].G];
          line[x].R = lut[line[x].R];
        }
      }
    }
    bmp.PixelFormat = options_.PixelFormat;
    if (options_.PixelFormat == TPixelFormat::pf24bit) {
      for (int y = 0; y < bmp.Height(); ++y) {
        TBGRA* line = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x) line[x].A = 255;
      }
    }
  }

  std::span<const std::uint8_t> data_;
  TPngLoadOptions options_;
  TPngInfo info_;
  int width_ = 0, height_ = 0, depth_ = 0, color_type_ = 0;
  bool interlaced_ = false;
  TPngSampleFormat format_;
  std::array<TBGRA, 256> palette_{};
  int palette_count_ = 0;
  bool has_key_ = false;
  unsigned key_[3] = {0, 0, 0};
  std::vector<std::span<const std::uint8_t>> parts_;
};

}  // namespace

void CheckPngConversion(const TPngSampleFormat& source, TPixelFormat target) {
  if (!ValidDepth(source.BitsPerSample)) FailDepth();
  if (source.SamplesPerPixel != SamplesOf(source.Scheme))
    Fail("Sample count per pixel does not correspond to the given color scheme.");
  const bool indexed = source.Scheme == TPngColorScheme::csIndexed;
  if (target == TPixelFormat::pf8bit && !indexed)
    Fail("Conversion between indexed and non-indexed pixel formats is not supported.");
  const bool method =
      target != TPixelFormat::pfDevice &&
      (indexed ? source.BitsPerSample <= 8
               : source.Scheme == TPngColorScheme::csGray || source.BitsPerSample >= 8);
  if (!method) Fail("Color conversion failed. Could not find a proper method.");
}

bool IsPngData(std::span<const std::uint8_t> data) {
  return data.size() >= sizeof kSignature &&
         std::memcmp(data.data(), kSignature, sizeof kSignature) == 0;
}

TBitmap32 LoadPngImage(std::span<const std::uint8_t> data, const TPngLoadOptions& options,
                       TPngInfo* info) {
  return TPngDecoder(data, options).Run(info);
}

}  // namespace qv
