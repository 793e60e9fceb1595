// String lists, collections and memory streams.
#include "platform/component/classes.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/component/reader.h"

namespace qv {

ustring TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) return {};
  return items_[static_cast<std::size_t>(index)];
}

void TStringList::Put(int index, ustring_view s) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  items_[static_cast<std::size_t>(index)] = ustring(s);
  Changed();
}

int TStringList::Add(ustring_view s) {
  items_.emplace_back(s);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int index, ustring_view s) {
  if (index < 0 || index > Count()) throw std::out_of_range("List index out of bounds");
  items_.insert(items_.begin() + index, ustring(s));
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

void TStringList::Assign(const std::vector<ustring>& items) {
  items_ = items;
  Changed();
}

int TStringList::IndexOf(ustring_view s) const {
  const ustring key = UpperCase(s);
  for (int i = 0; i < Count(); ++i)
    if (UpperCase(items_[static_cast<std::size_t>(i)]) == key) return i;
  return -1;
}

ustring TStringList::Text() const {
  ustring out;
  for (const auto& s : items_) {
    out += s;
    out += u"\r\n";
  }
  return out;
}

void TStringList::SetText(ustring_view text) {
  items_.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != u'\r' && text[i] != u'\n') continue;
    items_.emplace_back(text.substr(start, i - start));
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) items_.emplace_back(text.substr(start));
  Changed();
}

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TCollectionItem::Changed() {
  if (collection_) collection_->Update(this);
}

TCollectionItem* TCollection::Add() {
  items_.push_back(factory_(this));
  items_.back()->ID = next_id_++;
  Update(nullptr);
  return items_.back().get();
}

void TCollection::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  items_.erase(items_.begin() + index);
  Update(nullptr);
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Update(nullptr);
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (items_[static_cast<std::size_t>(i)].get() == item) return i;
  return -1;
}

void TCollection::Read(const TDescValue& value, TReader& reader) {
  if (value.kind != TDescValue::Kind::Collection) reader.Fail(value.line, "collection expected");
  const TClassInfo* cls = FindClass(item_class_);
  if (!cls) reader.Fail(value.line, "unknown class " + item_class_);
  Clear();
  for (const auto& props : value.items) reader.ApplyProperties(*Add(), *cls, props);
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw std::invalid_argument("negative stream size");
  data_.resize(static_cast<std::size_t>(size));
  position_ = std::min(position_, size);
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, int origin) {
  std::int64_t base = origin == 0 ? 0 : origin == 1 ? position_ : Size();
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= Size()) return 0;
  const std::int64_t n = std::min(count, Size() - position_);
  std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

void TMemoryStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0 || count > Size() - position_) throw std::runtime_error("Stream read error");
  Read(buffer, count);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  if (position_ + count > Size()) data_.resize(static_cast<std::size_t>(position_ + count));
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ += count;
  return count;
}

}  // namespace qv
