// CTGFileManager: the process-wide file manager: path table, mapped directories and archive members.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/HostFile.h"

class FileSession;

class CTGFileManager;

// One open file of the manager: a loose file, whose reads and writes go through the session of changes it
// shares with every other open of the same path (see FileSession: nothing reaches the disk before a commit),
// or a view of an archive member over the archive's shared handle (reads of members take the manager's lock).
class TGOpenFile {
public:
    // Bytes read at the position (0 at the end, for n <= 0, or on failure); archive members are cut at the
    // member's end. The position advances by the bytes read.
    int32_t Read(void* buffer, int32_t n);
    // Bytes written at the position; 0 when not writable or n <= 0 (or when the change could not be taken).
    // Extends the length.
    int32_t Write(const void* buffer, int32_t n);
    // False for a negative position or one past the length (exactly the length is allowed).
    bool Seek(int32_t position);
    // Moves to n and cuts or extends the file there; false (nothing changed) when not writable or on failure.
    bool SetLength(int32_t n);
    // Puts the changes made since the last commit on the disk at once (see FileSession), or, while a
    // CommitScope is open, enrols them in the scope's commit. 0, or the code of CommitSessions. Read-only files
    // and archive members have nothing to commit.
    int32_t Commit();
    // Forgets the changes made since the last commit (every open of the path sees the disk's bytes again) and
    // makes the path's session refuse later commits until every open of it is closed: what those opens hold in
    // memory may build on the forgotten changes.
    void Discard();
    int32_t GetLength() const;
    int32_t GetPosition() const { return position_; }
    // The normalised path (lower case, backslashes).
    const std::string& GetPath() const { return path_; }
    bool IsWritable() const { return writable_; }
    bool IsArchiveMember() const { return shared_; }

private:
    friend class CTGFileManager;
    TGOpenFile() = default;
    std::string path_;
    std::shared_ptr<HostFile> handle_;    // an archive member's (shared) or a read-only loose file's handle
    std::shared_ptr<FileSession> session_;  // a loose file opened for writing, or read while it has changes
    int64_t base_ = 0;
    int32_t length_ = 0;
    int32_t position_ = 0;
    bool shared_ = false;
    bool writable_ = false;
    CTGFileManager* manager_ = nullptr;
};

// One step of an enumeration started by FindFirst.
struct TGFindData {
    std::string name;  // normalised name within its directory
    bool isDirectory = false;
    bool isArchiveMember = false;
    // Cursor of the enumeration (internal): the directory key, the name pattern, and the last name returned.
    std::string directory;
    std::string pattern;
    std::string cursor;
    bool started = false;
};

class CTGFileManager {
public:
    struct Entry {
        std::string name;      // normalised name within its directory
        std::string hostName;  // the name as it stands on disk (loose files and directories)
        bool archiveMember = false;
        bool writable = true;
        std::shared_ptr<HostFile> archive;  // for a member: the open handle of its archive
        int64_t offset = 0;                 // for a member: offset of its data within the archive
        int32_t size = 0;                   // for a member: its length; for a loose file: set by SetLength
        bool isDirectory = false;
        bool pendingCreation = false;       // made by Create; on the disk only once its first commit is done
    };

    // Archive member names longer than this are rejected (the platform's path limit less its terminator).
    static constexpr int32_t kMaxMemberNameLength = 259;
    // At most this many manifest bytes are read from one archive; members past them are not mapped.
    static constexpr int64_t kMaxManifestBytes = 64 * 1024 * 1024;

    // The one manager of the process.
    static CTGFileManager& Instance();

    CTGFileManager() = default;
    CTGFileManager(const CTGFileManager&) = delete;
    CTGFileManager& operator=(const CTGFileManager&) = delete;

    // Lower-cases A to Z and turns '/' into '\'.
    static std::string NormalizePath(const std::string& path);
    // The same into out, whose storage is reused.
    static void NormalizePathInto(std::string_view path, std::string& out);
    // Matches a name against a pattern with '*' and '?', both lower-cased first.
    static bool MatchPattern(const std::string& name, const std::string& pattern);

    // Lists the directory on disk and registers it with its entries; subdirectories are mapped in turn when
    // `recursive`, files ending in "FAR" are read as archives (and not listed) when `mapArchives`. A directory
    // that cannot be listed is not registered. Entries already known keep their first registration.
    void MapDirectory(const std::string& directory, bool recursive, bool mapArchives);
    // False when the pattern's directory is not in the table or nothing in it matches.
    bool FindFirst(const std::string& pattern, TGFindData& found);
    // False when no further entry matches.
    bool FindNext(TGFindData& found);

    // Null on failure; members of archives never open for writing. Release the result with Close. A loose file
    // with a journal beside it is first rolled back (see JournalRecovery); one that cannot be written is read
    // as it was before the interrupted commit, and one whose journal cannot be dealt with does not open.
    TGOpenFile* Open(const std::string& path, bool writable);
    // Closes the platform handle unless it belongs to an archive, and destroys the object (null is allowed).
    void Close(TGOpenFile* file);
    // Creates an empty file (replacing one on disk that the table does not know); false when the path is in
    // the table. The file reaches the disk with its first commit: until then it exists only for this process,
    // and a crash leaves nothing behind.
    bool Create(const std::string& path);
    // Makes a directory on disk (an existing one is fine); when its parent is in the table the directory is
    // registered too, empty, so files created in it are listed. False when it neither exists nor was made.
    bool CreateDirectory(const std::string& path);
    // False for archive members and directories, and when deleting from disk fails. Changes not yet committed
    // to the file are dropped.
    bool Delete(const std::string& path);
    // True for a path in the table, else when the file can be opened for reading.
    bool Exists(const std::string& path);
    // True when the path lies in a mapped directory and neither the table nor the directory's listing on disk
    // holds its name (a file or a directory, a final '\\' allowed): it surely does not exist. False when it
    // exists or cannot be told without trying.
    bool IsKnownMissing(const std::string& path);

    // Forgets every mapped directory and drops the archives (tests and a rebuilt catalogue). Members that are
    // still open keep their archive's handle until they are closed.
    void Reset();
    // The table entry of a normalised path, or null.
    const Entry* FindEntry(std::string_view normalizedPath) const;

private:
    friend class TGOpenFile;
    // Maps with transparent comparison, so that lookups take a view of a path without copying it.
    using Directory = std::map<std::string, Entry, std::less<>>;
    using FileIdentity = std::pair<unsigned long long, unsigned long long>;

    void MapDirectoryAt(const std::string& key, const std::string& hostDirectory, bool recursive, bool mapArchives,
                        std::set<FileIdentity>& visited);
    void MapArchive(const std::string& normalizedArchivePath, const std::string& hostPath,
                    const std::string& directory);
    // Adds one member (its directory levels first); false when its name is unusable or its path is known.
    bool AddMember(const std::string& directory, const std::string& normalizedName,
                   const std::shared_ptr<HostFile>& archive, int64_t offset, int32_t size);
    Entry* FindEntryMutable(std::string_view normalizedPath);
    // The host path of a path given by a caller: mapped names as they stand on disk, others resolved.
    std::string HostPathOf(const std::string& path) const;
    // A fresh open file of the path, owned by this manager; null when memory runs out.
    std::unique_ptr<TGOpenFile> NewOpenFile(const std::string& normalizedPath);
    // Opens a loose file at its host path after rolling back an interrupted commit there; null when it does not
    // open. A writable open starts the path's session.
    TGOpenFile* OpenOnDisk(std::unique_ptr<TGOpenFile> file, const std::string& normalizedPath,
                           const std::string& host, bool mapped, bool writable);
    void SetRecordedSize(const std::string& normalizedPath, int32_t size);
    // The live session of a path (open somewhere, created and not yet opened, or enrolled in a scope), or null.
    std::shared_ptr<FileSession> FindSession(const std::string& normalizedPath);
    // Forgets a table entry made by Create whose file neither reached the disk nor has a session any more.
    void PruneLostCreation(const std::string& normalizedPath);

    std::mutex lock_;
    // Hashes a path or a view of one, so that lookups by view need no copy.
    struct PathHash {
        using is_transparent = void;
        size_t operator()(std::string_view path) const { return std::hash<std::string_view>{}(path); }
    };
    template <class Value>
    using PathTable = std::unordered_map<std::string, Value, PathHash, std::equal_to<>>;
    // Directory key (normalised, with final '\') -> entries in byte-wise name order. Every lookup of a path
    // starts here, and the keys share long prefixes, so the directories are hashed; only their entries need order.
    PathTable<Directory> table_;
    // Directory key -> host path of directories that were listed on disk.
    PathTable<std::string> hostDirectories_;
    // Normalised path -> the session its opens share; files made by Create are held until first opened. Looked
    // up on every open, so hashed: a catalogue holds thousands of them, with long common prefixes.
    PathTable<std::weak_ptr<FileSession>> sessions_;
    PathTable<std::shared_ptr<FileSession>> created_;
};
