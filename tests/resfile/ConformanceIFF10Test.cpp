// The iResFile conformance suite over IFF 1.0 files: a new file, a hand-built one, an archive member.
#include "IFF10Builder.h"
#include "ResFileConformance.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile.h"

using namespace reshaper_test;

namespace {

// A file written through the class itself: names in the id 1 block.
struct IFF10NewKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile>(); }
    static constexpr bool kWritable = true;
    static constexpr ResErr kRefusedCode = kNoErr;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        std::string p = dir.Join("kind10.iff");
        IFFResFile f;
        f.Create(p);
        f.Open(p);
        for (const auto& s : seeds)
            f.Add(NewHandleFrom(s.data.data(), static_cast<int32_t>(s.data.size())), s.type, s.id, s.name, true);
        f.Close();
        return p;
    }
};

// A file as older tools wrote it: names in the id 0 form, unconverted data.
std::vector<uint8_t> Version10Bytes(const std::vector<SeedResource>& seeds) {
    NameRecords names;
    for (const auto& s : seeds)
        if (!s.name.empty()) names.push_back({static_cast<int32_t>(names.size()) + 1, s.name});
    auto file = IFF10Header();
    AppendChunk10(file, kTypeNameList, 0, kResFlagInternal, -1, OldNameList(names));
    int32_t index = 0;
    for (const auto& s : seeds) AppendChunk10(file, s.type, s.id, 0, s.name.empty() ? -1 : ++index, Bytes(s.data));
    return file;
}

struct IFF10OldKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile>(); }
    static constexpr bool kWritable = true;
    static constexpr ResErr kRefusedCode = kNoErr;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        std::string p = dir.Join("old10.iff");
        WriteFileBytes(p, Version10Bytes(seeds));
        return p;
    }
};

// A member of an archive: read-only, opened through the file manager's table.
struct IFF10ArchiveMemberKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile>(); }
    static constexpr bool kWritable = false;
    static constexpr ResErr kRefusedCode = kErrNotWritable;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        WriteFileBytes(dir.Join("objects10/pack.far"), MakeArchive({{"inside\\member10.iff", Version10Bytes(seeds)}}));
        CTGFileManager::Instance().MapDirectory(dir.Join("objects10"), true, true);
        return dir.Join("objects10/inside/member10.iff");
    }
};

using IFF10Kinds = ::testing::Types<IFF10NewKind, IFF10OldKind, IFF10ArchiveMemberKind>;
INSTANTIATE_TYPED_TEST_SUITE_P(IFF10, ResFileConformance, IFF10Kinds);

}  // namespace
