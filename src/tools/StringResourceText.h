// StringResourceText: the title and text of the string view of one string set resource.
#pragma once

#include <string>

#include "resfile/ResTypes.h"

class iResFile;

struct StringResourceView {
    std::string title;  // "String Resouce Editor: #%d \"%s\"" (id, set name)
    std::string text;   // "ID: %d Count: %d Name: %s\r\n", then "#%03d: %s\r\n" per string
    bool read = false;  // the string set could be read (otherwise the view shows count 0 and no name)
};

// Reads string set `id` as the string table is read (STR# first, then the legacy text form) in the current
// language. A set that cannot be read shows count 0 and an empty name.
StringResourceView StringResourceText(iResFile& file, ResID id);
