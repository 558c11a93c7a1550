// FaultInjection: counters and failure plans behind the host file test hook.
#include "platform/FaultInjection.h"

#include <unistd.h>

#include <mutex>

namespace FaultInjection {

namespace detail {
std::atomic<bool> armed{false};
}

namespace {

constexpr int kOpCount = 4;

struct Plan {
    int64_t count = 0;      // calls seen since armed
    int64_t failures = 0;   // calls made to fail
    int64_t failAt = 0;     // 0: none planned
    bool persistent = false;
};

std::mutex gLock;
Plan gPlans[kOpCount];
int64_t gTotal = 0;   // calls of every kind since armed
int64_t gExitAt = 0;  // 0: none planned
int gExitCode = 0;

void ArmLocked() {
    if (!detail::armed.load(std::memory_order_relaxed)) {
        for (Plan& p : gPlans) p = Plan{};
        gTotal = 0;
        gExitAt = 0;
        detail::armed.store(true, std::memory_order_relaxed);
    }
}

}  // namespace

void FailNth(Op op, int64_t k, bool persistent) {
    std::lock_guard<std::mutex> guard(gLock);
    ArmLocked();
    Plan& p = gPlans[static_cast<int>(op)];
    p.failAt = k > 0 ? p.count + k : 0;
    p.persistent = persistent;
}

void ExitAtNth(int64_t k, int code) {
    std::lock_guard<std::mutex> guard(gLock);
    ArmLocked();
    gExitAt = k > 0 ? gTotal + k : 0;
    gExitCode = code;
}

void StartCounting() {
    std::lock_guard<std::mutex> guard(gLock);
    ArmLocked();
}

int64_t GetCount(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    return gPlans[static_cast<int>(op)].count;
}

int64_t GetTotalCount() {
    std::lock_guard<std::mutex> guard(gLock);
    return gTotal;
}

int64_t GetFailures(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    return gPlans[static_cast<int>(op)].failures;
}

void Reset() {
    std::lock_guard<std::mutex> guard(gLock);
    for (Plan& p : gPlans) p = Plan{};
    gTotal = 0;
    gExitAt = 0;
    detail::armed.store(false, std::memory_order_relaxed);
}

void ExitNow() { ::_exit(gExitCode); }

Action detail::CheckSlow(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    if (!armed.load(std::memory_order_relaxed)) return Action::Proceed;
    Plan& p = gPlans[static_cast<int>(op)];
    ++p.count;
    ++gTotal;
    if (gExitAt > 0 && gTotal == gExitAt) return Action::Exit;
    bool fail = p.failAt > 0 && (p.count == p.failAt || (p.persistent && p.count > p.failAt));
    if (fail) ++p.failures;
    return fail ? Action::Fail : Action::Proceed;
}

}  // namespace FaultInjection
