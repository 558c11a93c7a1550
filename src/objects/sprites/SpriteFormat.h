// SpriteFormat: layout constants of the sprite resources SPR2 (token stream) and SPR# (command pairs).
#pragma once

#include <cstddef>
#include <cstdint>

// Channel flags of an SPR2 frame.
constexpr uint32_t kColorData = 1;
constexpr uint32_t kZData = 2;
constexpr uint32_t kAlphaData = 4;

// SPR2 tokens: a 16-bit little-endian word, the opcode in the top 3 bits and a count in the low 13.
constexpr uint16_t kNL = 0x0000;         // count = byte length of the whole row, this word included
constexpr uint16_t kRunZP = 0x2000;      // count pixels of Z, P byte pairs
constexpr uint16_t kRunZPA = 0x4000;     // count pixels of Z, P, A byte triples, padded to even
constexpr uint16_t kClear = 0x6000;      // count transparent pixels to skip
constexpr uint16_t kSL = 0x8000;         // count empty rows to skip
constexpr uint16_t kEOS = 0xA000;        // end of the frame
constexpr uint16_t kRunP = 0xC000;       // count P bytes, padded to even
constexpr uint16_t kBadOpcode = 0xE000;  // never written; a decoder that meets it stops
constexpr uint16_t kOpcodeMask = 0xE000;
constexpr uint16_t kCountMask = 0x1FFF;
constexpr int32_t kMaxTokenCount = 8191;

constexpr int32_t kSpr2Version = 1000;            // what this program writes: an offset table locates the frames
constexpr int32_t kSpr2SequentialVersion = 1001;  // read only: frames one after another, each with its size
constexpr size_t kSpr2HeaderSize = 12;            // version, frame count and palette id (1001: palette id first)
constexpr size_t kSpr2FrameHeaderSize = 16;       // width, height, flags, palette id, clear colour, y, x
constexpr uint8_t kSpr2PadByte = 0xB0;            // what the encoder writes after data of odd length

// Channel values.
constexpr uint8_t kEmptyDepth = 255;      // Z of a pixel that holds nothing
constexpr uint8_t kColorOnlyDepth = 128;  // Z of a pixel coded with colour only
constexpr uint8_t kOpaqueAlpha = 255;

// SPR# commands: byte pairs (command, count).
constexpr uint8_t kSprListSkipPixels = 1;
constexpr uint8_t kSprListFill = 2;  // then the colour byte and a pad byte
constexpr uint8_t kSprListCopy = 3;  // then count colour bytes, padded to even
constexpr uint8_t kSprListNewRow = 4;
constexpr uint8_t kSprListEnd = 5;
constexpr uint8_t kSprListSkipRows = 9;

constexpr int32_t kSprListFirstPaletteVersion = 502;  // versions below have no palette id
constexpr size_t kSprListFrameHeaderSize = 10;        // y, x, height, width, one more word
