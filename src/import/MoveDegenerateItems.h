// MoveDegenerateItems: the last step of an import: draw group items that show a degenerate frame move to (0, 0).
#pragma once

#include <memory>
#include <vector>

struct ImportedSprite;
struct ObjectFile;

// For every draw group of the record (loaded with its graphics lists), every item whose sprite was built by this
// import (the first built sprite of the item's sprite id with more frames than the item's frame number) and whose
// frame came out degenerate gets pixel (0, 0), with a log line; groups with a moved item are saved again, then
// the file is updated. Returns the number of items moved.
int MoveDegenerateItems(ObjectFile& file, const std::vector<std::unique_ptr<ImportedSprite>>& sprites);
