// ObjectReach: what an object definition reaches: the sprites of a custom wall style, its draw groups and
// the sprites their items place.
#pragma once

#include <cstdint>
#include <functional>

#include "objects/definitions/ObjectDefinition.h"

class iResFile;

// Calls sprite for each of the six ids customwallstyleid + 0..5 when wallstyle is 22 (custom), then for each
// draw group id basegraphic .. basegraphic + numgraphics - 1 calls enterDrawGroup; when that returns true the
// group is loaded from file and sprite is called with the sprite id of every item of every item list (a group
// that does not load reaches nothing). Ids are given as 32-bit values: callers decide what is out of range.
void VisitObjectReach(iResFile& file, const ObjectDefinition& def,
                      const std::function<bool(int32_t drawGroupId)>& enterDrawGroup,
                      const std::function<void(int32_t spriteId)>& sprite);
