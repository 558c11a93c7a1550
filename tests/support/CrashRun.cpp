// CrashRun: fork, die at the k-th host file operation, and report how the child ended.
#include "support/CrashRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FaultInjection.h"

namespace reshaper_test {

namespace {
constexpr int kDiedCode = 77;
constexpr int kCompletedCode = 0;
}  // namespace

bool RunDyingAt(int64_t k, const std::function<void()>& work) {
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        FaultInjection::Reset();
        FaultInjection::ExitAtNth(k, kDiedCode);
        work();
        ::_exit(kCompletedCode);
    }
    int status = 0;
    EXPECT_GT(pid, 0);
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status)) << "the child crashed at k=" << k;
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_TRUE(code == kDiedCode || code == kCompletedCode) << "k=" << k << " exit " << code;
    return code == kCompletedCode;
}

int64_t ForEveryDeath(const std::function<void()>& work, const std::function<void(int64_t k)>& check,
                      int64_t maxK) {
    for (int64_t k = 1; k <= maxK; ++k) {
        if (RunDyingAt(k, work)) return k - 1;
        check(k);
        if (::testing::Test::HasFatalFailure()) return k;
    }
    ADD_FAILURE() << "the work never completed";
    return maxK;
}

}  // namespace reshaper_test
