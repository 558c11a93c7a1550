// ObjectCatalog: every object file of the game's object directories, sorted by display name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/ObjectFile.h"

class ObjResFile;

// The catalogue owns its records for the whole run; each record owns its open resource file.
class ObjectCatalog {
public:
    ObjectCatalog();
    ~ObjectCatalog();

    // The process-wide catalogue of the program.
    static ObjectCatalog& Instance();

    // Destroys every record, creates the clone directory (ignoring failure), scans the directories
    // in order through the file manager (subdirectories at once, ".iff" names only, internal paths
    // skipped, files that cannot be opened skipped silently), loads each file without its graphics
    // lists and sorts the catalogue by display name without regard to case.
    void Scan(const std::vector<std::string>& directories, const std::vector<std::string>& internalPaths,
              const std::string& cloneDirectory);

    size_t Count() const { return files_.size(); }
    ObjectFile* Get(size_t index) const { return index < files_.size() ? files_[index].get() : nullptr; }
    const std::vector<std::unique_ptr<ObjectFile>>& Files() const { return files_; }
    // The files a list shows: all, or with `editableOnly` only the writable ones, in catalogue order.
    std::vector<ObjectFile*> Listed(bool editableOnly) const;
    // Position of a record, or -1.
    int IndexOf(const ObjectFile* file) const;

    // True when no file has exactly this display name (case-sensitive).
    bool IsNameUnique(const std::string& displayName) const;
    // A catalogued file by display name (case-insensitive, first in order) or by path (normalised).
    ObjectFile* Find(const std::string& nameOrPath) const;

    // Makes a record for a freshly cloned, reopened file, loads it without graphics lists, makes it
    // the current file, appends it and re-sorts; returns the record.
    ObjectFile* AddClonedFile(std::unique_ptr<ObjResFile> file, const std::string& path);

    // Closes the file, removes its record, deletes it from disk (with its ".spf" companion), and makes
    // the file that took its place in the list (or the new last one) current. Returns the new
    // current file (null when the catalogue is empty). When the file cannot be deleted from disk it is
    // opened again and keeps its record and place, and `deleted` (when given) is set false.
    ObjectFile* DeleteFile(ObjectFile* file, bool* deleted = nullptr);

    ObjectFile* GetCurrentFile() const { return current_; }
    void SetCurrentFile(ObjectFile* file) { current_ = file; }

    // Forgets every record (closing its file); the first close error, with the path of its file in `failedPath`
    // (when given).
    ResErr Clear(std::string* failedPath = nullptr);

private:
    void ScanDirectory(const std::string& directory, const std::vector<std::string>& internalPaths, int depth);
    void Sort();

    std::vector<std::unique_ptr<ObjectFile>> files_;
    ObjectFile* current_ = nullptr;
};
