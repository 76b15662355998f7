#include "runtime/Steps.h"

namespace rt {

StepAnswer AnswerFromCode(int code) {
    if (code == 4) {
        return StepAnswer::Retry;
    }
    if (code == 5) {
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
