// FlatFile: the file access object that the IFF resource file classes hold; one open file of the manager.
#pragma once

#include <cstdint>
#include <string>

#include "resfile/ResErrors.h"

class TGOpenFile;

// Every operation returns 0 or a negative code of the resource layer:
//   Create: -47 open, -43 exists, -42 cannot create.     Remove: -47 open, -40 missing, -39 failed.
//   Open: -47 open; read-write first, then read-only; -50 when neither works.
//   Close/Read/Write/Seek/SetLength/Commit/GetLength/GetPath: -49 when not open.
//   Read: -48 short.  Write: -46 short (read-only files write nothing).  Seek: -48 past the end.
//   SetLength: -50 on failure.  Commit: the code of CommitSessions (-46, -48 or -50).
// Writes and length changes reach the disk only with Commit, all at once (see FileSession); Close drops what
// was not committed.
class FlatFile {
public:
    FlatFile() = default;
    ~FlatFile();
    FlatFile(const FlatFile&) = delete;
    FlatFile& operator=(const FlatFile&) = delete;

    ResErr Create(const std::string& path);
    ResErr Remove(const std::string& path);
    ResErr Open(const std::string& path);
    ResErr Close();
    ResErr Read(void* buffer, int32_t n);
    // Reads at most n bytes at the position; `got` says how many came (fewer at the end of the file). -48 only when
    // the read itself failed.
    ResErr ReadUpTo(void* buffer, int32_t n, int32_t& got);
    ResErr Write(const void* buffer, int32_t n);
    ResErr Seek(int32_t offset);
    ResErr SetLength(int32_t n);
    // Puts every change since the last commit on the disk at once (or enrols it in an open CommitScope).
    ResErr Commit();
    // Forgets every change since the last commit; no open of the path commits again until all are closed.
    ResErr Discard();
    ResErr GetLength(int32_t& out) const;
    // The normalised path (lower case, backslashes) recorded at open.
    ResErr GetPath(std::string& out) const;
    bool IsOpen() const { return file_ != nullptr; }
    bool IsWritable() const { return writable_; }

private:
    TGOpenFile* file_ = nullptr;
    bool writable_ = false;
};
