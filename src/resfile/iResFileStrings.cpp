// iResFile::GetIndexedString: the string lookup shared by every resource file kind.
#include "resfile/iResFile.h"

// FIXME: reads the string set through StringSet once the object model provides it.
void iResFile::GetIndexedString(std::string& out, ResID, int32_t) { out.clear(); }
