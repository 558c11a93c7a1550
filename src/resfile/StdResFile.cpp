// StdResFile and ObjResFile: kind tables and the companion rule for sprite files.
#include "resfile/StdResFile.h"

#include "resfile/ResFileExtension.h"

const ResType StdResFile::kSpriteTypes[5] = {kTypeSPRList, kTypeDGRP, kTypePALT, kTypeBMP, kTypeSPR2};

StdResFile::StdResFile() {
    RegisterKind(kKindIFF2, ".iff");
    RegisterKind(kKindIFF2, ".spf");
    RegisterKind(kKindIFF10, ".iff");
    RegisterKind(kKindIFF10, ".spf");
    RegisterKind(kKindResolve, ".dir");
}

ResErr StdResFile::Open(const std::string& path) {
    ResErr err = SeqResFile::Open(path);
    if (err) return err;
    iResFile* sprite = nullptr;
    iResFile* object = nullptr;
    for (int i = CountMembers() - 1; i >= 0; --i) {
        std::string memberPath;
        GetMember(i)->GetPath(memberPath);
        std::string ext = PathExtension(memberPath);
        if (EqualsIgnoringAsciiCase(ext, ".spf")) sprite = GetMember(i);
        if (EqualsIgnoringAsciiCase(ext, ".iff")) object = GetMember(i);
    }
    if (sprite && object)
        for (ResType t : kSpriteTypes) {
            ExcludeType(object, t);
            IncludeOnlyType(sprite, t);
        }
    return SetError(kNoErr);
}

ObjResFile::ObjResFile() {
    ClearKinds();
    RegisterKind(kKindIFF2, ".iff");
    RegisterKind(kKindIFF2, ".spf");
    RegisterKind(kKindResolve, ".dir");
}
