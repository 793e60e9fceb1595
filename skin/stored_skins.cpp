// Stored skins and their collection; every change tells the manager.
#include "skin/stored_skins.h"

namespace qv {

void TsStoredSkin::Changed() {
  if (collection_) collection_->Update();
}

void TsStoredSkin::SetName(ustring v) {
  name_ = std::move(v);
  Changed();
}
void TsStoredSkin::SetVersion(double v) {
  version_ = v;
  Changed();
}
void TsStoredSkin::SetAuthor(ustring v) {
  author_ = std::move(v);
  Changed();
}
void TsStoredSkin::SetDescription(ustring v) {
  description_ = std::move(v);
  Changed();
}
void TsStoredSkin::SetShadow1Color(TColor v) {
  shadow1_color_ = v;
  Changed();
}
void TsStoredSkin::SetShadow1Offset(int v) {
  shadow1_offset_ = v;
  Changed();
}
void TsStoredSkin::SetShadow1Blur(int v) {
  shadow1_blur_ = v;
  Changed();
}
void TsStoredSkin::SetShadow1Transparency(int v) {
  shadow1_transparency_ = v;
  Changed();
}
void TsStoredSkin::SetBorderColor(TColor v) {
  border_color_ = v;
  Changed();
}
void TsStoredSkin::SetMasterBitmap(TBitmap32 v) {
  master_bitmap_ = std::move(v);
  Changed();
}
void TsStoredSkin::SetOrigName(ustring v) {
  orig_name_ = std::move(v);
  Changed();
}
void TsStoredSkin::SetPackedData(TBytes v) {
  packed_data_ = std::move(v);
  Changed();
}

void TsStoredSkin::Assign(const TsStoredSkin& other) {
  if (&other == this) return;
  name_ = other.name_;
  version_ = other.version_;
  author_ = other.author_;
  description_ = other.description_;
  shadow1_color_ = other.shadow1_color_;
  shadow1_offset_ = other.shadow1_offset_;
  shadow1_blur_ = other.shadow1_blur_;
  shadow1_transparency_ = other.shadow1_transparency_;
  border_color_ = other.border_color_;
  master_bitmap_ = other.master_bitmap_;
  orig_name_ = other.orig_name_;
  packed_data_ = other.packed_data_;
  Changed();
}

TsStoredSkin& TsStoredSkins::Add() {
  items_.push_back(std::make_unique<TsStoredSkin>(this));
  if (owner_) owner_->StoredSkinsChanged(true);
  return *items_.back();
}

void TsStoredSkins::Delete(int i) {
  items_.erase(items_.begin() + i);
  Update();
}

void TsStoredSkins::Clear() {
  items_.clear();
  Update();
}

int TsStoredSkins::IndexOf(ustring_view name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Name() == name) return static_cast<int>(i);
  return -1;
}

void TsStoredSkins::Update() {
  if (owner_) owner_->StoredSkinsChanged(false);
}

}  // namespace qv
