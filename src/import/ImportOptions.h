// ImportOptions: the twenty options of a document's root element as the import reads them.
#pragma once

#include <cstdint>
#include <string>

// The values a document's root element carries, with the value each takes when its attribute is missing.
struct ImportOptions {
    std::string objectfilename;
    bool exportobjectdefinitions = false;
    bool exportdrawgroups = false;
    bool exportbitmaps = false;
    bool exportsprites = false;
    bool justchangecolors = false;
    bool exportallzooms = false;
    bool smoothsmallzoomcolors = true;
    bool smoothsmallzoomedges = true;
    bool exportexpanded = false;
    bool exportp = true;
    bool exportz = true;
    bool generatez = false;
    bool generatezfar = true;
    bool exporta = true;
    bool generatea = false;
    bool generateasoft = false;
    bool compressbitmaps = false;
    bool createsubdirectories = false;
    int32_t thingstodo = 1;
};

// Reads the options from an element's attribute list (expat's name, value pairs ending in a null); names are
// matched without regard to case and missing ones keep the defaults above.
ImportOptions ReadImportOptions(const char** attributes);
