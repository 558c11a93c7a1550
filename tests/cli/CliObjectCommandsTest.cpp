// reshaper-cli objects, object and strings over an object file made here.
#include <gtest/gtest.h>

#include "CliRunner.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/strings/StringSet.h"
#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

using namespace reshaper_test;

namespace {

std::string MakeSofa(TempDir& dir) {
    std::string p = dir.Join("Sofa.iff");
    IFFResFile2 f;
    EXPECT_EQ(f.Create(p), kNoErr);
    EXPECT_EQ(f.Open(p), kNoErr);
    struct O {
        ResID id;
        const char* name;
        int16_t master, sub;
        int32_t guid;
    };
    for (O o : {O{128, "Sofa", 5, -1, 0x0012AB00}, O{129, "Sofa tile 1", 5, 0, 0x0012AB01}, O{130, "Lamp", 0, 0, 7}}) {
        ObjectDefinition d;
        d.masterid = o.master;
        d.subindex = o.sub;
        d.guid = o.guid;
        d.price = 450;
        auto bytes = SerializeObjectDefinition(d);
        f.Add(NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size())), kTypeOBJD, o.id, o.name, true);
    }
    StringSet s;
    s.Bind(&f, 300, kTypeSTRList, false, 0);
    s.Set(1, "Comfortable");
    s.Set(2, "Cheap");
    s.SetComment(2, "price line");
    EXPECT_EQ(s.Write(), kNoErr);
    StringSet fr;
    fr.Bind(&f, 300, kTypeSTRList, false, 2);
    fr.Read(true, false);
    fr.Set(1, "Confortable", 2);
    EXPECT_EQ(fr.Write(), kNoErr);
    EXPECT_EQ(f.Close(), kNoErr);
    return dir.Join("Sofa");
}

TEST(CliObjects, ObjectsShowsTilesUnderTheirLead) {
    TempDir dir;
    std::string base = MakeSofa(dir);
    CliResult r = RunCli("objects '" + base + ".iff'");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("   128  0012AB00  Sofa\n       129  0012AB01  Sofa tile 1\n   130  00000007  Lamp"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Total objects in file: 3"), std::string::npos);
}

TEST(CliObjects, ObjectPrintsEveryFieldByName) {
    TempDir dir;
    std::string base = MakeSofa(dir);
    CliResult r = RunCli("object '" + base + "' 128");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("price                      450"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("guid                       1223424 (0x0012AB00)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("subindex                   -1"), std::string::npos) << r.out;
    EXPECT_EQ(RunCli("object '" + base + "' 999").exitCode, 1);
    EXPECT_EQ(RunCli("object '" + base + "' lamp").exitCode, 2);
}

TEST(CliObjects, StringsInALanguageFallBackToUSEnglish) {
    TempDir dir;
    std::string base = MakeSofa(dir);
    CliResult en = RunCli("strings '" + base + "' 300");
    ASSERT_EQ(en.exitCode, 0) << en.out;
    EXPECT_NE(en.out.find("   1  \"Comfortable\""), std::string::npos) << en.out;
    EXPECT_NE(en.out.find("   2  \"Cheap\"  // price line"), std::string::npos) << en.out;
    CliResult fr = RunCli("strings '" + base + "' 300 --language 3");
    ASSERT_EQ(fr.exitCode, 0) << fr.out;
    EXPECT_NE(fr.out.find("   1  \"Confortable\""), std::string::npos) << fr.out;
    EXPECT_EQ(RunCli("strings '" + base + "' 300 --language 21").exitCode, 2);
}

}  // namespace
