// SeqResFile: a chain whose members are opened from a table of file kinds chosen by extension.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "resfile/ChainResFile.h"

enum ResFileKind : int32_t {
    kKindNone = 0,
    kKindIFF10 = 1,     // IFFResFile
    kKindIFF2 = 2,      // IFFResFile2
    kKindResolve = 3,   // ResolveResFile
};

// A fresh, closed resource file object of a kind; null for kind 0 or an unknown kind.
std::unique_ptr<iResFile> MakeResFileOfKind(int32_t kind);

class SeqResFile : public ChainResFile {
public:
    static constexpr int kMaxKinds = 8;

    SeqResFile() = default;
    ~SeqResFile() override;

    // Appends a kind; ignored for kinds outside 0..3, when eight are registered, or for an
    // extension longer than 7 characters.
    void RegisterKind(int32_t kind, std::string_view extension);
    void ClearKinds();

public:  // iResFile
    // Creates one file per matching kind (an extension is created once); -43 ends the walk at once;
    // 0 when a file was created, else the last error (-250 when nothing matched).
    ResErr Create(const std::string& path) override;
    // Removes per matching kind; -94 or -45 end the walk at once.
    ResErr Remove(const std::string& path) override;
    // Closes, then opens every kind that matches as the next member; 0 when a member opened, else
    // the last error (-250 when no kind matched).
    ResErr Open(const std::string& path) override;
    // Closes every member, then removes and destroys them.
    ResErr Close() override;
    // The first member's path without its extension.
    ResErr GetPath(std::string& out) override;

protected:
    // The table lives in the object: a catalogue makes one of these per file.
    struct Kind {
        int32_t kind = kKindNone;
        uint8_t length = 0;
        char extension[7] = {};
        std::string_view Extension() const { return std::string_view(extension, length); }
    };
    std::span<const Kind> Kinds() const { return std::span<const Kind>(kinds_, static_cast<size_t>(kindCount_)); }

private:
    Kind kinds_[kMaxKinds];
    int kindCount_ = 0;
};
