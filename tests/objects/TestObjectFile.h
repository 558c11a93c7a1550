// TestObjectFile: an IFF 2.5 file in a temporary directory that the object model tests fill, reopen and inspect.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resfile/IFFResFile2.h"
#include "support/TempDir.h"

namespace objects_test {

// An open file that refuses every change as a file opened read-only does.
class ReadOnlyIFFResFile : public IFFResFile2 {
public:
    bool IsWritable() override { return false; }
    void AddVariant(DataHandle*, ResType, ResID, std::string_view, uint8_t, bool) override { Refuse(); }
    void Add(DataHandle*, ResType, ResID, std::string_view, bool) override { Refuse(); }
    void Write(DataHandle*) override { Refuse(); }
    void Delete(DataHandle*) override { Refuse(); }

private:
    void Refuse() { SetError(IsOpen() ? kErrNotWritable : kErrNotOpen); }
};

template <class File = IFFResFile2>
class TestObjectFile {
public:
    TestObjectFile() : path_(dir_.Join("objects.iff")) {
        EXPECT_EQ(file.Create(path_), kNoErr);
        EXPECT_EQ(file.Open(path_), kNoErr);
    }
    // Adds and writes a resource; `converted` false stores it as an older writer left it.
    void Put(ResType type, ResID id, const std::vector<uint8_t>& bytes, const char* name = "", bool converted = true) {
        DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
        file.IFFResFile2::AddVariant(h, type, id, name, 0, converted);
        ASSERT_EQ(file.GetError(), kNoErr);
        file.IFFResFile2::Write(h);
        ASSERT_EQ(file.GetError(), kNoErr);
        file.ReleaseAndFree(h);
    }
    // Closes and opens the file again, so that what follows reads what reached the disk.
    void Reopen() {
        ASSERT_EQ(file.Close(), kNoErr);
        ASSERT_EQ(file.Open(path_), kNoErr);
    }
    // The stored bytes of a resource, not fixed up; empty when it is missing.
    std::vector<uint8_t> Stored(ResType type, ResID id) {
        DataHandle* h = file.GetResource(type, id, nullptr);
        if (!h) return {};
        std::vector<uint8_t> bytes = h->bytes;
        file.ReleaseAndFree(h);
        return bytes;
    }
    bool Has(ResType type, ResID id) {
        DataHandle* h = file.GetResource(type, id, nullptr);
        if (h) file.ReleaseAndFree(h);
        return h != nullptr;
    }
    // The stored resource name; empty when it is missing.
    std::string NameOf(ResType type, ResID id) {
        std::string name;
        if (DataHandle* h = file.GetResource(type, id, nullptr)) {
            file.GetName(h, name);
            file.ReleaseAndFree(h);
        }
        return name;
    }

private:
    reshaper_test::TempDir dir_;
    std::string path_;

public:
    File file;
};

}  // namespace objects_test
