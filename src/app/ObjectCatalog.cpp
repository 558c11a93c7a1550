// ObjectCatalog: the directory scan, lookups, cloned files and deletion.
#include "app/ObjectCatalog.h"

#include <algorithm>
#include <numeric>

#include "platform/AsciiFold.h"
#include "platform/HostPath.h"
#include "resfile/BoundedString.h"
#include "resfile/CTGFileManager.h"
#include "resfile/ResFileExtension.h"
#include "resfile/StdResFile.h"

namespace {
// Deeper trees than this come only from link loops; the manager's table never holds them.
constexpr int kMaxScanDepth = 64;
}  // namespace

ObjectCatalog::ObjectCatalog() = default;
ObjectCatalog::~ObjectCatalog() = default;

ObjectCatalog& ObjectCatalog::Instance() {
    // The open files close through the file manager, so the manager must outlive the catalogue: statics are
    // destroyed in the reverse order of their construction.
    CTGFileManager::Instance();
    static ObjectCatalog catalog;
    return catalog;
}

ResErr ObjectCatalog::Clear(std::string* failedPath) {
    current_ = nullptr;
    ResErr first = kNoErr;
    for (auto& f : files_) {
        ResErr err = f->Close();
        if (err && !first) {
            first = err;
            if (failedPath) *failedPath = f->path;
        }
    }
    files_.clear();
    return first;
}

void ObjectCatalog::Scan(const std::vector<std::string>& directories, const std::vector<std::string>& internalPaths,
                         const std::string& cloneDirectory) {
    Clear();
    CTGFileManager::Instance().CreateDirectory(cloneDirectory);
    // The catalogue is a picture of the installation as it stands: each directory is looked at once, and its
    // listing answers every companion probe and name lookup of the scan.
    const HostListingSnapshot snapshot;
    for (const std::string& d : directories) ScanDirectory(d, internalPaths, 0);
    Sort();
}

void ObjectCatalog::ScanDirectory(const std::string& directory, const std::vector<std::string>& internalPaths,
                                  int depth) {
    if (depth > kMaxScanDepth) return;
    CTGFileManager& fm = CTGFileManager::Instance();
    std::string listed = CTGFileManager::NormalizePath(directory);
    std::vector<std::string> names;
    std::vector<bool> isDirectory;
    TGFindData found;
    for (bool ok = fm.FindFirst(directory + "*", found); ok; ok = fm.FindNext(found)) {
        names.push_back(found.name);
        isDirectory.push_back(found.isDirectory);
    }
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (isDirectory[i]) {
            ScanDirectory(directory + name + "\\", internalPaths, depth + 1);
            continue;
        }
        if (name.size() < 5 || !EqualsFoldedAscii(std::string_view(name).substr(name.size() - 4), ".iff")) continue;
        std::string base;
        base.reserve(listed.size() + name.size());
        base.assign(listed).append(name, 0, name.size() - 4);
        auto file = std::make_unique<ObjResFile>();
        if (file->Open(base) != kNoErr) continue;
        if (std::find(internalPaths.begin(), internalPaths.end(), base) != internalPaths.end()) {
            file->Close();
            continue;
        }
        auto record = std::make_unique<ObjectFile>();
        record->path = std::move(base.append(name, name.size() - 4, 4));
        record->displayName = DisplayNameOf(record->path);
        record->file = std::move(file);
        LoadObjectFile(*record, false);
        files_.push_back(std::move(record));
    }
}

void ObjectCatalog::Sort() {
    // By display name without regard to ASCII case, equal names keeping their order: each name is folded once,
    // not once per comparison (folded texts compare as unsigned bytes, then by length). Everything that can fail
    // is made before the first record moves.
    const size_t n = files_.size();
    std::vector<std::string> folded;
    folded.reserve(n);
    for (const auto& f : files_) folded.push_back(FoldAscii(std::string_view(f->displayName)));
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return folded[a] < folded[b]; });
    std::vector<std::unique_ptr<ObjectFile>> sorted;
    sorted.reserve(n);
    for (size_t i : order) sorted.push_back(std::move(files_[i]));
    files_.swap(sorted);
}

std::vector<ObjectFile*> ObjectCatalog::Listed(bool editableOnly) const {
    std::vector<ObjectFile*> out;
    for (const auto& f : files_)
        if (!editableOnly || f->IsEditable()) out.push_back(f.get());
    return out;
}

int ObjectCatalog::IndexOf(const ObjectFile* file) const {
    for (size_t i = 0; i < files_.size(); ++i)
        if (files_[i].get() == file) return static_cast<int>(i);
    return -1;
}

bool ObjectCatalog::IsNameUnique(const std::string& displayName) const {
    for (const auto& f : files_)
        if (f->displayName == displayName) return false;
    return true;
}

ObjectFile* ObjectCatalog::Find(const std::string& nameOrPath) const {
    for (const auto& f : files_)
        if (EqualsIgnoringAsciiCase(f->displayName, nameOrPath)) return f.get();
    std::string normal = CTGFileManager::NormalizePath(nameOrPath);
    for (const auto& f : files_) {
        std::string p = CTGFileManager::NormalizePath(f->path);
        if (p == normal || StripExtension(p) == normal) return f.get();
    }
    return nullptr;
}

ObjectFile* ObjectCatalog::AddClonedFile(std::unique_ptr<ObjResFile> file, const std::string& path) {
    auto record = std::make_unique<ObjectFile>();
    record->path = path;
    record->displayName = DisplayNameOf(path);
    record->file = std::move(file);
    LoadObjectFile(*record, false);
    ObjectFile* raw = record.get();
    current_ = raw;
    files_.push_back(std::move(record));
    Sort();
    return raw;
}

ObjectFile* ObjectCatalog::DeleteFile(ObjectFile* file, bool* deleted) {
    if (deleted) *deleted = false;
    int i = IndexOf(file);
    if (i < 0) return current_;
    file->Close();
    CTGFileManager& fm = CTGFileManager::Instance();
    if (!fm.Delete(file->path) && fm.Exists(file->path)) {
        // Still on the disk: the record stays, with its file open again.
        auto reopened = std::make_unique<ObjResFile>();
        if (reopened->Open(StripExtension(file->path)) == kNoErr) file->file = std::move(reopened);
        LoadObjectFile(*file, false);
        return current_;
    }
    // The sprite companion goes with it: left behind it would be taken up by a later file of the
    // same name, and it makes creating that file fail.
    std::string companion = StripExtension(file->path) + ".spf";
    if (fm.Exists(companion)) fm.Delete(companion);
    if (deleted) *deleted = true;
    std::unique_ptr<ObjectFile> record = std::move(files_[static_cast<size_t>(i)]);
    current_ = nullptr;
    int n = static_cast<int>(files_.size());
    files_.erase(files_.begin() + i);
    if (n >= 2) current_ = files_[static_cast<size_t>(i < n - 1 ? i : n - 2)].get();
    return current_;
}
