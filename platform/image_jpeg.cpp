// JPEG decoding through libjpeg-turbo. libjpeg reports errors by calling back;
// the callback long-jumps to the one frame that set the jump, which holds no
// object created after it, and the error becomes an exception there.
#include "platform/image_jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace qv {
namespace {

// Progressive files may carry endless scans; real ones have a handful.
constexpr int kMaxScans = 500;

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Warnings mean corrupt data that libjpeg would paper over (a truncated file
// decodes to grey); such a picture is refused.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0) OnError(cinfo);
}

void OnProgress(j_common_ptr cinfo) {
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

// Adobe CMYK files store inverted inks; the product of the inverted ink and
// inverted black gives the colour channel.
void CmykRowToBgra(const std::uint8_t* cmyk, TBGRA* out, int w, bool inverted) {
  for (int x = 0; x < w; ++x) {
    unsigned c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    out[x] = {static_cast<std::uint8_t>((y * k + 127) / 255),
              static_cast<std::uint8_t>((m * k + 127) / 255),
              static_cast<std::uint8_t>((c * k + 127) / 255), 0};
  }
}

// Returns false with the message filled when libjpeg gives up.
bool Decode(std::span<const std::uint8_t> data, TBitmap32& out, std::vector<std::uint8_t>& row,
            char* message, std::size_t message_size) {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_progress_mgr progress;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = OnError;
  err.pub.emit_message = OnMessage;
  err.message[0] = 0;
  if (setjmp(err.jump)) {
    std::snprintf(message, message_size, "%s", err.message);
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  progress.progress_monitor = OnProgress;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width > static_cast<unsigned>(kMaxImageSide) ||
      cinfo.image_height > static_cast<unsigned>(kMaxImageSide) ||
      static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxImagePixels) {
    std::snprintf(err.message, sizeof err.message, "image too large");
    std::longjmp(err.jump, 1);
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
  jpeg_start_decompress(&cinfo);
  const int w = static_cast<int>(cinfo.output_width);
  const int h = static_cast<int>(cinfo.output_height);
  try {
    out.SetSize(w, h);
    if (cmyk) row.resize(static_cast<std::size_t>(w) * 4);
  } catch (...) {
    jpeg_destroy_decompress(&cinfo);
    throw;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    JSAMPROW target = cmyk ? row.data() : reinterpret_cast<JSAMPROW>(out.ScanLine(y));
    if (jpeg_read_scanlines(&cinfo, &target, 1) != 1) {
      std::snprintf(err.message, sizeof err.message, "no scanline decoded");
      std::longjmp(err.jump, 1);
    }
    TBGRA* line = out.ScanLine(y);
    if (cmyk)
      CmykRowToBgra(row.data(), line, w, cinfo.saw_Adobe_marker);
    else
      for (int x = 0; x < w; ++x) line[x].A = 0;
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

bool IsJpeg(std::span<const std::uint8_t> data) {
  return data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

TBitmap32 DecodeJpeg(std::span<const std::uint8_t> data) {
  // Everything the decoding frame touches after its jump point exists before it.
  TBitmap32 out;
  std::vector<std::uint8_t> row;
  char message[JMSG_LENGTH_MAX] = {};
  if (!Decode(data, out, row, message, sizeof message))
    throw EInvalidGraphic(std::string("Invalid JPEG image: ") + message);
  out.PixelFormat = TPixelFormat::pf24bit;
  return out;
}

}  // namespace qv
