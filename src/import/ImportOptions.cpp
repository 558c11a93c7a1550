// ImportOptions: reading the root element's options.
#include "import/ImportOptions.h"

#include "import/ImportAttributes.h"

ImportOptions ReadImportOptions(const char** a) {
    ImportOptions o;
    if (const char* name = FindImportAttribute(a, "objectfilename")) o.objectfilename = Utf8ToResourceText(name);
    o.exportobjectdefinitions = ReadFlagAttribute(a, "exportobjectdefinitions", o.exportobjectdefinitions);
    o.exportdrawgroups = ReadFlagAttribute(a, "exportdrawgroups", o.exportdrawgroups);
    o.exportbitmaps = ReadFlagAttribute(a, "exportbitmaps", o.exportbitmaps);
    o.exportsprites = ReadFlagAttribute(a, "exportsprites", o.exportsprites);
    o.justchangecolors = ReadFlagAttribute(a, "justchangecolors", o.justchangecolors);
    o.exportallzooms = ReadFlagAttribute(a, "exportallzooms", o.exportallzooms);
    o.smoothsmallzoomcolors = ReadFlagAttribute(a, "smoothsmallzoomcolors", o.smoothsmallzoomcolors);
    o.smoothsmallzoomedges = ReadFlagAttribute(a, "smoothsmallzoomedges", o.smoothsmallzoomedges);
    o.exportexpanded = ReadFlagAttribute(a, "exportexpanded", o.exportexpanded);
    o.exportp = ReadFlagAttribute(a, "exportp", o.exportp);
    o.exportz = ReadFlagAttribute(a, "exportz", o.exportz);
    o.generatez = ReadFlagAttribute(a, "generatez", o.generatez);
    o.generatezfar = ReadFlagAttribute(a, "generatezfar", o.generatezfar);
    o.exporta = ReadFlagAttribute(a, "exporta", o.exporta);
    o.generatea = ReadFlagAttribute(a, "generatea", o.generatea);
    o.generateasoft = ReadFlagAttribute(a, "generateasoft", o.generateasoft);
    o.compressbitmaps = ReadFlagAttribute(a, "compressbitmaps", o.compressbitmaps);
    o.createsubdirectories = ReadFlagAttribute(a, "createsubdirectories", o.createsubdirectories);
    o.thingstodo = ReadIntAttribute(a, "thingstodo", o.thingstodo);
    return o;
}
