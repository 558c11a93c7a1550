// RemapBehaviorGuids: the three GUID-bearing instructions of behaviour trees and their log lines.
#include "clone/RemapBehaviorGuids.h"

#include <cstdio>
#include <string>

#include "app/Progress.h"
#include "platform/ByteReader.h"
#include "resfile/iResFile.h"
#include "platform/ByteWriter.h"

namespace {

constexpr uint16_t kOpcodeSetToNextParam = 31;
constexpr uint16_t kOpcodeTestObjectType = 32;
constexpr uint16_t kOpcodeCreateObject = 42;

// The name of the instruction in the log, or null when it has no GUID operand.
const char* GuidInstructionName(uint16_t opcode, uint8_t operandByte) {
    switch (opcode) {
        case kOpcodeSetToNextParam: {
            uint8_t kind = operandByte & 0x7F;
            return kind == 4 || kind == 7 ? "SetToNextParam" : nullptr;
        }
        case kOpcodeTestObjectType:
            return "TestObjectType";
        case kOpcodeCreateObject:
            return "CreateObject";
        default:
            return nullptr;
    }
}

void Log(const std::string& text) { ProgressLog(0, text.c_str(), kProgressStylePlain, 0, 0, 0); }

}  // namespace

bool RemapBehaviorData(std::vector<uint8_t>& data, const GuidMap& map, const char* behaviorName) {
    ByteReader header(data.data(), data.size());
    header.Skip(2);
    int16_t count = header.ReadInt16LE();
    if (header.HasFailed() || count <= 0) return false;
    size_t held =
        data.size() < kBehaviorHeaderSize ? 0 : (data.size() - kBehaviorHeaderSize) / kBehaviorInstructionSize;
    size_t n = static_cast<size_t>(count) < held ? static_cast<size_t>(count) : held;
    const char* name = behaviorName ? behaviorName : "";
    bool changed = false;
    char line[512];
    for (size_t k = 0; k < n; ++k) {
        size_t at = kBehaviorHeaderSize + k * kBehaviorInstructionSize;
        ByteReader r(data.data() + at, kBehaviorInstructionSize);
        uint16_t opcode = r.ReadUInt16LE() & 0x7FFF;
        if (opcode >= 256) continue;  // calls of other behaviour trees
        r.Skip(2);
        uint32_t guid = r.ReadUInt32LE();
        uint8_t operandByte = r.ReadUInt8();
        const char* what = GuidInstructionName(opcode, operandByte);
        if (!what) continue;
        auto found = map.find(guid);
        if (found != map.end()) {
            PutUInt32LE(data.data() + at + 4, found->second);
            changed = true;
            std::snprintf(line, sizeof line, "<!-- Mapped %s guid from %d to %d in behavior \"%s\" -->\r\n", what,
                          static_cast<int32_t>(guid), static_cast<int32_t>(found->second), name);
        } else {
            std::snprintf(line, sizeof line, "<!-- Unmapped %s guid %d in behavior \"%s\" -->\r\n", what,
                          static_cast<int32_t>(guid), name);
        }
        Log(line);
    }
    return changed;
}

void RemapBehaviorGuids(iResFile& file, const GuidMap& map) {
    std::vector<ResID> ids;
    int32_t count = file.CountResources(kTypeBHAV);
    for (int32_t i = 1; i <= count; ++i) {
        DataHandle* h = file.GetIndexedResource(kTypeBHAV, i, nullptr);
        if (!h) continue;
        ResID id = 0;
        file.GetID(h, id);
        file.ReleaseAndFree(h);
        ids.push_back(id);
    }
    for (ResID id : ids) {
        DataHandle* h = file.GetResource(kTypeBHAV, id, nullptr);
        if (!h) continue;
        std::string name;
        file.GetName(h, name);
        std::vector<uint8_t> data = h->bytes;
        bool changed = RemapBehaviorData(data, map, name.c_str());
        file.ReleaseAndFree(h);
        if (!changed) continue;
        DataHandle* out = NewHandleFrom(data.data(), static_cast<int32_t>(data.size()));
        if (!out) continue;
        file.Add(out, kTypeBHAV, id, name, true);
        if (file.GetError() != kNoErr) {
            // The file refused the block, so it is still ours.
            FreeHandle(out);
            continue;
        }
        file.Write(out);
        file.ReleaseAndFree(out);
    }
}
