// SampleBehaviors: behaviour tree (BHAV) resources of the sample objects, with GUID operands that name objects.
#pragma once

#include <cstdint>
#include <vector>

// Opcodes whose operand names an object by GUID (bytes 4 to 7 of the instruction), and two that do not.
constexpr uint16_t kSampleOpSetToNext = 0x1F;  // only when operand byte 4 (instruction byte 8) & 0x7F is 4 or 7
constexpr uint16_t kSampleOpTestObjectType = 0x20;
constexpr uint16_t kSampleOpCreateObject = 0x2A;
constexpr uint16_t kSampleOpExpression = 0x02;
constexpr uint16_t kSampleOpFirstTreeCall = 0x100;  // 256 and above call other behaviour trees
constexpr uint16_t kSampleOpcodeTopBit = 0x8000;

// One 12-byte instruction: opcode, true and false targets, eight operand bytes.
struct SampleInstruction {
    uint16_t opcode = 0;
    uint8_t trueTarget = 0;
    uint8_t falseTarget = 0;
    uint8_t operand[8] = {};
};

// An instruction whose operand bytes 0 to 3 hold `guid` (little-endian) and byte 4 `searchKind`; the top bit of the
// opcode word is set when asked (readers mask it off).
SampleInstruction MakeGuidInstruction(uint16_t opcode, uint32_t guid, bool topBit = false, uint8_t searchKind = 0);
// A plain instruction with the given operand bytes.
SampleInstruction MakePlainInstruction(uint16_t opcode, const std::vector<uint8_t>& operand);

// The resource: a 12-byte header (signature 0x8002, instruction count, tree type 0, 4 arguments, 0 locals, flags and
// tree version 0), then the instructions in order. Each instruction's targets are filled in here when left 0: the
// next instruction on true, 0xFE (return false) on false, and 0xFD (return true) after the last one.
std::vector<uint8_t> MakeBehavior(std::vector<SampleInstruction> code);
