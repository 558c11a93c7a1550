// CrashRun: runs a piece of work in a child process that dies at its k-th host file operation, as a kill would.
#pragma once

#include <cstdint>
#include <functional>

namespace reshaper_test {

// Forks; the child arms the fault hook to end the process at its k-th write, flush, set-length or removal
// (a write puts half of its bytes on the disk first) and runs `work`. True when the child ran `work` to the
// end, false when it died at operation k. A child that crashed any other way fails the calling test.
bool RunDyingAt(int64_t k, const std::function<void()>& work);

// Runs `work` dying at k = 1, 2, ... until it completes; after each death `check` looks at what was left.
// Returns the number of deaths (0 when the work does no host file operation). Gives up after `maxK`.
int64_t ForEveryDeath(const std::function<void()>& work, const std::function<void(int64_t k)>& check,
                      int64_t maxK = 2000);

}  // namespace reshaper_test
