// FileSession: the changes made to one loose file since its last commit, held in memory until a commit puts
// them on the disk all at once behind a rollback journal.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "resfile/FileJournal.h"

class HostFile;

// How a file changes without ever being left half-changed:
// - Between commits, writes and length changes live in this session only (whole 4096-byte pages); the file on
//   the disk still holds exactly what the last commit left. Reads see the session's pages over the disk's bytes.
// - A commit first writes the journal "NAME-journal": the file's length before the commit and the original bytes
//   of every range the commit will overwrite or cut away (bytes past the original length need none), with a
//   checksum; the journal and its directory entry are synced before the file is touched. Then the pages are
//   written, the length set and the file synced. Removing the journal (and syncing the directory) is the
//   commit point; a commit of several files adds a super-journal whose removal is their one commit point.
// - Opening a file that has a journal beside it first rolls the file back to its length and bytes before the
//   interrupted commit (a new file is removed). A journal that fails its checksum was still being written, so
//   the file was not yet touched: it is only removed. A journal naming a super-journal that is gone belongs to
//   a commit that completed: it is only removed.
// - A commit that fails part-way rolls the file back at once; when even that fails, the journal stays hot and
//   the next commit of this session, or the next open, replays it first.
class FileSession {
public:
    static constexpr int64_t kPageSize = 4096;

    // A session over an existing file opened for reading and writing, `length` bytes long.
    FileSession(std::string hostPath, std::shared_ptr<HostFile> handle, int64_t length);
    ~FileSession();
    FileSession(const FileSession&) = delete;
    FileSession& operator=(const FileSession&) = delete;

    // A file that does not exist on disk yet; its first commit creates it.
    static std::shared_ptr<FileSession> ForNewFile(std::string hostPath);
    // A read-only view of a file whose journal could not be played back (the file is not writable): reads see
    // the file as it was before the interrupted commit. Never commits.
    static std::shared_ptr<FileSession> ForRolledBackView(std::string hostPath, std::shared_ptr<HostFile> handle,
                                                          const FileJournal& journal);

    const std::string& GetHostPath() const { return hostPath_; }
    int64_t GetLength() const { return length_; }
    // True when the file exists on disk only after a commit that has not happened yet.
    bool IsPendingCreation() const { return handle_ == nullptr; }
    bool HasChanges() const { return !pages_.empty() || length_ != diskLength_ || handle_ == nullptr; }
    bool IsAbandoned() const { return abandoned_; }
    // True once a change could not be taken (memory ran out, or a page's old bytes could not be read): the
    // session then refuses every commit, so that no half-made change reaches the disk, until the file is
    // opened afresh.
    bool HasFailed() const { return failed_; }

    // Bytes read at `offset` (fewer at the end, 0 past it); -1 when the disk could not be read.
    int64_t Read(int64_t offset, void* buffer, int64_t n);
    // False when memory runs out or the page's old bytes could not be read (nothing is changed then).
    bool Write(int64_t offset, const void* buffer, int64_t n);
    // Cuts or extends (with zero bytes) to n bytes.
    bool SetLength(int64_t n);
    // Forgets every change since the last commit.
    void Discard();
    // Forgets every change and refuses every later commit: what opens of the file still hold in memory may
    // build on the forgotten changes, so nothing of it may reach the disk.
    void Fail();
    // The file was deleted: the session holds nothing more to commit.
    void Abandon();

    // The steps of a commit, in the order FileCommit runs them.
    // Plays back a journal that an earlier failed commit of this session left hot; false when that fails again.
    bool ReplayHotJournal();
    // The journal of the coming commit: original bytes read from the disk. False when the disk cannot be read.
    bool BuildJournal(const std::string& superJournal, FileJournal& out);
    // Puts the changes on the disk (creating a new file) and syncs it; false on any failure.
    bool Apply();
    // The disk now holds the changes: the session starts afresh from them.
    void MarkCommitted();
    // After a failed Apply: writes the journal's bytes back; false when that fails too (the journal stays hot).
    bool RollBack(const FileJournal& journal);
    void SetHotJournal(bool hot) { hotJournal_ = hot; }

private:
    FileSession(std::string hostPath, std::shared_ptr<HostFile> handle, int64_t length, bool readOnly);
    uint8_t* PageFor(int64_t index, bool wholePageWritten);
    int64_t ReadDisk(int64_t offset, uint8_t* out, int64_t n);

    std::string hostPath_;
    std::shared_ptr<HostFile> handle_;  // null until a new file is created
    std::map<int64_t, std::unique_ptr<uint8_t[]>> pages_;  // page index -> the page's bytes as they will be
    int64_t diskLength_ = 0;  // the file's length on disk (what the last commit left)
    int64_t diskValid_ = 0;   // disk bytes below this still belong to the file where no page covers them
    int64_t length_ = 0;      // the file's length as this session sees it
    bool readOnly_ = false;
    bool abandoned_ = false;
    bool failed_ = false;
    bool hotJournal_ = false;
};
