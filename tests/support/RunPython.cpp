// RunPython: the script written to a temporary file and run by Debian's interpreter.
#include "support/RunPython.h"

#include <unistd.h>

#include <cstdio>

#include "support/TempDir.h"

namespace reshaper_test {

bool HavePil() { return RunPython("import PIL; print('ok')") == "ok\n"; }

std::string RunPython(const std::string& script) {
    TempDir dir("reshaper-py-");
    const std::string path = dir.Join("script.py");
    if (!WriteFileText(path, script)) return "ERROR";
    // Debian's interpreter, which the imaging library is installed for, ahead of any other on the PATH.
    const char* python = access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
    FILE* p = popen((std::string(python) + " '" + path + "' 2>&1").c_str(), "r");
    if (!p) return "ERROR";
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    return pclose(p) == 0 ? out : "ERROR: " + out;
}

}  // namespace reshaper_test
