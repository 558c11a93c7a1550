// ExportOptions: the import's defaults and the document order of the twenty values.
#include "export/ExportOptions.h"

const char* const kExportOptionNames[kExportOptionCount] = {"objectfilename",
                                                            "exportobjectdefinitions",
                                                            "exportdrawgroups",
                                                            "exportbitmaps",
                                                            "exportsprites",
                                                            "justchangecolors",
                                                            "exportallzooms",
                                                            "smoothsmallzoomcolors",
                                                            "smoothsmallzoomedges",
                                                            "exportexpanded",
                                                            "exportp",
                                                            "exportz",
                                                            "generatez",
                                                            "generatezfar",
                                                            "exporta",
                                                            "generatea",
                                                            "generateasoft",
                                                            "compressbitmaps",
                                                            "createsubdirectories",
                                                            "thingstodo"};

ExportOptions ExportOptions::ImportDefaults() {
    ExportOptions o;
    o.exportp = o.exportz = o.exporta = 1;
    o.generatezfar = o.smoothsmallzoomcolors = o.smoothsmallzoomedges = 1;
    o.compressbitmaps = o.createsubdirectories = 0;
    o.thingstodo = 1;
    return o;
}

int32_t GetExportOptionNumber(const ExportOptions& o, int position) {
    switch (position) {
        case 1:
            return o.exportobjectdefinitions;
        case 2:
            return o.exportdrawgroups;
        case 3:
            return o.exportbitmaps;
        case 4:
            return o.exportsprites;
        case 5:
            return o.justchangecolors;
        case 6:
            return o.exportallzooms;
        case 7:
            return o.smoothsmallzoomcolors;
        case 8:
            return o.smoothsmallzoomedges;
        case 9:
            return o.exportexpanded;
        case 10:
            return o.exportp;
        case 11:
            return o.exportz;
        case 12:
            return o.generatez;
        case 13:
            return o.generatezfar;
        case 14:
            return o.exporta;
        case 15:
            return o.generatea;
        case 16:
            return o.generateasoft;
        case 17:
            return o.compressbitmaps;
        case 18:
            return o.createsubdirectories;
        case 19:
            return o.thingstodo;
        default:
            return 0;
    }
}
