// iResFile::GetIndexedString: the string lookup shared by every resource file kind.
#include "objects/strings/StringSet.h"
#include "resfile/iResFile.h"

void iResFile::GetIndexedString(std::string& out, ResID id, int32_t index) {
    out.clear();
    if (index <= 0) return;
    StringSet set;
    set.ReadStringTable(this, id, false);
    if (const std::string* s = set.Get(index)) out = *s;
}
