// WriteImportResource: adding one resource the import made to the object file, writing it and updating the file.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;

// Which step failed.
enum class ImportWriteStep { kNone, kAdd, kWrite, kUpdate };

// Adds the bytes as (type, id) under `name` (replacing a resource of that type and id), writes the block, gives
// it back to the file and updates the file. Returns kNoErr, or the file's error code with `failed` (when given)
// telling the step; a block the file refused is freed.
ResErr WriteImportResource(iResFile& file, ResType type, ResID id, std::string_view name,
                           const std::vector<uint8_t>& bytes, bool converted, ImportWriteStep* failed = nullptr);
