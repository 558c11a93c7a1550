// ImportOptions: reading the twenty options of a document's root element for the import.
#pragma once

#include "export/ExportOptions.h"

// Reads the options from the root element's attribute list (expat's name, value pairs ending in a null). Names
// are matched without regard to case; flags become 1 when their number is not 0, else 0; a missing attribute
// keeps its value of ExportOptions::ImportDefaults(). The file name is turned into the resources' 8-bit form.
ExportOptions ReadImportOptions(const char** attributes);
