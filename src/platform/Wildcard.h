// Wildcard: matching of a name against a pattern with '*' and '?', ignoring the case of A to Z.
#pragma once

#include <string_view>

// '*' matches any run of characters (also none), '?' exactly one character, every other character itself
// with the letters A to Z folded to lower case. True when the whole name matches.
bool MatchWildcard(std::string_view name, std::string_view pattern);
