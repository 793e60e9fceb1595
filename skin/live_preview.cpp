// Reading and writing the live-preview record.
#include "skin/live_preview.h"

#include <algorithm>
#include <cstring>

namespace qv {

namespace {

ustring Field(TByteView bytes, std::size_t offset, std::size_t size) {
  const auto* first = bytes.data() + offset;
  const auto* end = std::find(first, first + size, std::uint8_t{0});
  return AnsiToUtf16(std::string(first, end));
}

void PutField(TBytes& out, std::size_t offset, std::size_t size, const ustring& text) {
  const std::string ansi = Utf16ToAnsi(text);
  const std::size_t n = std::min(ansi.size(), size - 1);
  std::memcpy(out.data() + offset, ansi.data(), n);
}

}  // namespace

std::optional<TacSkinEditorData> ParseSkinEditorData(TByteView bytes) {
  if (bytes.size() != kSkinEditorDataSize) return std::nullopt;
  TacSkinEditorData d;
  d.Magic = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  if (d.Magic != kSkinEditorMagic) return std::nullopt;
  d.SkinName = Field(bytes, 4, kSkinEditorNameSize);
  d.SkinDir = Field(bytes, 4 + kSkinEditorNameSize, kSkinEditorDirSize);
  d.Data = Field(bytes, 4 + kSkinEditorNameSize + kSkinEditorDirSize, kSkinEditorTextSize);
  return d;
}

TBytes SkinEditorDataBytes(const TacSkinEditorData& data) {
  TBytes out(kSkinEditorDataSize, 0);
  for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = (data.Magic >> (8 * i)) & 0xFF;
  PutField(out, 4, kSkinEditorNameSize, data.SkinName);
  PutField(out, 4 + kSkinEditorNameSize, kSkinEditorDirSize, data.SkinDir);
  PutField(out, 4 + kSkinEditorNameSize + kSkinEditorDirSize, kSkinEditorTextSize, data.Data);
  return out;
}

}  // namespace qv
