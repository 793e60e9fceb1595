// The process-wide anti-freeze instance and its hook.
#include "site/IdAntiFreeze.h"

#include <atomic>

#include "site/IdException.h"

namespace qv {

namespace {
std::atomic<TIdAntiFreeze*> gInstance{nullptr};

std::function<void()>& ApplicationHook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

TIdAntiFreeze::TIdAntiFreeze(TComponent* owner, std::function<void()> onProcess)
    : TComponent(owner), OnProcess(std::move(onProcess)), guiThread_(std::this_thread::get_id()) {
  TIdAntiFreeze* expected = nullptr;
  if (!gInstance.compare_exchange_strong(expected, this)) {
    throw EIdException(u"Only one TIdAntiFreeze can exist per application.");
  }
}

TIdAntiFreeze::~TIdAntiFreeze() { gInstance.store(nullptr); }

TIdAntiFreeze* TIdAntiFreeze::ForThisThread() {
  TIdAntiFreeze* af = gInstance.load();
  return af && af->Active && af->guiThread_ == std::this_thread::get_id() ? af : nullptr;
}

void TIdAntiFreeze::SetApplicationHook(std::function<void()> hook) {
  ApplicationHook() = std::move(hook);
}

void TIdAntiFreeze::Process() {
  if (!Active) return;
  if (OnProcess) {
    OnProcess();
  } else if (const auto& hook = ApplicationHook()) {
    hook();
  }
}

}  // namespace qv
