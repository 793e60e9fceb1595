// The process-wide anti-freeze instance and its hook.
#include "site/IdAntiFreeze.h"

#include <atomic>

#include "site/IdException.h"

namespace qv {

namespace {
std::atomic<TIdAntiFreeze*> gInstance{nullptr};
}

TIdAntiFreeze::TIdAntiFreeze(std::function<void()> onProcess)
    : OnProcess(std::move(onProcess)), guiThread_(std::this_thread::get_id()) {
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

void TIdAntiFreeze::Process() {
  if (Active && OnProcess) OnProcess();
}

}  // namespace qv
