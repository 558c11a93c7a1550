// RunPython: runs a Python script with PIL, the independent reader and painter of pictures in the tests.
#pragma once

#include <string>

namespace reshaper_test {

// True when python3 with PIL can be run.
bool HavePil();
// Runs a Python script with PIL; the script's standard output, or "ERROR" when it could not run.
std::string RunPython(const std::string& script);

}  // namespace reshaper_test
