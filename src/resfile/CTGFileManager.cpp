// CTGFileManager: path table, directory and archive mapping, enumeration and open files of the file layer.
#include "resfile/CTGFileManager.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>

#include "platform/AsciiFold.h"
#include "platform/HostDirectory.h"
#include "platform/HostPath.h"
#include "platform/Wildcard.h"
#include "resfile/ArchiveManifest.h"
#include "resfile/CommitScope.h"
#include "resfile/FileCommit.h"
#include "resfile/FileSession.h"
#include "resfile/JournalRecovery.h"
#include "resfile/ResErrors.h"

namespace {

std::string JoinHost(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

// Splits a normalised path at its last '\' into the directory key (with the '\') and the name, as views of it.
void SplitView(std::string_view path, std::string_view& directory, std::string_view& name) {
    size_t cut = path.rfind('\\');
    if (cut == std::string_view::npos) {
        directory = std::string_view();
        name = path;
    } else {
        directory = path.substr(0, cut + 1);
        name = path.substr(cut + 1);
    }
}

// Splits a normalised path at its last '\' into the directory key (with the '\') and the name.
void SplitPath(const std::string& path, std::string& directory, std::string& name) {
    size_t cut = path.rfind('\\');
    if (cut == std::string::npos) {
        directory.clear();
        name = path;
    } else {
        directory = path.substr(0, cut + 1);
        name = path.substr(cut + 1);
    }
}

bool EndsWithFar(const std::string& name) {
    if (name.size() < 3) return false;
    std::string tail = CTGFileManager::NormalizePath(name.substr(name.size() - 3));
    return tail == "far";
}

// A member name is usable when it is not empty, holds no NUL, and every component between separators is a
// real name (no empty, "." or ".." component that would place the member outside its archive's directory).
bool IsUsableMemberName(const std::string& normalizedName) {
    if (normalizedName.empty() || normalizedName.find('\0') != std::string::npos) return false;
    size_t start = 0;
    while (start <= normalizedName.size()) {
        size_t end = normalizedName.find('\\', start);
        if (end == std::string::npos) end = normalizedName.size();
        std::string part = normalizedName.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

// ---- TGOpenFile ----

int32_t TGOpenFile::Read(void* buffer, int32_t n) {
    if (n <= 0) return 0;
    if (session_) {
        int64_t got = session_->Read(position_, buffer, n);
        if (got <= 0) return 0;
        position_ += static_cast<int32_t>(got);
        return static_cast<int32_t>(got);
    }
    if (!handle_) return 0;
    if (shared_) {
        if (position_ >= length_) return 0;
        if (n > length_ - position_) n = length_ - position_;
        std::lock_guard<std::mutex> guard(manager_->lock_);
        int64_t got = handle_->ReadAt(base_ + position_, buffer, n);
        if (got <= 0) return 0;
        position_ += static_cast<int32_t>(got);
        return static_cast<int32_t>(got);
    }
    if (n > std::numeric_limits<int32_t>::max() - position_) n = std::numeric_limits<int32_t>::max() - position_;
    int64_t got = n > 0 ? handle_->ReadAt(position_, buffer, n) : 0;
    if (got <= 0) return 0;
    position_ += static_cast<int32_t>(got);
    return static_cast<int32_t>(got);
}

int32_t TGOpenFile::Write(const void* buffer, int32_t n) {
    if (!writable_ || n <= 0 || !session_) return 0;
    if (n > std::numeric_limits<int32_t>::max() - position_) n = std::numeric_limits<int32_t>::max() - position_;
    if (n <= 0 || !session_->Write(position_, buffer, n)) return 0;
    position_ += n;
    return n;
}

bool TGOpenFile::Seek(int32_t position) {
    if (position < 0 || position > GetLength()) return false;
    // Every read and write names its own offset, so only the position moves.
    position_ = position;
    return true;
}

bool TGOpenFile::SetLength(int32_t n) {
    if (!writable_ || !session_ || n < 0) return false;
    if (!session_->SetLength(n)) return false;
    position_ = n;
    if (manager_) manager_->SetRecordedSize(path_, n);
    return true;
}

int32_t TGOpenFile::Commit() {
    if (!writable_ || !session_) return kNoErr;
    if (CommitScope::IsOpen()) {
        CommitScope::Enroll(session_);
        return kNoErr;
    }
    return CommitSessions({session_});
}

void TGOpenFile::Discard() {
    if (writable_ && session_) session_->Fail();
}

int32_t TGOpenFile::GetLength() const {
    if (!session_) return length_;
    int64_t length = session_->GetLength();
    return length > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                         : static_cast<int32_t>(length);
}

// ---- CTGFileManager ----

CTGFileManager& CTGFileManager::Instance() {
    static CTGFileManager manager;
    return manager;
}

std::string CTGFileManager::NormalizePath(const std::string& path) {
    std::string out;
    NormalizePathInto(path, out);
    return out;
}

void CTGFileManager::NormalizePathInto(std::string_view path, std::string& out) {
    out.assign(path);
    for (char& c : out) c = c == '/' ? '\\' : FoldAscii(c);
}

bool CTGFileManager::MatchPattern(const std::string& name, const std::string& pattern) {
    return MatchWildcard(NormalizePath(name), NormalizePath(pattern));
}

void CTGFileManager::MapDirectory(const std::string& directory, bool recursive, bool mapArchives) {
    std::string key = NormalizePath(directory);
    if (!key.empty() && key.back() != '\\') key.push_back('\\');
    // Absolute, so that files of the directory are found while an import has another directory current.
    std::string host = AbsoluteHostPath(ResolveHostPath(directory));
    std::set<FileIdentity> visited;
    MapDirectoryAt(key, host, recursive, mapArchives, visited);
}

void CTGFileManager::MapDirectoryAt(const std::string& key, const std::string& hostDirectory, bool recursive,
                                    bool mapArchives, std::set<FileIdentity>& visited) {
    // The host listing leaves out "." and ".." itself, so no entry is skipped here.
    std::vector<HostDirEntry> listing;
    if (!ListHostDirectory(hostDirectory, "*.*", listing)) return;
    FileIdentity id{};
    if (GetHostFileIdentity(hostDirectory.empty() ? std::string(".") : hostDirectory, id.first, id.second)) {
        // A directory reached again through a link is mapped once, so a link loop cannot recurse forever.
        if (!visited.insert(id).second) return;
    }
    // References into the table stay valid while deeper levels are added.
    Directory& dir = table_[key];
    hostDirectories_[key] = hostDirectory;

    for (const HostDirEntry& item : listing) {
        if (!item.isDirectory && IsJournalName(item.name)) {
            // Journals are no resource files. One that an interrupted commit left behind is played back now:
            // the file it belongs to may be gone (its creation was interrupted), so no open would find it.
            RecoverStrayJournal(AbsoluteHostPath(JoinHost(hostDirectory, item.name)));
            continue;
        }
        std::string name = NormalizePath(item.name);
        if (!item.isDirectory && mapArchives && EndsWithFar(item.name)) {
            MapArchive(key + name, JoinHost(hostDirectory, item.name), key);
            continue;
        }
        auto [it, added] = dir.try_emplace(name);
        if (added) {
            it->second.name = name;
            it->second.hostName = item.name;
            it->second.isDirectory = item.isDirectory;
        }
        if (item.isDirectory && recursive)
            MapDirectoryAt(key + name + "\\", JoinHost(hostDirectory, item.name), recursive, mapArchives, visited);
    }
}

void CTGFileManager::MapArchive(const std::string& normalizedArchivePath, const std::string& hostPath,
                                const std::string& directory) {
    std::shared_ptr<HostFile> archive(HostFile::Open(hostPath, false));
    if (!archive) {
        std::fprintf(stderr, "Couldn't Open file '%s' for mapping.\n", normalizedArchivePath.c_str());
        return;
    }
    for (const ArchiveMember& m : ReadArchiveManifest(*archive, kMaxMemberNameLength, kMaxManifestBytes))
        AddMember(directory, NormalizePath(m.name), archive, m.offset, m.size);
}

bool CTGFileManager::AddMember(const std::string& directory, const std::string& normalizedName,
                               const std::shared_ptr<HostFile>& archive, int64_t offset, int32_t size) {
    if (!IsUsableMemberName(normalizedName)) return false;
    if (FindEntry(directory + normalizedName)) return false;  // the first mapped member of a path wins

    std::string current = directory;
    size_t start = 0;
    for (;;) {
        size_t cut = normalizedName.find('\\', start);
        if (cut == std::string::npos) break;
        std::string level = normalizedName.substr(start, cut - start);
        Directory& dir = table_[current];
        if (!dir.count(level)) {
            Entry e;
            e.name = level;
            e.hostName = level;
            e.writable = false;
            e.isDirectory = true;
            dir.emplace(level, std::move(e));
        }
        current += level + "\\";
        start = cut + 1;
    }
    std::string leaf = normalizedName.substr(start);
    Entry e;
    e.name = leaf;
    e.archiveMember = true;
    e.writable = false;
    e.archive = archive;
    e.offset = offset;
    e.size = size;
    table_[current].emplace(leaf, std::move(e));
    return true;
}

bool CTGFileManager::FindFirst(const std::string& pattern, TGFindData& found) {
    std::string norm = NormalizePath(pattern);
    SplitPath(norm, found.directory, found.pattern);
    found.cursor.clear();
    found.started = false;
    return FindNext(found);
}

bool CTGFileManager::FindNext(TGFindData& found) {
    auto dir = table_.find(found.directory);
    if (dir == table_.end()) return false;
    // The cursor is the last name returned, so entries added or removed meanwhile do not upset the walk.
    auto it = found.started ? dir->second.upper_bound(found.cursor) : dir->second.begin();
    for (; it != dir->second.end(); ++it) {
        if (!MatchWildcard(it->first, found.pattern)) continue;
        found.name = it->second.name;
        found.isDirectory = it->second.isDirectory;
        found.isArchiveMember = it->second.archiveMember;
        found.cursor = it->first;
        found.started = true;
        return true;
    }
    found.cursor = dir->second.empty() ? std::string() : dir->second.rbegin()->first;
    found.started = true;
    return false;
}

const CTGFileManager::Entry* CTGFileManager::FindEntry(std::string_view normalizedPath) const {
    std::string_view dirKey, name;
    SplitView(normalizedPath, dirKey, name);
    if (name.empty()) return nullptr;
    auto dir = table_.find(dirKey);
    if (dir == table_.end()) return nullptr;
    auto it = dir->second.find(name);
    return it == dir->second.end() ? nullptr : &it->second;
}

CTGFileManager::Entry* CTGFileManager::FindEntryMutable(std::string_view normalizedPath) {
    return const_cast<Entry*>(FindEntry(normalizedPath));
}

std::string CTGFileManager::HostPathOf(const std::string& path) const {
    std::string norm = NormalizePath(path);
    std::string dirKey, name;
    SplitPath(norm, dirKey, name);
    auto hostDir = hostDirectories_.find(dirKey);
    if (name.empty() || hostDir == hostDirectories_.end()) return ResolveHostPath(path);
    const Entry* e = FindEntry(norm);
    if (e && !e->archiveMember && !e->hostName.empty()) return JoinHost(hostDir->second, e->hostName);
    // Not known: the name as the caller gave it, matched against the directory's current contents.
    std::string given = path.substr(path.size() - name.size());
    std::string onDisk;
    ResolveHostName(hostDir->second, given, onDisk);  // an empty directory is the current one
    return JoinHost(hostDir->second, onDisk);
}

void CTGFileManager::SetRecordedSize(const std::string& normalizedPath, int32_t size) {
    if (Entry* e = FindEntryMutable(normalizedPath)) e->size = size;
}

std::shared_ptr<FileSession> CTGFileManager::FindSession(const std::string& normalizedPath) {
    auto created = created_.find(normalizedPath);
    if (created != created_.end()) return created->second;
    auto it = sessions_.find(normalizedPath);
    if (it == sessions_.end()) return nullptr;
    std::shared_ptr<FileSession> live = it->second.lock();
    if (!live || live->IsAbandoned()) {
        sessions_.erase(it);
        return nullptr;
    }
    return live;
}

void CTGFileManager::PruneLostCreation(const std::string& normalizedPath) {
    Entry* e = FindEntryMutable(normalizedPath);
    if (!e || !e->pendingCreation || FindSession(normalizedPath)) return;
    if (HostFileExists(HostPathOf(normalizedPath))) {
        e->pendingCreation = false;
        return;
    }
    std::string dirKey, name;
    SplitPath(normalizedPath, dirKey, name);
    table_[dirKey].erase(name);
}

TGOpenFile* CTGFileManager::Open(const std::string& path, bool writable) {
    std::string norm = NormalizePath(path);
    const Entry* e = FindEntry(norm);
    if (e && e->pendingCreation) {
        PruneLostCreation(norm);
        e = FindEntry(norm);
    }
    std::unique_ptr<TGOpenFile> file = NewOpenFile(norm);
    if (!file) return nullptr;
    if (e && e->archiveMember) {
        if (writable || !e->archive) return nullptr;
        file->handle_ = e->archive;
        file->base_ = e->offset;
        file->length_ = e->size;
        file->shared_ = true;
        file->writable_ = false;
        return file.release();
    }
    // Every open of a path shares the changes that are not committed yet.
    if (std::shared_ptr<FileSession> live = FindSession(norm)) {
        created_.erase(norm);
        sessions_[norm] = live;
        file->session_ = std::move(live);
        file->writable_ = writable;
        return file.release();
    }
    // Sessions and journals keep absolute paths: an import changes the current directory while files are open.
    std::string_view dirKey, name;
    SplitView(norm, dirKey, name);
    auto hostDir = hostDirectories_.find(dirKey);
    const bool mapped = hostDir != hostDirectories_.end();
    if (mapped) {
        const std::string host = e && !e->hostName.empty() ? JoinHost(hostDir->second, e->hostName)
                                                           : AbsoluteHostPath(HostPathOf(path));
        return OpenOnDisk(std::move(file), norm, host, true, writable);
    }
    // Elsewhere a path that stands on the disk as given is its own resolution (an exact name wins at every
    // level), so the open itself tells, without a look at the disk first; only when it fails is the path
    // resolved without regard to case.
    const std::string asGiven = AbsoluteHostPath(HostPathAsGiven(path));
    if (TGOpenFile* opened = OpenOnDisk(std::move(file), norm, asGiven, false, writable)) return opened;
    const std::string resolved = AbsoluteHostPath(ResolveHostPath(path));
    if (resolved == asGiven) return nullptr;
    std::unique_ptr<TGOpenFile> again = NewOpenFile(norm);
    return again ? OpenOnDisk(std::move(again), norm, resolved, false, writable) : nullptr;
}

std::unique_ptr<TGOpenFile> CTGFileManager::NewOpenFile(const std::string& normalizedPath) {
    std::unique_ptr<TGOpenFile> file(new (std::nothrow) TGOpenFile());
    if (!file) return nullptr;
    file->path_ = normalizedPath;
    file->manager_ = this;
    return file;
}

TGOpenFile* CTGFileManager::OpenOnDisk(std::unique_ptr<TGOpenFile> file, const std::string& norm,
                                       const std::string& host, bool mapped, bool writable) {
    // The journals of a mapped directory were dealt with when it was listed, so only one that a failed commit of
    // this process left behind can be there; elsewhere the disk is asked.
    RecoveryResult recovery = mapped && !IsJournalLeftBehind(host) ? RecoveryResult::kNothing
                                                                   : RecoverInterruptedCommit(host);
    if (recovery == RecoveryResult::kFailed) return nullptr;
    if (recovery == RecoveryResult::kNotWritable) {
        FileJournal journal;
        if (writable) return nullptr;
        std::shared_ptr<HostFile> handle(HostFile::Open(host, false));
        if (!handle) return nullptr;
        if (FindJournalToView(host, journal)) {
            if (journal.createdFile) return nullptr;  // before the interrupted commit the file did not exist
            file->session_ = FileSession::ForRolledBackView(host, handle, journal);
            if (!file->session_) return nullptr;
            return file.release();
        }
        file->handle_ = std::move(handle);
    } else {
        std::unique_ptr<HostFile> host_file = HostFile::Open(host, writable);
        if (!host_file) {
            // A rolled-back new file is gone again.
            if (recovery == RecoveryResult::kRecovered) PruneLostCreation(norm);
            return nullptr;
        }
        file->handle_ = std::move(host_file);
    }
    int64_t size = file->handle_->SizeAtOpen();
    // Offsets of the file layer are 32-bit: a larger file cannot be addressed and does not open.
    if (size < 0 || size > std::numeric_limits<int32_t>::max()) return nullptr;
    file->length_ = static_cast<int32_t>(size);
    file->writable_ = writable;
    if (writable) {
        auto session = std::make_shared<FileSession>(host, std::move(file->handle_), size);
        sessions_[norm] = session;
        file->session_ = std::move(session);
    }
    return file.release();
}

void CTGFileManager::Close(TGOpenFile* file) {
    // A loose file's handle is owned by the open file alone and closes with it; a member only lets go of
    // its share of the archive's handle.
    delete file;
}

bool CTGFileManager::Create(const std::string& path) {
    std::string norm = NormalizePath(path);
    PruneLostCreation(norm);
    if (FindEntry(norm) || table_.count(norm) || FindSession(norm)) return false;
    std::string host = HostPathOf(path);
    // The file itself is made by its first commit, but a directory to make it in must be there now; a journal
    // that an interrupted creation of the same name left behind goes first.
    const std::string hostDirectory = HostDirectoryOf(host);
    if (RecoverInterruptedCommit(AbsoluteHostPath(host)) == RecoveryResult::kFailed) return false;
    if (!IsHostDirectory(hostDirectory.empty() ? std::string(".") : hostDirectory) || IsHostDirectory(host))
        return false;
    created_[norm] = FileSession::ForNewFile(AbsoluteHostPath(host));
    std::string dirKey, name;
    SplitPath(norm, dirKey, name);
    auto dir = table_.find(dirKey);
    if (dir != table_.end() && !name.empty()) {
        Entry e;
        e.name = name;
        size_t slash = host.rfind('/');
        e.hostName = slash == std::string::npos ? host : host.substr(slash + 1);
        e.writable = true;
        e.pendingCreation = true;
        dir->second.emplace(name, std::move(e));
    }
    return true;
}

bool CTGFileManager::CreateDirectory(const std::string& path) {
    std::string norm = NormalizePath(path);
    while (!norm.empty() && norm.back() == '\\') norm.pop_back();
    std::string host = HostPathOf(path);
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    if (!IsHostDirectory(host) && !CreateHostDirectory(host)) return false;
    std::string dirKey, name;
    SplitPath(norm, dirKey, name);
    auto dir = table_.find(dirKey);
    if (dir != table_.end() && !name.empty() && !dir->second.count(name)) {
        Entry e;
        e.name = name;
        size_t slash = host.rfind('/');
        e.hostName = slash == std::string::npos ? host : host.substr(slash + 1);
        e.isDirectory = true;
        dir->second.emplace(name, std::move(e));
        table_.emplace(norm + "\\", Directory());
        // A real directory: names not in the table are looked up on the disk.
        hostDirectories_.emplace(norm + "\\", AbsoluteHostPath(host));
    }
    return true;
}

bool CTGFileManager::Delete(const std::string& path) {
    std::string norm = NormalizePath(path);
    std::string dirKey, name;
    SplitPath(norm, dirKey, name);
    if (std::shared_ptr<FileSession> live = FindSession(norm)) {
        bool onDisk = !live->IsPendingCreation();
        live->Abandon();
        created_.erase(norm);
        sessions_.erase(norm);
        if (!onDisk) {
            table_[dirKey].erase(name);
            return true;
        }
    }
    PruneLostCreation(norm);
    const Entry* e = FindEntry(norm);
    std::string host = HostPathOf(path);
    if (!e) return DeleteHostFile(host);
    if (e->archiveMember || e->isDirectory) return false;
    bool deleted = DeleteHostFile(host);
    // The entry goes when the file is gone from the disk, whether or not this call removed it.
    if (deleted || !HostFileExists(host)) table_[dirKey].erase(name);
    return deleted;
}

bool CTGFileManager::Exists(const std::string& path) {
    std::string norm = NormalizePath(path);
    PruneLostCreation(norm);
    if (FindEntry(norm) || table_.count(norm) || FindSession(norm)) return true;
    if (IsKnownMissing(path)) return false;
    return HostFile::Open(HostPathOf(path), false) != nullptr;
}

bool CTGFileManager::IsKnownMissing(const std::string& path) {
    // Asked for every companion a scan looks for: the texts are kept from one call to the next.
    thread_local std::string norm, given, onDisk;
    NormalizePathInto(path, norm);
    std::string_view view(norm);
    size_t length = path.size();
    while (view.size() > 1 && view.back() == '\\') {
        view.remove_suffix(1);
        --length;
    }
    // A directory of the table (its key ends in '\\') is there.
    if (view.size() < norm.size() && table_.count(std::string_view(norm).substr(0, view.size() + 1))) return false;
    std::string_view dirKey, name;
    SplitView(view, dirKey, name);
    if (name.empty()) return false;
    auto dir = table_.find(dirKey);
    if (dir != table_.end() && dir->second.count(name)) return false;
    // Files of a directory of the table are in it (new ones too); elsewhere an open one may be unknown to it.
    if (dir == table_.end() && (sessions_.count(view) || created_.count(view))) return false;
    auto hostDir = hostDirectories_.find(dirKey);
    // A directory made of archive members holds exactly what its archives hold.
    if (hostDir == hostDirectories_.end()) return dir != table_.end();
    // The directory's listing (kept while the directory does not change) answers without trying to open.
    given.assign(path, length - name.size(), name.size());
    return !ResolveHostName(hostDir->second, given, onDisk);
}

void CTGFileManager::Reset() {
    table_.clear();
    hostDirectories_.clear();
    sessions_.clear();
    created_.clear();
}
