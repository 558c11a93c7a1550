// CrashRun: fork, arm the fault hook in the child, and report how the child ended.
#include "support/CrashRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "platform/FaultInjection.h"

namespace reshaper_test {

int RunInChild(const std::function<void()>& arm, const std::function<int()>& work) {
    std::fflush(nullptr);
    pid_t pid = ::fork();
    if (pid == 0) {
        FaultInjection::Reset();
        arm();
        int code = work();
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    EXPECT_GT(pid, 0);
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status)) << "the child crashed";
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool RunDyingAt(int64_t k, const std::function<void()>& work) {
    int code = RunInChild([k] { FaultInjection::ExitAtNth(k, kChildDied); },
                          [&] {
                              work();
                              return 0;
                          });
    EXPECT_TRUE(code == kChildDied || code == 0) << "k=" << k << " exit " << code;
    return code == 0;
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
