// UiInstallation: a small game installation made in a temporary directory and scanned into a catalogue, for the
// window tests.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "../resfile/IFFBuilder.h"
#include "QtPrinters.h"
#include "app/ObjectCatalog.h"
#include "objects/definitions/ObjectDefinition.h"
#include "resfile/CTGFileManager.h"
#include "resfile/StdResFile.h"
#include "support/TempDir.h"

namespace ui_test {

struct Obj {
    ResID id;
    std::string name;
    int16_t masterid = 0;
    int16_t subindex = 0;
    int16_t basegraphic = 0;
    int16_t numgraphics = 0;
};

struct Res {
    ResType type;
    ResID id;
    std::string name;
    std::vector<uint8_t> data;
};

// An IFF 2.0 object file: one OBJD per object, then the extra resources, all marked converted.
inline std::vector<uint8_t> ObjectFileBytes(const std::vector<Obj>& objects, const std::vector<Res>& extra = {}) {
    auto file = reshaper_test::IFFHeader('2', '0', 0);
    for (const Obj& o : objects) {
        ObjectDefinition d;
        d.masterid = o.masterid;
        d.subindex = o.subindex;
        d.basegraphic = o.basegraphic;
        d.numgraphics = o.numgraphics;
        d.guid = 0x1000 + static_cast<uint32_t>(o.id);
        auto bytes = SerializeObjectDefinition(d);
        reshaper_test::AppendChunk(file, kTypeOBJD, o.id, 0x10, o.name,
                                   std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    for (const Res& r : extra) reshaper_test::AppendChunk(file, r.type, r.id, 0x10, r.name, r.data);
    return file;
}

// The directories the tests scan.
inline const std::vector<std::string>& TestDirectories() {
    static const std::vector<std::string> directories = {".\\Downloads\\", ".\\GameData\\Objects\\"};
    return directories;
}

class Installation {
public:
    Installation() = default;
    ~Installation() {
        catalog.Clear();
        CTGFileManager::Instance().Reset();
    }
    void Put(const std::string& relative, const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(reshaper_test::WriteFileBytes(dir.Join(relative), bytes));
    }
    // Maps the test directories and scans them; the current directory is the installation until the end.
    void Scan() {
        cd = std::make_unique<reshaper_test::ScopedCurrentDirectory>(dir.Path());
        CTGFileManager::Instance().Reset();
        for (const auto& d : TestDirectories()) CTGFileManager::Instance().MapDirectory(d, true, true);
        catalog.Scan(TestDirectories(), {}, ".\\Downloads\\Reshaped");
    }
    std::string HostPath(const std::string& relative) const { return dir.Join(relative); }

    reshaper_test::TempDir dir;
    std::unique_ptr<reshaper_test::ScopedCurrentDirectory> cd;
    ObjectCatalog catalog;
};

// The control of a window by its id.
template <class T>
T* Control(const QWidget& window, int id) {
    T* control = window.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

}  // namespace ui_test
