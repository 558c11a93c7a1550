// ResourceBrowserRows: what the resource browser lists: the open object resource files as rows, and a file's
// resources as type nodes with their resource nodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resfile/ResTypes.h"

class iResFile;

constexpr int kResourceBrowserColumnCount = 5;

// One listed file. The browser owns its rows and rebuilds them on every refresh.
struct ResourceBrowserRow {
    iResFile* file = nullptr;
    std::string path;       // GetPath
    std::string name;       // the path after its last '/' and then after its last '\'
    std::string className;  // the most derived class of the file, "iResFile" for any other kind
    std::string mode;       // "writable", "read-only" or "invalid"
    int32_t count = 0;      // resources of every type
    int index = 0;          // position in the list
};

// The class name of a resource file's most derived kind of the resource file family.
const char* ResFileClassName(const iResFile& file);
// "writable" when open and writable, "read-only" when open and not writable, "invalid" when not open.
const char* ResFileModeText(iResFile& file);
// The row record of a file (the file is not changed; a closed file has count 0).
ResourceBrowserRow MakeResourceBrowserRow(iResFile& file, int index);
// Every open ObjResFile of the process-wide list of resource files, in list order.
std::vector<ResourceBrowserRow> ListOpenObjectResFiles();

// The text of a cell: name, class, mode, count ("%d") and path for columns 0 ... 4; "???" for any other column.
std::string ResourceBrowserCellText(const ResourceBrowserRow& row, int column);
// Ascending order of a column: byte-wise text for columns 0, 1, 2 and 4, numeric for column 3.
bool ResourceBrowserRowLess(const ResourceBrowserRow& a, const ResourceBrowserRow& b, int column);
// "%s %s %s count %d": name, class, mode, count.
std::string ResourceBrowserSummary(const ResourceBrowserRow& row);

struct ResourceNode {
    ResID id = 0;
    std::string label;  // "#%d: \"%s\" size %d"
};

struct ResourceTypeNode {
    ResType type = 0;
    std::string label;                    // "%c%c%c%c [%d]"
    std::vector<ResourceNode> resources;  // in index order
};

// "%c%c%c%c [%d]": the type's four characters from the most significant byte down and the count. A zero byte
// is shown as a blank, so that a label never ends inside the type code.
std::string ResourceTypeLabel(ResType type, int count);
// "#%d: \"%s\" size %d".
std::string ResourceNodeLabel(ResID id, const std::string& name, int32_t size);
// Alphabetical order of type labels: letter case ignored, ties broken byte-wise.
bool ResourceTypeLabelLess(const std::string& a, const std::string& b);
// The types of a file in label order, each with its resources in index order (each fetched without fix-up and
// released again). A resource that cannot be fetched gets an empty name and size 0. Empty for a closed file.
std::vector<ResourceTypeNode> ListResourceTree(iResFile& file);

// True for the types a string view shows: STR# and the legacy text string type.
bool IsStringResourceType(ResType type);
