// WriteExportFile: create, write, count and close.
#include "export/WriteExportFile.h"

#include <memory>

#include "platform/HostFile.h"
#include "platform/HostPath.h"

bool WriteExportFile(const std::string& path, const std::vector<uint8_t>& bytes, int64_t* bytesWritten) {
    if (bytes.empty()) return false;
    std::unique_ptr<HostFile> file = HostFile::Create(ResolveHostPath(path));
    if (!file) return false;
    const int64_t n = static_cast<int64_t>(bytes.size());
    const int64_t written = file->Write(bytes.data(), n);
    if (bytesWritten && written > 0) *bytesWritten += written;
    if (written != n) return false;
    return file->Close();
}
