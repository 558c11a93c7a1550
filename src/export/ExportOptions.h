// ExportOptions: the twenty values that govern an export and, read back from the document, its import.
#pragma once

#include <cstdint>
#include <string>

// The values in the order the document's root element lists them. Every member but the first and the last is a
// flag (0 or 1). A default-constructed set is the exporter's starting state: exportp, exportz, exporta,
// compressbitmaps and createsubdirectories 1, every other flag 0 (the import's defaults differ, see below).
struct ExportOptions {
    std::string objectfilename;  // the object file's path as its resource file reports it
    int32_t exportobjectdefinitions = 0;
    int32_t exportdrawgroups = 0;
    int32_t exportbitmaps = 0;
    int32_t exportsprites = 0;
    int32_t justchangecolors = 0;
    int32_t exportallzooms = 0;
    int32_t smoothsmallzoomcolors = 0;
    int32_t smoothsmallzoomedges = 0;
    int32_t exportexpanded = 0;
    int32_t exportp = 1;
    int32_t exportz = 1;
    int32_t generatez = 0;
    int32_t generatezfar = 0;
    int32_t exporta = 1;
    int32_t generatea = 0;
    int32_t generateasoft = 0;
    int32_t compressbitmaps = 1;
    int32_t createsubdirectories = 1;
    int32_t thingstodo = 0;  // progress steps of the export plus one; written by the export itself

    // The values an import assumes for a root element without attributes: exportp, exportz, exporta,
    // generatezfar, smoothsmallzoomcolors and smoothsmallzoomedges 1, every other flag 0, thingstodo 1.
    static ExportOptions ImportDefaults();

    bool operator==(const ExportOptions&) const = default;
};

// The attribute names of the twenty values, in document order.
constexpr int kExportOptionCount = 20;
extern const char* const kExportOptionNames[kExportOptionCount];
// The value of the flag or count at a position of that order (0 for position 0, the file name, and for positions
// out of range).
int32_t GetExportOptionNumber(const ExportOptions& options, int position);
