// GameFileCheck: the size check of the game's two program files.
#include "app/GameFileCheck.h"

#include <string>

#include "platform/HostFile.h"
#include "platform/HostPath.h"

namespace {
// The size of a readable regular file, -1 when it cannot be opened.
int64_t FileSize(const char* name) {
    auto file = HostFile::Open(ResolveHostPath(name), false);
    return file ? file->Size() : -1;
}
}  // namespace

bool CheckGameFiles() {
    int64_t program = FileSize(kGameProgramFile);
    if (program < 0 || program >= kGameProgramSizeLimit) return false;
    int64_t data = FileSize(kGameDataFile);
    return data > kGameDataSizeMinimum;
}
