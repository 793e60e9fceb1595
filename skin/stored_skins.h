// Stored skins: package bytes kept in the window description as items of the
// skin manager's InternalSkins collection, with the designer's notes on each.
#pragma once

#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/component/component.h"
#include "skin/package.h"
#include "skin/skin_owner.h"

namespace qv {

class TsStoredSkins;

class TsStoredSkin : public TPersistent {
 public:
  explicit TsStoredSkin(TsStoredSkins* collection) : collection_(collection) {}

  const ustring& Name() const { return name_; }
  double Version() const { return version_; }
  const ustring& Author() const { return author_; }
  const ustring& Description() const { return description_; }
  TColor Shadow1Color() const { return shadow1_color_; }
  int Shadow1Offset() const { return shadow1_offset_; }
  int Shadow1Blur() const { return shadow1_blur_; }
  int Shadow1Transparency() const { return shadow1_transparency_; }
  TColor BorderColor() const { return border_color_; }
  const TBitmap32& MasterBitmap() const { return master_bitmap_; }
  // Stored under "OriginName".
  const ustring& OrigName() const { return orig_name_; }
  // Stored under "Data", byte for byte.
  const TBytes& PackedData() const { return packed_data_; }

  void SetName(ustring v);
  void SetVersion(double v);
  void SetAuthor(ustring v);
  void SetDescription(ustring v);
  void SetShadow1Color(TColor v);
  void SetShadow1Offset(int v);
  void SetShadow1Blur(int v);
  void SetShadow1Transparency(int v);
  void SetBorderColor(TColor v);
  void SetMasterBitmap(TBitmap32 v);
  void SetOrigName(ustring v);
  void SetPackedData(TBytes v);

  // Copies every property, the package bytes included.
  void Assign(const TsStoredSkin& other);

 private:
  void Changed();

  TsStoredSkins* collection_;
  ustring name_;
  double version_ = 0;
  ustring author_;
  ustring description_;
  TColor shadow1_color_ = 0;
  int shadow1_offset_ = 0;
  int shadow1_blur_ = -1;
  int shadow1_transparency_ = 0;
  TColor border_color_ = clKeyColor;
  TBitmap32 master_bitmap_;
  ustring orig_name_;
  TBytes packed_data_;
};

class TsStoredSkins : public TPersistent {
 public:
  explicit TsStoredSkins(TacSkinListOwner* owner) : owner_(owner) {}

  TacSkinListOwner* Owner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TsStoredSkin& Items(int i) { return *items_.at(static_cast<std::size_t>(i)); }
  const TsStoredSkin& Items(int i) const { return *items_.at(static_cast<std::size_t>(i)); }

  // A new item with the defaults, at the end.
  TsStoredSkin& Add();
  void Delete(int i);
  void Clear();
  // Position of the first item named exactly name; -1.
  int IndexOf(ustring_view name) const;

  // An item changed (or was added or removed).
  void Update();

 private:
  TacSkinListOwner* owner_;
  std::vector<std::unique_ptr<TsStoredSkin>> items_;
};

}  // namespace qv
