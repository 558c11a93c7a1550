// The object file catalogue: the directory scan, grouping of multi-tile objects, lookups and deletion.
#include <gtest/gtest.h>

#include "../resfile/IFFBuilder.h"
#include "app/ObjectCatalog.h"
#include "objects/definitions/ObjectDefinition.h"
#include "platform/HostDirectory.h"
#include "resfile/CTGFileManager.h"
#include "resfile/IFFResFile2.h"
#include "resfile/StdResFile.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

const std::vector<std::string> kDirectories = {".\\Downloads\\", ".\\GameData\\Objects\\", ".\\ExpansionPack\\"};
const std::vector<std::string> kInternal = {".\\gamedata\\objects\\people\\bones"};

struct Obj {
    ResID id;
    std::string name;
    int16_t masterid;
    int16_t subindex;
};

std::vector<uint8_t> ObjectFileBytes(const std::vector<Obj>& objects) {
    auto file = IFFHeader('2', '0', 0);
    for (const auto& o : objects) {
        ObjectDefinition d;
        d.masterid = o.masterid;
        d.subindex = o.subindex;
        d.guid = 0x1000 + o.id;
        auto bytes = SerializeObjectDefinition(d);
        AppendChunk(file, kTypeOBJD, o.id, 0x10, o.name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    return file;
}

class Catalog : public ::testing::Test {
protected:
    TempDir dir;
    std::unique_ptr<ScopedCurrentDirectory> cd;
    ObjectCatalog catalog;

    void Put(const std::string& relative, const std::vector<Obj>& objects) {
        ASSERT_TRUE(WriteFileBytes(dir.Join(relative), ObjectFileBytes(objects)));
    }
    void Map() {
        cd = std::make_unique<ScopedCurrentDirectory>(dir.Path());
        CTGFileManager::Instance().Reset();
        for (const auto& d : kDirectories) CTGFileManager::Instance().MapDirectory(d, true, true);
        catalog.Scan(kDirectories, kInternal, ".\\Downloads\\Reshaped");
    }
    std::vector<std::string> Names() {
        std::vector<std::string> out;
        for (const auto& f : catalog.Files()) out.push_back(f->displayName);
        return out;
    }
    void TearDown() override {
        catalog.Clear();
        CTGFileManager::Instance().Reset();
    }
};

TEST_F(Catalog, ScanListsObjectFilesAndSkipsTheRest) {
    Put("Downloads/Zebra.iff", {{128, "Zebra", 0, 0}});
    Put("Downloads/Sub/apple.IFF", {{128, "Apple", 0, 0}});
    Put("GameData/Objects/Chair.iff", {{128, "Chair", 0, 0}});
    Put("GameData/Objects/People/Bones.iff", {{128, "bones", 0, 0}});
    Put("GameData/Objects/.iff", {{128, "nameless", 0, 0}});
    Put("GameData/Objects/notes.txt", {});
    Put("ExpansionPack/chair.iff", {{128, "Other chair", 0, 0}});
    WriteFileBytes(dir.Join("GameData/Objects/broken.iff"), Bytes("not an object file"));
    WriteFileBytes(dir.Join("GameData/Objects/Pack.far"),
                   MakeArchive({{"Lamp.iff", ObjectFileBytes({{128, "Lamp", 0, 0}})}}));
    Map();

    EXPECT_EQ(Names(), (std::vector<std::string>{"apple", "chair", "chair", "lamp", "zebra"}));
    ObjectFile* apple = catalog.Find("Apple");
    ASSERT_NE(apple, nullptr);
    EXPECT_EQ(apple->path, ".\\downloads\\sub\\apple.iff");
    EXPECT_TRUE(apple->IsEditable());
    EXPECT_FALSE(catalog.Find("lamp")->IsEditable());
    EXPECT_FALSE(catalog.IsNameUnique("chair"));
    EXPECT_TRUE(catalog.IsNameUnique("Chair"));
    EXPECT_EQ(catalog.Listed(true).size(), 4u);
    // The clone directory is made before the scan.
    EXPECT_TRUE(IsHostDirectory(dir.Join("Downloads/Reshaped")));
}

TEST_F(Catalog, MultiTileObjectsGroupUnderTheirFirstLead) {
    Put("Downloads/sofa.iff", {{100, "tile a", 7, 0},
                               {101, "lead", 7, -1},
                               {102, "tile b", 7, 1},
                               {103, "second lead", 7, -1},
                               {104, "orphan", 9, 2},
                               {105, "plain", 0, 5}});
    Map();
    ObjectFile* f = catalog.Find("sofa");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->CountObjects(), 6u);
    ASSERT_EQ(f->roots.size(), 3u);
    EXPECT_EQ(f->roots[0]->name, "lead");
    EXPECT_EQ(f->roots[1]->name, "second lead");
    EXPECT_EQ(f->roots[2]->name, "plain");
    EXPECT_EQ(f->roots[2]->rootIndex, 2);
    ASSERT_EQ(f->roots[0]->tiles.size(), 2u);
    EXPECT_EQ(f->roots[0]->tiles[0]->name, "tile a");
    EXPECT_EQ(f->roots[0]->tiles[1]->lead, f->roots[0]);
    EXPECT_TRUE(f->roots[1]->tiles.empty());
    EXPECT_EQ(f->objects[4]->lead, nullptr);
    EXPECT_EQ(f->objects[4]->rootIndex, -1);
}

TEST_F(Catalog, DeletingMovesTheCurrentFileAndRemovesTheCompanion) {
    Put("Downloads/a.iff", {{128, "A", 0, 0}});
    Put("Downloads/b.iff", {{128, "B", 0, 0}});
    Put("Downloads/c.iff", {{128, "C", 0, 0}});
    WriteFileBytes(dir.Join("Downloads/b.spf"), IFFHeader('2', '5', 0));
    Map();
    ASSERT_EQ(catalog.Count(), 3u);
    EXPECT_EQ(catalog.DeleteFile(catalog.Find("b")), catalog.Find("c"));
    EXPECT_TRUE(ReadFileBytes(dir.Join("Downloads/b.iff")).empty());
    EXPECT_TRUE(ReadFileBytes(dir.Join("Downloads/b.spf")).empty());
    EXPECT_EQ(catalog.DeleteFile(catalog.Find("c")), catalog.Find("a"));
    EXPECT_EQ(catalog.DeleteFile(catalog.Find("a")), nullptr);
    EXPECT_EQ(catalog.Count(), 0u);
}

TEST_F(Catalog, ClonedFilesJoinInSortedOrderAndBecomeCurrent) {
    Put("Downloads/b.iff", {{128, "B", 0, 0}});
    Map();
    std::string path = ".\\Downloads\\Reshaped\\Alpha.iff";
    IFFResFile2 maker;
    ASSERT_EQ(maker.Create(path), kNoErr);
    auto file = std::make_unique<ObjResFile>();
    ASSERT_EQ(file->Open(".\\Downloads\\Reshaped\\Alpha"), kNoErr);
    ObjectFile* added = catalog.AddClonedFile(std::move(file), path);
    EXPECT_EQ(catalog.GetCurrentFile(), added);
    EXPECT_EQ(catalog.Get(0), added);
    EXPECT_EQ(added->displayName, "Alpha");
    EXPECT_TRUE(added->IsEditable());
}

TEST_F(Catalog, FullLoadListsGraphicsResources) {
    auto bytes = ObjectFileBytes({{128, "Lamp", 0, 0}});
    AppendChunk(bytes, kTypeDGRP, 200, 0x10, "group", Bytes("x"));
    AppendChunk(bytes, kTypeSPR2, 300, 0x10, "new sprite", Bytes("x"));
    AppendChunk(bytes, kTypeSPRList, 301, 0x10, "old sprite", Bytes("x"));
    std::vector<uint8_t> palt(784, 0);
    palt[4] = 0;  // version 0, count 0: an empty palette still loads
    AppendChunk(bytes, kTypePALT, 400, 0x10, "palette", palt);
    WriteFileBytes(dir.Join("Downloads/lamp.iff"), bytes);
    Map();
    ObjectFile* f = catalog.Find("lamp");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->drawGroups.empty());
    LoadObjectFile(*f, true);
    ASSERT_EQ(f->drawGroups.size(), 1u);
    ASSERT_EQ(f->sprites.size(), 2u);
    EXPECT_EQ(f->sprites[0].type, kTypeSPRList);
    EXPECT_EQ(f->sprites[1].id, 300);
    ASSERT_EQ(f->palettes.size(), 1u);
    EXPECT_NE(f->palettes[0].palette, nullptr);
}

TEST(CatalogNames, DisplayNameDropsDirectoryAndExtension) {
    EXPECT_EQ(DisplayNameOf(".\\gamedata\\objects\\chair.iff"), "chair");
    EXPECT_EQ(DisplayNameOf("a/b/My.Lamp.iff"), "My.Lamp");
    EXPECT_EQ(DisplayNameOf("plain"), "plain");
}

}  // namespace
