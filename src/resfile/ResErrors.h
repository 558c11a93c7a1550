// ResErrors: the error codes of the resource file layer, recorded as last error and printed by number.
#pragma once

#include <cstdint>

using ResErr = int32_t;

constexpr ResErr kNoErr = 0;
constexpr ResErr kErrBadChunk = -1;           // chunk of another type or out-of-range size; object not serialisable
constexpr ResErr kErrRemoveFailed = -39;
constexpr ResErr kErrFileNotFound = -40;
constexpr ResErr kErrCreateFailed = -42;
constexpr ResErr kErrFileExists = -43;
constexpr ResErr kErrNotWritable = -45;
constexpr ResErr kErrShortWrite = -46;
constexpr ResErr kErrAlreadyOpen = -47;
constexpr ResErr kErrRead = -48;               // seek or read failed or came short
constexpr ResErr kErrNotOpen = -49;
constexpr ResErr kErrOpenFailed = -50;         // also flush/truncate failures and Suspend/Resume faults
constexpr ResErr kErrNoVariants = -91;
constexpr ResErr kErrTypeExcluded = -92;
constexpr ResErr kErrBadHeader = -93;
constexpr ResErr kErrNoMemberTakesType = -94;
constexpr ResErr kErrNotSupported = -95;
constexpr ResErr kErrNameNotRecorded = -96;
constexpr ResErr kErrNotFound = -98;           // no resource with that type and id / index; unknown handle for queries
constexpr ResErr kErrNameNotFound = -99;       // no resource with that name; unknown handle for changes
constexpr ResErr kErrTypeIndex = -100;
constexpr ResErr kErrNoMemory = -200;
constexpr ResErr kErrNoKindMatches = -250;
