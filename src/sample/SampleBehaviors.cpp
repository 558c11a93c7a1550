// SampleBehaviors: laying out behaviour trees and their instructions.
#include "sample/SampleBehaviors.h"
#include "platform/ByteWriter.h"

#include <algorithm>

namespace {

constexpr uint16_t kBehaviorSignature = 0x8002;
constexpr uint8_t kReturnTrue = 0xFD;
constexpr uint8_t kReturnFalse = 0xFE;

}  // namespace

SampleInstruction MakeGuidInstruction(uint16_t opcode, uint32_t guid, bool topBit, uint8_t searchKind) {
    SampleInstruction in;
    in.opcode = static_cast<uint16_t>(opcode | (topBit ? kSampleOpcodeTopBit : 0));
    PutUInt32LE(in.operand, guid);
    in.operand[4] = searchKind;
    return in;
}

SampleInstruction MakePlainInstruction(uint16_t opcode, const std::vector<uint8_t>& operand) {
    SampleInstruction in;
    in.opcode = opcode;
    std::copy_n(operand.begin(), std::min<size_t>(operand.size(), 8), in.operand);
    return in;
}

std::vector<uint8_t> MakeBehavior(std::vector<SampleInstruction> code) {
    std::vector<uint8_t> out;
    ByteWriter(out).WriteUInt16LE(kBehaviorSignature);
    ByteWriter(out).WriteUInt16LE(static_cast<uint16_t>(code.size()));
    out.push_back(0);     // tree type
    out.push_back(4);     // arguments
    ByteWriter(out).WriteUInt16LE(0);  // locals
    ByteWriter(out).WriteUInt16LE(0);  // flags
    ByteWriter(out).WriteUInt16LE(0);  // tree version
    for (size_t k = 0; k < code.size(); ++k) {
        SampleInstruction& in = code[k];
        if (in.trueTarget == 0) in.trueTarget = k + 1 < code.size() ? static_cast<uint8_t>(k + 1) : kReturnTrue;
        if (in.falseTarget == 0) in.falseTarget = kReturnFalse;
        ByteWriter(out).WriteUInt16LE(in.opcode);
        out.push_back(in.trueTarget);
        out.push_back(in.falseTarget);
        out.insert(out.end(), in.operand, in.operand + 8);
    }
    return out;
}
