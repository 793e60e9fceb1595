// Supporting types of the component framework: string lists, collections of
// owned items (readable from the window description) and memory streams.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/component/component.h"
#include "platform/ustring.h"

namespace qv {

class TReader;
struct TDescValue;
struct TClassInfo;

// An ordered list of strings. Changes made through it fire OnChange.
class TStringList : public TPersistent {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  // The string at index, or an empty string outside the list (-1 included).
  ustring Get(int index) const;
  void Put(int index, ustring_view s);
  const ustring& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
  const std::vector<ustring>& Strings() const { return items_; }

  int Add(ustring_view s);
  void Insert(int index, ustring_view s);
  void Delete(int index);
  void Clear();
  void Assign(const std::vector<ustring>& items);
  // Case-insensitive (one code unit to one), as lists compare by default; -1 when absent.
  int IndexOf(ustring_view s) const;

  // Lines joined with CR LF, each line ended; setting splits on CR, LF or CR LF.
  ustring Text() const;
  void SetText(ustring_view text);

  std::function<void()> OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange();
  }
  std::vector<ustring> items_;
};

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  TCollection* Collection() const { return collection_; }
  int Index() const;
  int ID = 0;

 protected:
  // Tells the collection an item property changed.
  void Changed();

 private:
  TCollection* collection_;
};

// Owned items of one class, in order; the description fills one with
// `Name = < item … end item … end >`.
class TCollection : public TPersistent {
 public:
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;
  // item_class: the registered class whose setters read the items.
  TCollection(std::string item_class, TItemFactory factory)
      : item_class_(std::move(item_class)), factory_(std::move(factory)) {}

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Item(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
  }
  TCollectionItem* Add();
  void Delete(int index);
  void Clear();
  int IndexOf(const TCollectionItem* item) const;

  // Replaces the items with those of a collection value of the description.
  void Read(const TDescValue& value, TReader& reader);

  // An item changed (nullptr: the whole collection).
  std::function<void(TCollectionItem*)> OnUpdate;
  void Update(TCollectionItem* item) {
    if (OnUpdate) OnUpdate(item);
  }

 private:
  std::string item_class_;
  TItemFactory factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int next_id_ = 0;
};

// A growable block of bytes with a position.
class TMemoryStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::span<const std::uint8_t> bytes) : data_(bytes.begin(), bytes.end()) {}

  std::int64_t Size() const { return static_cast<std::int64_t>(data_.size()); }
  void SetSize(std::int64_t size);
  std::int64_t Position() const { return position_; }
  // Seek from the start (origin 0), the position (1) or the end (2); clamped at 0.
  std::int64_t Seek(std::int64_t offset, int origin);
  // Reads up to count bytes at the position; returns how many were read.
  std::int64_t Read(void* buffer, std::int64_t count);
  // Reads exactly count bytes or throws, leaving the position unchanged.
  void ReadBuffer(void* buffer, std::int64_t count);
  // Writes at the position, growing the stream as needed.
  std::int64_t Write(const void* buffer, std::int64_t count);
  void Clear() {
    data_.clear();
    position_ = 0;
  }
  std::span<const std::uint8_t> Memory() const { return data_; }
  std::vector<std::uint8_t> Release() {
    position_ = 0;
    return std::move(data_);
  }

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

}  // namespace qv
