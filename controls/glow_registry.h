// The registry of hover glows: every glow shown gets a number that is never
// given again, so a control holding the number of a glow that is gone finds
// nothing instead of another control's glow.
#pragma once

#include <map>
#include <memory>

namespace qv {

class TacGlowEffect;

class TacGlowRegistry {
 public:
  // Takes the glow and answers its number (0, 1, 2, ... over the program's life).
  int Add(std::unique_ptr<TacGlowEffect> glow);
  // nullptr for a number never given, removed, or cleared.
  TacGlowEffect* Find(int id) const;
  // Removes the glow from the registry and hands it back (nullptr when none).
  std::unique_ptr<TacGlowEffect> Take(int id);
  // Every glow, oldest first, taken out.
  std::map<int, std::unique_ptr<TacGlowEffect>> TakeAll();
  int Count() const { return static_cast<int>(glows_.size()); }

 private:
  std::map<int, std::unique_ptr<TacGlowEffect>> glows_;
  int next_ = 0;
};

// The registry of the GUI thread.
TacGlowRegistry& GlowRegistry();

}  // namespace qv
