#pragma once

#include <functional>

#include "cheques/runtime/RuntimeError.h"

namespace rt {

// What a procedure does after one of its steps failed.
enum class StepAnswer { Retry, Next, Leave };

// Maps an abort/retry/ignore answer (4 retry, 5 ignore) onto a step answer.
StepAnswer AnswerFromCode(int code);

// Runs a procedure step by step, handing each failing step to one handler whose answer says
// whether to run the step again, go on with the next step, or leave the procedure.
//
//   Steps steps(handler);
//   if (!steps([&] { first(); })) return result;
//   if (!steps([&] { second(); })) return result;
class Steps {
  public:
    using Handler = std::function<StepAnswer(const RuntimeError&)>;

    explicit Steps(Handler handler);

    // A runner that skips every failing step and goes on with the next.
    static Steps IgnoreErrors();

    // Runs one step; false means the procedure must leave now.
    bool operator()(const std::function<void()>& step);

    // True once any step has failed.
    bool Failed() const { return failed_; }

  private:
    Handler handler_;
    bool failed_ = false;
};

}  // namespace rt
