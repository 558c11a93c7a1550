// ImportOptions: reading the root element's options in document order.
#include "import/ImportOptions.h"

#include "import/ImportAttributes.h"

namespace {

// The members of the document positions 1 to 19 (position 0 is the file name).
constexpr int32_t ExportOptions::*kMembers[kExportOptionCount] = {
    nullptr,
    &ExportOptions::exportobjectdefinitions,
    &ExportOptions::exportdrawgroups,
    &ExportOptions::exportbitmaps,
    &ExportOptions::exportsprites,
    &ExportOptions::justchangecolors,
    &ExportOptions::exportallzooms,
    &ExportOptions::smoothsmallzoomcolors,
    &ExportOptions::smoothsmallzoomedges,
    &ExportOptions::exportexpanded,
    &ExportOptions::exportp,
    &ExportOptions::exportz,
    &ExportOptions::generatez,
    &ExportOptions::generatezfar,
    &ExportOptions::exporta,
    &ExportOptions::generatea,
    &ExportOptions::generateasoft,
    &ExportOptions::compressbitmaps,
    &ExportOptions::createsubdirectories,
    &ExportOptions::thingstodo,
};
constexpr int kThingsToDoPosition = kExportOptionCount - 1;

}  // namespace

ExportOptions ReadImportOptions(const char** a) {
    ExportOptions o = ExportOptions::ImportDefaults();
    // The file name is a name on the host's disk, carried as it is.
    if (const char* name = FindImportAttribute(a, kExportOptionNames[0])) o.objectfilename = name;
    for (int i = 1; i < kExportOptionCount; ++i) {
        int32_t& value = o.*kMembers[i];
        if (i == kThingsToDoPosition)
            value = ReadIntAttribute(a, kExportOptionNames[i], value);
        else
            value = ReadFlagAttribute(a, kExportOptionNames[i], value != 0) ? 1 : 0;
    }
    return o;
}
