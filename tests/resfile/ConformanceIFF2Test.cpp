// The iResFile conformance suite over IFF 2.x files: a new 2.5 file, a 2.0 file, an archive member.
#include "IFFBuilder.h"
#include "ResFileConformance.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile2.h"

using namespace reshaper_test;

namespace {

// A 2.5 file written through the class itself, so it carries a map.
struct IFF25Kind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile2>(); }
    static constexpr bool kWritable = true;
    static constexpr ResErr kRefusedCode = kNoErr;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        std::string p = dir.Join("kind25.iff");
        IFFResFile2 f;
        f.Create(p);
        f.Open(p);
        for (const auto& s : seeds)
            f.Add(NewHandleFrom(s.data.data(), static_cast<int32_t>(s.data.size())), s.type, s.id, s.name, true);
        f.Close();
        return p;
    }
};

std::vector<uint8_t> Version20Bytes(const std::vector<SeedResource>& seeds) {
    auto file = IFFHeader('2', '0', 0);
    for (const auto& s : seeds) AppendChunk(file, s.type, s.id, 0, s.name, Bytes(s.data));
    return file;
}

// A 2.0 file as older tools wrote it: no map, unconverted data.
struct IFF20Kind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile2>(); }
    static constexpr bool kWritable = true;
    static constexpr ResErr kRefusedCode = kNoErr;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        std::string p = dir.Join("kind20.iff");
        WriteFileBytes(p, Version20Bytes(seeds));
        return p;
    }
};

// A member of an archive: read-only, opened through the file manager's table.
struct ArchiveMemberKind {
    static std::unique_ptr<iResFile> Make() { return std::make_unique<IFFResFile2>(); }
    static constexpr bool kWritable = false;
    static constexpr ResErr kRefusedCode = kErrNotWritable;
    static std::string Prepare(TempDir& dir, const std::vector<SeedResource>& seeds) {
        WriteFileBytes(dir.Join("objects/pack.far"), MakeArchive({{"inside\\member.iff", Version20Bytes(seeds)}}));
        CTGFileManager::Instance().MapDirectory(dir.Join("objects"), true, true);
        return dir.Join("objects/inside/member.iff");
    }
};

using IFF2Kinds = ::testing::Types<IFF25Kind, IFF20Kind, ArchiveMemberKind>;
INSTANTIATE_TYPED_TEST_SUITE_P(IFF2, ResFileConformance, IFF2Kinds);

}  // namespace
