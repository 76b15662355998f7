#include "cheques/runtime/Steps.h"

#include <gtest/gtest.h>

#include <deque>

using rt::RuntimeError;
using rt::StepAnswer;
using rt::Steps;

namespace {

// A procedure of three steps whose second step fails a given number of times.
struct Procedure {
    int failuresLeft;
    std::vector<int> ran;

    int Run(Steps& steps) {
        if (!steps([&] { ran.push_back(1); }))
            return 1;
        if (!steps([&] {
                ran.push_back(2);
                if (failuresLeft-- > 0)
                    throw RuntimeError(rt::err::Overflow, "Overflow");
            }))
            return 2;
        if (!steps([&] { ran.push_back(3); }))
            return 3;
        return 0;
    }
};

}  // namespace

TEST(Steps, AnswerCodesMapRetryIgnoreAndEverythingElse) {
    EXPECT_EQ(rt::AnswerFromCode(4), StepAnswer::Retry);
    EXPECT_EQ(rt::AnswerFromCode(5), StepAnswer::Next);
    for (int code : {0, 1, 2, 3, 6, 7, -4}) {
        EXPECT_EQ(rt::AnswerFromCode(code), StepAnswer::Leave) << code;
    }
}

TEST(Steps, RetryNextAndLeave) {
    struct Case {
        const char* name;
        std::deque<StepAnswer> answers;
        int failures;
        std::vector<int> ran;
        int left;
    };
    const std::vector<Case> cases = {
        {"no failure", {}, 0, {1, 2, 3}, 0},
        {"retry then succeed", {StepAnswer::Retry}, 1, {1, 2, 2, 3}, 0},
        {"retry twice", {StepAnswer::Retry, StepAnswer::Retry}, 2, {1, 2, 2, 2, 3}, 0},
        {"go on with the next step", {StepAnswer::Next}, 1, {1, 2, 3}, 0},
        {"leave", {StepAnswer::Leave}, 1, {1, 2}, 2},
        {"retry then leave", {StepAnswer::Retry, StepAnswer::Leave}, 5, {1, 2, 2}, 2},
    };
    for (const auto& c : cases) {
        auto answers = c.answers;
        std::vector<int> errors;
        Steps steps([&](const RuntimeError& e) {
            errors.push_back(e.Number());
            auto a = answers.front();
            answers.pop_front();
            return a;
        });
        Procedure p{c.failures, {}};
        EXPECT_EQ(p.Run(steps), c.left) << c.name;
        EXPECT_EQ(p.ran, c.ran) << c.name;
        EXPECT_EQ(steps.Failed(), c.failures > 0) << c.name;
        EXPECT_TRUE(answers.empty()) << c.name;
        for (int n : errors)
            EXPECT_EQ(n, rt::err::Overflow);
    }
}

TEST(Steps, IgnoreErrorsRunsEveryStep) {
    Steps steps = Steps::IgnoreErrors();
    Procedure p{100, {}};
    EXPECT_EQ(p.Run(steps), 0);
    EXPECT_EQ(p.ran, (std::vector<int>{1, 2, 3}));
}

TEST(Steps, OtherExceptionsAreNotSwallowed) {
    Steps steps = Steps::IgnoreErrors();
    EXPECT_THROW(steps([] { throw std::logic_error("bug"); }), std::logic_error);
}
