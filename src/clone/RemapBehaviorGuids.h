// RemapBehaviorGuids: rewrites the GUID operands of behaviour instructions through a GuidMap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "clone/GuidMap.h"

class iResFile;

// Behaviour layout as far as the remapping reads it (little-endian): the instruction count (int16) at byte 2,
// twelve-byte instructions from byte 12; in an instruction the opcode word (top bit masked off) at 0, a GUID
// at 4..7 for opcodes 31 (only when byte 8 AND 0x7F is 4 or 7), 32 and 42.
constexpr size_t kBehaviorHeaderSize = 12;
constexpr size_t kBehaviorInstructionSize = 12;

// Rewrites the operands of one behaviour's data in place and logs a "Mapped" or "Unmapped" line for each GUID
// operand met (step 0, plain, black). The instruction count is taken as stored but only whole instructions
// that the data holds are examined. Returns true when any operand changed.
bool RemapBehaviorData(std::vector<uint8_t>& data, const GuidMap& map, const char* behaviorName);

// For every BHAV resource of the file, in index order: fetch it, remap its operands and, when any changed, add it
// back under the same id and name marked converted, and write it. A behaviour that cannot be fetched is passed
// over. No result; errors of the file are not checked.
void RemapBehaviorGuids(iResFile& file, const GuidMap& map);
