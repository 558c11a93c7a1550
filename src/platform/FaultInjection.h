// FaultInjection: process-wide test hook that makes chosen host file operations fail, or ends the process at one.
#pragma once

#include <atomic>
#include <cstdint>

// Tests arm the hook to make the k-th write (or flush, set-length or removal) from now on fail, then run an
// operation and check that it reports the failure and leaves sound data behind; moving k forward until
// the operation no longer reaches the k-th call covers every failure point. Crash tests instead end the
// process at the k-th operation of any kind (a write first puts half of its bytes on the disk), as a kill or a
// power cut would, and check what a fresh open finds. While the hook is not armed HostFile pays one relaxed
// load of a flag per call and nothing is counted.
namespace FaultInjection {

enum class Op { Write = 0, Flush = 1, SetLength = 2, Remove = 3 };
// What the host file layer does with one operation.
enum class Action { Proceed, Fail, Exit };

// Arms the hook for `op`: the k-th call from now (k >= 1) fails; with `persistent` every later call of
// that kind fails too. k <= 0 only starts counting. Counters of all kinds restart at 0 when the hook goes
// from unarmed to armed.
void FailNth(Op op, int64_t k, bool persistent = false);
// Arms the hook so that the k-th operation of any kind from now (k >= 1) ends the process with _exit(code):
// nothing is flushed, no destructor runs.
void ExitAtNth(int64_t k, int code);
// Starts counting calls without failing any.
void StartCounting();
// Calls of `op` seen since the hook was armed (0 when not armed).
int64_t GetCount(Op op);
// Calls of every kind seen since the hook was armed.
int64_t GetTotalCount();
// Calls of `op` that were made to fail since the hook was armed.
int64_t GetFailures(Op op);
// Disarms the hook and clears every counter and plan.
void Reset();
// Ends the process as an Exit action asks (called by the host file layer).
[[noreturn]] void ExitNow();

namespace detail {
extern std::atomic<bool> armed;
Action CheckSlow(Op op);
}  // namespace detail

// Called by HostFile before each operation of the kind.
inline Action Check(Op op) {
    if (!detail::armed.load(std::memory_order_relaxed)) return Action::Proceed;
    return detail::CheckSlow(op);
}

}  // namespace FaultInjection
