// CloneName: the name of a new clone: letters and digits only, proposed with six digits at its end.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

constexpr size_t kMaxCloneNameLength = 255;

// Removes every character that is not an ASCII letter or digit and cuts the result to 255 characters.
void SanitizeCloneName(std::string& text);

// The file name part of a resource file's path: the text after the last '\', else after the last '/', else
// the whole path.
std::string FileNamePart(const std::string& path);

// One step of the default name: with i decimal digits at the end of the candidate reading as n, the
// candidate without them followed by n + 1 when i is exactly 6, otherwise by a random number from three
// values of `random`, always printed as six digits ("%06d").
std::string NextCloneNameCandidate(const std::string& candidate, const std::function<int()>& random);

// The name the clone dialog proposes for a source file (its path as opened, without extension): candidates
// from the file name part are tried until `isUnique` accepts one. `random` defaults to rand().
std::string MakeDefaultCloneName(const std::string& sourcePath, const std::function<bool(const std::string&)>& isUnique,
                                 const std::function<int()>& random = {});

// The game path of a clone of that name: "<CloneDirectory>\<name>.iff".
std::string CloneFilePath(const std::string& name);
