// CrashRun: runs a piece of work in a child process with the fault hook armed there, for example to die at its k-th
// host file operation as a kill would.
#pragma once

#include <cstdint>
#include <functional>

namespace reshaper_test {

// The exit code of a child that the fault hook ended.
constexpr int kChildDied = 77;

// Forks; the child runs `arm` (which arms the fault hook), then `work`, and exits with what `work` returns. The
// child's exit code; -1 (and a failure of the calling test) when it ended any other way.
int RunInChild(const std::function<void()>& arm, const std::function<int()>& work);

// Runs `work` in a child that ends at its k-th write, flush, set-length or removal (a write puts half of its bytes
// on the disk first). True when the child ran `work` to the end, false when it died at operation k.
bool RunDyingAt(int64_t k, const std::function<void()>& work);

// Runs `work` dying at k = 1, 2, ... until it completes; after each death `check` looks at what was left.
// Returns the number of deaths. Gives up after `maxK`.
int64_t ForEveryDeath(const std::function<void()>& work, const std::function<void(int64_t k)>& check,
                      int64_t maxK = 2000);

}  // namespace reshaper_test
