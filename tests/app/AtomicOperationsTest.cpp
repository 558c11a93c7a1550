// Every writing operation of the workbench on the sample installation (an edit, a clone, the import of a repainted
// export, a garbage collection, a close that compacts) killed at each of its host file operations, or run on a
// disk that refuses every write from some point on: a fresh start finds every file it touches as it was before
// the operation or as the operation left it, never anything else, and `reshaper-cli check` finds it sound.
#include <gtest/gtest.h>

#include <dirent.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

#include "../cli/CliRunner.h"
#include "app/ObjectCatalog.h"
#include "clone/CloneIntoCatalog.h"
#include "export/ExportWhizzerModel.h"
#include "export/ObjectExporter.h"
#include "import/ObjectImporter.h"
#include "objects/definitions/EditObjectSession.h"
#include "platform/FaultInjection.h"
#include "platform/HostFile.h"
#include "resfile/StdResFile.h"
#include "support/CrashRun.h"
#include "support/SampleInstallationSuite.h"
#include "tools/CollectGarbage.h"

using namespace reshaper_test;

namespace {

// The bytes of each file an operation touches; nullopt for a file that does not exist.
using Snapshot = std::map<std::string, std::optional<std::vector<uint8_t>>>;

struct Operation {
    const char* name;
    std::vector<std::string> files;        // relative to the installation
    std::function<bool()> run;             // true when the operation reported success
};

class AtomicOperations : public SampleInstallationSuite {
protected:
    void SetUp() override {
        SampleInstallationSuite::SetUp();
        prompts_.defaultAnswer = true;
    }

    std::string Game(const std::string& relative) const { return dir_->Join("Game/" + relative); }
    ObjectFile& Record(const std::string& name) {
        ObjectFile* f = catalog_.Find(name);
        EXPECT_NE(f, nullptr) << name;
        return *f;
    }

    Snapshot Take(const Operation& op) const {
        Snapshot s;
        for (const std::string& f : op.files)
            s[f] = HostFileExists(Game(f)) ? std::optional(ReadFileBytes(Game(f))) : std::nullopt;
        return s;
    }
    void Restore(const Snapshot& s) const {
        for (const auto& [f, bytes] : s) {
            if (bytes)
                ASSERT_TRUE(WriteFileBytes(Game(f), *bytes));
            else
                DeleteHostFile(Game(f));
        }
    }
    // No journal of any kind is left in the directories of the operation's files.
    void ExpectNoJournals(const Operation& op, int64_t k) const {
        for (const std::string& f : op.files) {
            std::string directory = HostDirectoryOf(Game(f));
            DIR* d = opendir(directory.c_str());
            ASSERT_NE(d, nullptr);
            while (dirent* e = readdir(d))
                EXPECT_EQ(std::string(e->d_name).find("journal"), std::string::npos)
                    << op.name << " k=" << k << ": " << e->d_name;
            closedir(d);
        }
    }
    // A fresh start of the program opens every catalogued file, so an interrupted commit is dealt with.
    void StartAfresh() const {
        CliResult r = RunCli("--settings '" + result_->settingsPath + "' list");
        EXPECT_EQ(r.exitCode, 0) << r.out;
    }
    void ExpectSound(const Operation& op, int64_t k) const {
        for (const std::string& f : op.files)
            if (HostFileExists(Game(f))) {
                CliResult r = RunCli("--settings '" + result_->settingsPath + "' check '" + Game(f) + "'");
                EXPECT_EQ(r.exitCode, 0) << op.name << " k=" << k << " " << f << "\n" << r.out;
            }
    }

    void CheckKilledAtEveryStep(const Operation& op) {
        const Snapshot before = Take(op);
        ASSERT_EQ(RunInChild([] {}, [&] { return op.run() ? 0 : 1; }), 0) << op.name;
        const Snapshot after = Take(op);
        ASSERT_NE(after, before) << op.name << " changed nothing";
        Restore(before);
        int64_t deaths = ForEveryDeath([&] { op.run(); },
                                       [&](int64_t k) {
                                           StartAfresh();
                                           Snapshot now = Take(op);
                                           EXPECT_TRUE(now == before || now == after) << op.name << " k=" << k;
                                           ExpectNoJournals(op, k);
                                           ExpectSound(op, k);
                                           Restore(before);
                                       });
        EXPECT_GT(deaths, 5) << op.name;
        EXPECT_TRUE(Take(op) == after) << op.name;
        Restore(before);  // the program in this process still has the files open as they were
    }

    // Writes fail from the k-th on, as on a full disk: the operation says so and the files keep their bytes.
    void CheckOnAFullDisk(const Operation& op) {
        const Snapshot before = Take(op);
        for (int64_t k = 1;; ++k) {
            ASSERT_LT(k, 500) << op.name;
            int code = RunInChild([k] { FaultInjection::FailNth(FaultInjection::Op::Write, k, true); },
                                  [&] {
                                      bool ok = op.run();
                                      bool hit = FaultInjection::GetFailures(FaultInjection::Op::Write) > 0;
                                      return (hit ? 10 : 0) + (ok ? 0 : 1);
                                  });
            if (code < 10) {
                EXPECT_EQ(code, 0) << op.name;
                Restore(before);
                break;
            }
            EXPECT_EQ(code, 11) << op.name << " k=" << k << ": a refused write was reported as success";
            StartAfresh();
            EXPECT_TRUE(Take(op) == before) << op.name << " k=" << k;
            ExpectNoJournals(op, k);
            Restore(before);
        }
    }

    Operation Edit() {
        return {"edit", {"GameData/Objects/Armchair.iff"}, [this] {
                    EditObjectSession session(*Record("armchair").objects.front());
                    if (session.Load()) return false;
                    session.Apply("Fauteuil", "1234", "Un fauteuil profond");
                    return session.Save() == kNoErr;
                }};
    }
    Operation Clone() {
        return {"clone", {"Downloads/Reshaped/crashclone.iff"}, [this] {
                    CloneSettings settings;
                    settings.nameText = "crashclone";
                    settings.cookie = 0x4242;
                    settings.selectedRoots.assign(Record("armchair").roots.size(), true);
                    uint32_t seed = 1;
                    return RunClone(catalog_, Record("armchair"), settings, [&seed] { return seed++; }).ok;
                }};
    }
    // The floor lamp keeps its graphics in a .spf companion: both files change together.
    Operation Import(const std::string& document) {
        return {"import", {"GameData/UserObjects/FloorLamp.iff", "GameData/UserObjects/FloorLamp.spf"},
                [this, document] { return ImportObjectDocument(Record("floorlamp"), document) == kImportOk; }};
    }
    Operation CollectTheGarbage() {
        return {"gc", {"GameData/UserObjects/Rug.iff"}, [this] {
                    ResErr error = kNoErr;
                    return CollectGarbage(Record(".\\gamedata\\userobjects\\rug.iff"), &error) > 0 && !error;
                }};
    }
    Operation CompactingClose() {
        return {"compacting close", {"GameData/Objects/DiningTable.iff"}, [this] {
                    ObjectFile& table = Record("diningtable");
                    DataHandle* sprite = table.file->GetIndexedResource(kTypeSPR2, 1, nullptr);
                    if (!sprite) return false;
                    table.file->Delete(sprite);
                    return table.Close() == kNoErr;
                }};
    }

    // An export of the floor lamp with one colour byte of one frame repainted.
    std::string RepaintedFloorLampDocument() {
        const std::string document = dir_->Join("export/floorlamp.xml");
        EXPECT_TRUE(MakeDirectories(dir_->Join("export")));
        ExportWhizzerModel model;
        model.SetObjectFilePath(Record("floorlamp").path);
        model.SetChecked(kWhizCompress, false);  // plain 8-bit pictures, so one byte is one pixel
        ObjectExporter exporter(Record("floorlamp"));
        EXPECT_TRUE(exporter.ExportTo(document, model.BuildOptions()));
        std::string bmp;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir_->Join("export"))) {
            std::string p = e.path().string();
            if (p.size() > 6 && p.compare(p.size() - 6, 6, "_p.bmp") == 0 && (bmp.empty() || p < bmp)) bmp = p;
        }
        std::vector<uint8_t> bytes = ReadFileBytes(bmp);
        EXPECT_GT(bytes.size(), 1078u) << bmp;
        if (bytes.size() > 1078u) bytes[bytes.size() / 2 + 539] ^= 0x5A;
        EXPECT_TRUE(WriteFileBytes(bmp, bytes));
        return document;
    }
    // Garbage for the collection: a palette and a draw group that nothing names.
    void AddGarbageToTheRug() {
        ObjectFile& rug = Record(".\\gamedata\\userobjects\\rug.iff");
        std::vector<uint8_t> palette(784, 7);
        rug.file->Add(NewHandleFrom(palette.data(), 784), kTypePALT, 999, "nothing uses me", true);
        DataHandle* group = rug.file->GetIndexedResource(kTypeDGRP, 1, nullptr);
        ASSERT_NE(group, nullptr);
        rug.file->Add(NewHandleFrom(group->Data(), group->Size()), kTypeDGRP, 999, "nor me", true);
        rug.file->Update();
        ASSERT_EQ(rug.file->GetError(), kNoErr);
    }
};

TEST_F(AtomicOperations, AKillAtAnyStepLeavesEveryFileAsBeforeOrAsAfter) {
    CheckKilledAtEveryStep(Edit());
    CheckKilledAtEveryStep(Clone());
    CheckKilledAtEveryStep(Import(RepaintedFloorLampDocument()));
    AddGarbageToTheRug();
    CheckKilledAtEveryStep(CollectTheGarbage());
    CheckKilledAtEveryStep(CompactingClose());
}

TEST_F(AtomicOperations, OnAFullDiskTheOperationFailsAndTheFilesKeepTheirBytes) {
    CheckOnAFullDisk(Edit());
    CheckOnAFullDisk(Clone());
    CheckOnAFullDisk(Import(RepaintedFloorLampDocument()));
    AddGarbageToTheRug();
    CheckOnAFullDisk(CollectTheGarbage());
    CheckOnAFullDisk(CompactingClose());
}

}  // namespace
