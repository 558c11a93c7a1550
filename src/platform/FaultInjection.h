// FaultInjection: process-wide test hook that makes chosen host file writes, flushes or length changes fail.
#pragma once

#include <atomic>
#include <cstdint>

// Tests arm the hook to make the k-th write (or flush, or set-length) from now on fail, then run an
// operation and check that it reports the failure and leaves sound data behind; moving k forward until
// the operation no longer reaches the k-th call covers every failure point. While the hook is not armed
// HostFile pays one relaxed load of a flag per call and nothing is counted.
namespace FaultInjection {

enum class Op { Write = 0, Flush = 1, SetLength = 2 };

// Arms the hook for `op`: the k-th call from now (k >= 1) fails; with `persistent` every later call of
// that kind fails too. k <= 0 only starts counting. Counters of all kinds restart at 0 when the hook goes
// from unarmed to armed.
void FailNth(Op op, int64_t k, bool persistent = false);
// Starts counting calls without failing any.
void StartCounting();
// Calls of `op` seen since the hook was armed (0 when not armed).
int64_t GetCount(Op op);
// Calls of `op` that were made to fail since the hook was armed.
int64_t GetFailures(Op op);
// Disarms the hook and clears every counter and plan.
void Reset();

namespace detail {
extern std::atomic<bool> armed;
bool CheckSlow(Op op);
}  // namespace detail

// Called by HostFile before each operation of the kind: true when this call must fail.
inline bool ShouldFail(Op op) {
    if (!detail::armed.load(std::memory_order_relaxed)) return false;
    return detail::CheckSlow(op);
}

}  // namespace FaultInjection
