// Components: objects owned by one owner and freed with it (last created first),
// with a name, a loading state while the stored description is read, a Loaded
// step, and free notifications between components that refer to each other.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The root of the object hierarchy: senders of events are objects.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

// An event handler taking its sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Everything the description reader can set properties on.
class TPersistent : public TObject {};

enum TComponentStateFlag : unsigned {
  csLoading = 1,
  csReading = 2,
  csDestroying = 4,
  csDesigning = 8,  // never set at run time
};
using TComponentState = unsigned;

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(std::string_view name) const;

  const std::string& Name() const { return name_; }
  // Names are unique among the components of one owner (case-insensitive, ASCII).
  void SetName(std::string_view name);

  TComponentState ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }
  // The description reader brackets property reading with these.
  void BeginLoading() { state_ |= csLoading | csReading; }
  void EndReading() { state_ &= ~static_cast<unsigned>(csReading); }
  // Clears the loading state, then runs Loaded.
  void FinishLoading();
  // Clears the loading state without Loaded (a failed read).
  void AbortLoading() { state_ &= ~static_cast<unsigned>(csLoading | csReading); }

  // Asks `other` to tell this component (through Notification) when it is freed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  std::intptr_t Tag = 0;

  // The description reader tells each component the component it was read in
  // (controls take it as their parent).
  virtual void SetParentComponent(TComponent* /*parent*/) {}
  // Handlers named by the description (OnClick = sBitBtn1Click) are looked up
  // on the root component; forms with handlers answer here.
  virtual TNotifyEvent FindMethod(std::string_view /*name*/) { return nullptr; }

 protected:
  // Runs once after every component of the description exists and has its properties.
  virtual void Loaded() {}
  // A component was inserted into or removed from this one's owner list, or a
  // component this one asked to be notified about is being freed.
  virtual void Notification(TComponent* component, TOperation operation);
  // Derived destructors that must see the destroying state call this first.
  void MarkDestroying() { state_ |= csDestroying; }
  // Frees the owned components, newest first; derived destructors call it
  // when their components must go while the derived part still exists.
  void DestroyComponents();

 private:
  void Insert(TComponent* c);
  void Remove(TComponent* c);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> notify_;  // both directions, as the platform keeps them
  std::string name_;
  TComponentState state_ = 0;
};

}  // namespace qv
