#include "cheques/runtime/Steps.h"

namespace rt {

namespace {

// The answers of the Retry and Ignore buttons (ui::vbRetry and ui::vbIgnore, which this
// library sits below).
constexpr int kRetry = 4;
constexpr int kIgnore = 5;

}  // namespace

StepAnswer AnswerFromCode(int code) {
    if (code == kRetry) {
        return StepAnswer::Retry;
    }
    if (code == kIgnore) {
        return StepAnswer::Next;
    }
    return StepAnswer::Leave;
}

Steps::Steps(Handler handler) : handler_(std::move(handler)) {}

Steps Steps::IgnoreErrors() {
    return Steps([](const RuntimeError&) { return StepAnswer::Next; });
}

bool Steps::operator()(const std::function<void()>& step) {
    for (;;) {
        try {
            step();
            return true;
        } catch (const RuntimeError& e) {
            failed_ = true;
            switch (handler_(e)) {
                case StepAnswer::Retry:
                    continue;
                case StepAnswer::Next:
                    return true;
                case StepAnswer::Leave:
                    return false;
            }
        }
    }
}

}  // namespace rt
