// FaultInjection: counters and failure plans behind the host file test hook.
#include "platform/FaultInjection.h"

#include <mutex>

namespace FaultInjection {

namespace detail {
std::atomic<bool> armed{false};
}

namespace {

constexpr int kOpCount = 3;

struct Plan {
    int64_t count = 0;      // calls seen since armed
    int64_t failures = 0;   // calls made to fail
    int64_t failAt = 0;     // 0: none planned
    bool persistent = false;
};

std::mutex gLock;
Plan gPlans[kOpCount];

void ArmLocked() {
    if (!detail::armed.load(std::memory_order_relaxed)) {
        for (Plan& p : gPlans) p = Plan{};
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

void StartCounting() {
    std::lock_guard<std::mutex> guard(gLock);
    ArmLocked();
}

int64_t GetCount(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    return gPlans[static_cast<int>(op)].count;
}

int64_t GetFailures(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    return gPlans[static_cast<int>(op)].failures;
}

void Reset() {
    std::lock_guard<std::mutex> guard(gLock);
    for (Plan& p : gPlans) p = Plan{};
    detail::armed.store(false, std::memory_order_relaxed);
}

bool detail::CheckSlow(Op op) {
    std::lock_guard<std::mutex> guard(gLock);
    if (!armed.load(std::memory_order_relaxed)) return false;
    Plan& p = gPlans[static_cast<int>(op)];
    ++p.count;
    bool fail = p.failAt > 0 && (p.count == p.failAt || (p.persistent && p.count > p.failAt));
    if (fail) ++p.failures;
    return fail;
}

}  // namespace FaultInjection
