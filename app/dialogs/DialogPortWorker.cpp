#include "app/dialogs/DialogPortWorker.h"

namespace orvane::app::dialogs {

DialogPortWorker::Parts::Parts(orvane::host::SettingsStore& settings, orvane::host::Prompts& windowPrompts,
                               QObject* context, host::QtTimers::Handler onTimer)
    : prompts(windowPrompts, context),
      timers(std::move(onTimer)),
      stack(settings, clock, prompts, timers),
      session{stack.Serial(), timers, clock, prompts} {}

DialogPortWorker::DialogPortWorker(orvane::host::SettingsStore& settings, orvane::host::Prompts& prompts,
                                   QObject* windowContext)
    : settings_(settings), prompts_(prompts), windowContext_(windowContext) {}

DialogPort::Session& DialogPortWorker::Session() {
    // Made on first use, so the timers belong to this thread.
    if (!parts_) {
        parts_ = std::make_unique<Parts>(settings_, prompts_, windowContext_, [this](int id) {
            if (timerHandler_) timerHandler_(parts_->session, id);
        });
    }
    return parts_->session;
}

}  // namespace orvane::app::dialogs
