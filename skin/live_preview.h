// The live-preview record: a skin editor sends the options text of a skin it
// is editing, with the skin's name and folder, to be shown at once.
//
//   Magic:int32 (0xA400)  SkinName[128]  SkinDir[512]  Data[30001]
//
// The texts are 8-bit code-page text, each ending at its first NUL.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/ustring.h"
#include "skin/package.h"

namespace qv {

constexpr std::uint32_t kSkinEditorMagic = 0xA400;
constexpr std::size_t kSkinEditorNameSize = 128;
constexpr std::size_t kSkinEditorDirSize = 512;
constexpr std::size_t kSkinEditorTextSize = 30001;
constexpr std::size_t kSkinEditorDataSize =
    4 + kSkinEditorNameSize + kSkinEditorDirSize + kSkinEditorTextSize;
static_assert(kSkinEditorDataSize == 30645);
// The data-copy kind that carries the record.
constexpr std::uintptr_t kSkinEditorCopyData = 7;

struct TacSkinEditorData {
  std::uint32_t Magic = 0;
  ustring SkinName;
  ustring SkinDir;
  ustring Data;
};

// The record in bytes, or nothing unless they are exactly one record with the
// magic number. A text field without a NUL ends at the end of its field.
std::optional<TacSkinEditorData> ParseSkinEditorData(TByteView bytes);
// The bytes of a record (texts cut to their fields, always NUL-ended).
TBytes SkinEditorDataBytes(const TacSkinEditorData& data);

}  // namespace qv
