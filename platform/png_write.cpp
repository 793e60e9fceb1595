// PNG writing with libpng's simplified interface, which reports errors by
// return value (no long jumps through our frames).
#include "platform/png_write.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace qv {
namespace {

// Rows handed to libpng: BGRA as stored, or packed BGR for opaque files.
struct Prepared {
  std::vector<std::uint8_t> packed;
  const void* data = nullptr;
  std::ptrdiff_t stride = 0;  // in components, negative for bottom-up rows
};

Prepared Prepare(const TBitmap32& bmp, TPngAlpha alpha) {
  if (bmp.Empty()) throw EInvalidGraphic("Cannot write PNG: the bitmap is empty");
  Prepared p;
  if (alpha == TPngAlpha::Keep) {
    // With a negative stride libpng wants the start of the memory block (the
    // bottom row) and finds the top row itself.
    p.data = bmp.Stride() < 0 ? bmp.ScanLine(bmp.Height() - 1) : bmp.ScanLine(0);
    p.stride = bmp.Stride();
    return p;
  }
  const int w = bmp.Width();
  p.packed.resize(static_cast<std::size_t>(w) * 3 * bmp.Height());
  std::uint8_t* out = p.packed.data();
  for (int y = 0; y < bmp.Height(); ++y) {
    const TBGRA* row = bmp.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      *out++ = row[x].B;
      *out++ = row[x].G;
      *out++ = row[x].R;
    }
  }
  p.data = p.packed.data();
  p.stride = static_cast<std::ptrdiff_t>(w) * 3;
  return p;
}

png_image Describe(const TBitmap32& bmp, TPngAlpha alpha) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bmp.Width());
  image.height = static_cast<png_uint_32>(bmp.Height());
  image.format = alpha == TPngAlpha::Keep ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  return image;
}

[[noreturn]] void Fail(const png_image& image) {
  throw EInvalidGraphic(std::string("Cannot write PNG: ") + image.message);
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TBitmap32& bmp, TPngAlpha alpha) {
  const Prepared p = Prepare(bmp, alpha);
  png_image image = Describe(bmp, alpha);
  // libpng's row stride counts components, which are bytes at 8 bits.
  const auto stride = static_cast<png_int_32>(p.stride);
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, p.data, stride, nullptr)) Fail(image);
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, p.data, stride, nullptr))
    Fail(image);
  out.resize(size);
  return out;
}

void WritePng(const TBitmap32& bmp, const std::string& path, TPngAlpha alpha) {
  const std::vector<std::uint8_t> bytes = EncodePng(bmp, alpha);
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!f) throw EInvalidGraphic("Cannot write PNG: cannot create " + path);
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size() ||
      std::fclose(f.release()) != 0)
    throw EInvalidGraphic("Cannot write PNG: cannot write " + path);
}

}  // namespace qv
