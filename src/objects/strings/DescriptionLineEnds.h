// DescriptionLineEnds: the one line-end rule of catalogue descriptions, for the editors and the command line.
#pragma once

#include <string>

// A description keeps the line-end form of the text it replaces: the edited text gets every line end (CR LF, a
// lone CR or a lone LF) written as CR LF when the stored text holds a CR LF, as LF when it holds only line
// feeds; a stored text without any line break (or none at all) gives new text CR LF, the form of the game's own
// texts.
std::string WithDescriptionLineEnds(const std::string& edited, const std::string& stored);
// True when the two texts differ at most in the form of their line ends: such an edit changes nothing.
bool SameDescription(const std::string& a, const std::string& b);
