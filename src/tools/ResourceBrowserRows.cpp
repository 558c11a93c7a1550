// ResourceBrowserRows: rows, cell texts, order and tree labels of the resource browser.
#include "tools/ResourceBrowserRows.h"

#include <algorithm>
#include <cctype>

#include "objects/strings/StringSet.h"
#include "resfile/ChainResFile.h"
#include "resfile/IFFResFile.h"
#include "resfile/ResolveResFile.h"
#include "resfile/SeqResFile.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

const char* ResFileClassName(const iResFile& file) {
    // Most derived first: ObjResFile is a StdResFile is a SeqResFile is a ChainResFile.
    if (dynamic_cast<const ObjResFile*>(&file)) return "ObjResFile";
    if (dynamic_cast<const StdResFile*>(&file)) return "StdResFile";
    if (dynamic_cast<const SeqResFile*>(&file)) return "SeqResFile";
    if (dynamic_cast<const ChainResFile*>(&file)) return "ChainResFile";
    if (dynamic_cast<const IFFResFile*>(&file)) return "IFFResFile";
    if (dynamic_cast<const ResolveResFile*>(&file)) return "ResolveResFile";
    return "iResFile";
}

const char* ResFileModeText(iResFile& file) {
    if (!file.IsOpen()) return "invalid";
    return file.IsWritable() ? "writable" : "read-only";
}

ResourceBrowserRow MakeResourceBrowserRow(iResFile& file, int index) {
    ResourceBrowserRow row;
    row.file = &file;
    file.GetPath(row.path);
    std::string name = row.path;
    size_t slash = name.rfind('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t backslash = name.rfind('\\');
    if (backslash != std::string::npos) name.erase(0, backslash + 1);
    row.name = name;
    row.className = ResFileClassName(file);
    row.mode = ResFileModeText(file);
    if (file.IsOpen()) {
        int32_t types = file.CountTypes();
        for (int32_t t = 1; t <= types; ++t) row.count += file.CountResources(file.GetIndexedType(t));
    }
    row.index = index;
    return row;
}

std::vector<ResourceBrowserRow> ListOpenObjectResFiles() {
    std::vector<ResourceBrowserRow> rows;
    for (iResFile* f = iResFile::GetFirstResFile(); f; f = f->GetNextResFile()) {
        if (!f->IsOpen() || !dynamic_cast<ObjResFile*>(f)) continue;
        rows.push_back(MakeResourceBrowserRow(*f, static_cast<int>(rows.size())));
    }
    return rows;
}

std::string ResourceBrowserCellText(const ResourceBrowserRow& row, int column) {
    switch (column) {
        case 0:
            return row.name;
        case 1:
            return row.className;
        case 2:
            return row.mode;
        case 3:
            return std::to_string(row.count);
        case 4:
            return row.path;
        default:
            return "???";
    }
}

bool ResourceBrowserRowLess(const ResourceBrowserRow& a, const ResourceBrowserRow& b, int column) {
    if (column == 3) return a.count < b.count;
    // std::string compares its bytes as unsigned char.
    return ResourceBrowserCellText(a, column) < ResourceBrowserCellText(b, column);
}

std::string ResourceBrowserSummary(const ResourceBrowserRow& row) {
    return row.name + " " + row.className + " " + row.mode + " count " + std::to_string(row.count);
}

std::string ResourceTypeLabel(ResType type, int count) {
    std::string label = ResTypeToString(type);
    std::replace(label.begin(), label.end(), '\0', ' ');
    return label + " [" + std::to_string(count) + "]";
}

std::string ResourceNodeLabel(ResID id, const std::string& name, int32_t size) {
    return "#" + std::to_string(id) + ": \"" + name + "\" size " + std::to_string(size);
}

bool ResourceTypeLabelLess(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::vector<ResourceTypeNode> ListResourceTree(iResFile& file) {
    std::vector<ResourceTypeNode> nodes;
    if (!file.IsOpen()) return nodes;
    int32_t types = file.CountTypes();
    for (int32_t t = 1; t <= types; ++t) {
        ResourceTypeNode node;
        node.type = file.GetIndexedType(t);
        int32_t count = file.CountResources(node.type);
        node.label = ResourceTypeLabel(node.type, count);
        for (int32_t i = 1; i <= count; ++i) {
            ResID id = 0;
            std::string name;
            int32_t size = 0;
            if (DataHandle* h = file.GetIndexedResource(node.type, i, nullptr)) {
                file.GetName(h, name);
                file.GetID(h, id);
                size = h->Size();
                // Given back at once: data left loaded without its fix-up would reach the next caller that
                // fetches the resource with one, unconverted.
                file.ReleaseAndFree(h);
            }
            node.resources.push_back({id, ResourceNodeLabel(id, name, size)});
        }
        nodes.push_back(std::move(node));
    }
    std::stable_sort(nodes.begin(), nodes.end(), [](const ResourceTypeNode& a, const ResourceTypeNode& b) {
        return ResourceTypeLabelLess(a.label, b.label);
    });
    return nodes;
}

bool IsStringResourceType(ResType type) { return type == kTypeSTRList || type == kTypeTextStrings; }
