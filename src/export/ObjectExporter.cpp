// ObjectExporter: the document's frame (header, root, sections), object definitions, draw groups, bitmaps and the
// multi-tile marks; the sprites section lives in ObjectExporterSprites.cpp.
#include "export/ObjectExporter.h"

#include <unistd.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/AppSettings.h"
#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "app/Prompt.h"
#include "export/ExportFileNames.h"
#include "export/MakeDirectoriesForPath.h"
#include "export/SanitizeForFileName.h"
#include "export/XmlAttributeText.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "objects/drawing/DrawGroup.h"
#include "objects/sprites/SpriteSource.h"
#include "platform/FormatText.h"
#include "platform/HostDirectory.h"
#include "platform/HostFile.h"
#include "platform/HostPath.h"
#include "resfile/StdResFile.h"
#include "resfile/iResFile.h"

namespace {

constexpr const char* kRootElement = "objectsexportedfromthedomizens";
constexpr size_t kDocumentFlushBytes = 256 * 1024;

// Changes the current directory; false when that failed (the directory then stays as it was).
bool ChangeDirectory(const std::string& hostPath) { return !hostPath.empty() && ::chdir(hostPath.c_str()) == 0; }

// Fetches each resource of a type by index and hands over its id, name and bytes before giving it back.
template <typename Use>
void ForEachIndexed(iResFile& file, ResType type, FixupProc fixup, Use use) {
    const int32_t count = file.CountResources(type);
    for (int32_t i = 1; i <= count; ++i) {
        DataHandle* h = file.GetIndexedResource(type, i, fixup);
        if (!h) continue;
        ResID id = 0;
        std::string name;
        file.GetID(h, id);
        file.GetName(h, name);
        const std::vector<uint8_t> bytes = h->bytes;
        file.ReleaseAndFree(h);
        use(id, name, bytes);
    }
}

}  // namespace

ObjectExporter::ObjectExporter(ObjectFile& file) : record_(file), file_(*file.file) {}

ObjectExporter::~ObjectExporter() = default;

std::string ObjectExporter::DefaultDocumentName(const std::string& objectFilePath) {
    const size_t slash = objectFilePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? objectFilePath : objectFilePath.substr(slash + 1);
    const size_t dot = name.find('.');
    if (dot != std::string::npos) name.resize(dot);
    return name + ".xml";
}

void ObjectExporter::ReportError(const std::string& text) {
    ++stats_.errors;
    // The text as it is: the log gets no line end the message box does not show.
    ProgressLog(0, text.c_str(), kProgressStyleError, 255, 0, 0);
    ShowMessageBox(kExportErrorTitle, text, MessageKind::Error);
}

void ObjectExporter::LogLine(int32_t step, const std::string& text) {
    ProgressLog(step, text.c_str(), kProgressStylePlain, 0, 0, 0);
}

bool ObjectExporter::Export(const ExportOptions& options, const ExportSaveDialog& dialog) {
    const std::string remembered = CurrentHostDirectory();
    ChangeDirectory(GameDirectory());  // when that fails the dialog starts in the current directory
    std::string path;
    file_.GetPath(path);
    std::string endDirectory;
    const std::string chosen = dialog ? dialog(GameDirectory(), DefaultDocumentName(path), endDirectory) : "";
    if (!endDirectory.empty()) SetGameDirectory(endDirectory);
    if (chosen.empty()) {
        ChangeDirectory(remembered);
        return false;
    }
    ExportTo(chosen, options);
    ChangeDirectory(remembered);
    return true;
}

int32_t ObjectExporter::CountSteps(const ExportOptions& options) {
    int32_t steps = 0;
    if (options.exportobjectdefinitions) steps += file_.CountResources(kTypeOBJD);
    if (options.exportdrawgroups) steps += file_.CountResources(kTypeDGRP);
    if (options.exportbitmaps) steps += file_.CountResources(kTypeBMP);
    if (options.exportsprites) steps += WriteSprites(true);  // the sprite count depends on no option
    return steps;
}

bool ObjectExporter::ExportTo(const std::string& documentPath, const ExportOptions& options) {
    const std::string remembered = CurrentHostDirectory();
    const size_t slash = documentPath.find_last_of("\\/");
    std::string fileName = documentPath;
    documentDirectory_.clear();
    if (slash != std::string::npos) {
        documentDirectory_ = slash == 0 ? documentPath.substr(0, 1) : documentPath.substr(0, slash);
        fileName = documentPath.substr(slash + 1);
    }
    const size_t dot = fileName.rfind('.');
    base_ = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    auto restore = [&] { ChangeDirectory(remembered); };
    if (!documentDirectory_.empty() && !ChangeDirectory(ResolveHostPath(documentDirectory_))) {
        ShowMessageBox(kExportOpenFailedTitle, kExportOpenFailedText, MessageKind::Error);
        return false;
    }

    stats_ = ExportStatistics{};
    writeFailed_ = false;
    bitmapNamesUsed_.clear();
    options_ = options;
    if (options_.objectfilename.empty()) file_.GetPath(options_.objectfilename);
    const int32_t steps = CountSteps(options_);
    options_.thingstodo = steps + 1;
    ProgressBegin(kExportProgressTitle, steps + 1, 0);

    document_ = HostFile::Create(ResolveHostPath(fileName));
    if (!document_) {
        ShowMessageBox(kExportOpenFailedTitle, kExportOpenFailedText, MessageKind::Error);
        // Unlike a bare return, the log is ended and the directory restored, so nothing stays half open.
        ProgressEnd();
        restore();
        return false;
    }
    xml_ = XmlLineWriter{};
    WriteHeader();
    if (options_.exportobjectdefinitions) WriteObjectDefinitions();
    if (options_.exportdrawgroups) WriteDrawGroups();
    if (options_.exportbitmaps) WriteBitmaps();
    if (options_.exportsprites) {
        ComputeMultiTileMarks();
        WriteSprites(false);
    }
    xml_.Line(std::string("</") + kRootElement + ">");
    xml_.EmptyLine();
    FlushDocument();
    if (!document_->Close()) writeFailed_ = true;
    document_.reset();
    if (writeFailed_) ReportError(FormatText("Can't write the document \"%s\"!", fileName.c_str()));
    restore();
    ProgressLog(1, kExportFinishedText, kProgressStyleSuccess, 0, 128, 0);
    ProgressEnd();
    return !writeFailed_;
}

void ObjectExporter::FlushDocumentWhenLarge() {
    if (xml_.Size() > kDocumentFlushBytes) FlushDocument();
}

bool ObjectExporter::FlushDocument() {
    if (!document_ || xml_.Size() == 0) return true;
    const std::string text = xml_.Take();
    const int64_t n = static_cast<int64_t>(text.size());
    const int64_t written = writeFailed_ ? 0 : document_->Write(text.data(), n);
    stats_.bytesWritten += written;
    if (written != n) writeFailed_ = true;
    return !writeFailed_;
}

void ObjectExporter::WriteHeader() {
    xml_.Line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    xml_.EmptyLine();
    xml_.Line("<!-- This XML file was generated by The Domizens Reshaper. -->");
    xml_.Line("<!-- Do not change it, unless you know what you're doing. -->");
    xml_.EmptyLine();
    xml_.BeginTag(0, kRootElement);
    xml_.Attribute(kExportOptionNames[0], MakeXmlHostNameText(options_.objectfilename));
    for (int i = 1; i < kExportOptionCount; ++i)
        xml_.Attribute(kExportOptionNames[i], GetExportOptionNumber(options_, i));
    xml_.EndTag(true);
}

void ObjectExporter::WriteObjectDefinitions() {
    xml_.Line("    <objectdefinitions>");
    xml_.EmptyLine();
    ForEachIndexed(file_, kTypeOBJD, FixupObjectDefinition,
                   [&](ResID id, const std::string& name, const std::vector<uint8_t>& bytes) {
                       std::vector<uint8_t> copy = bytes;
                       NormalizeObjectDefinition(copy);
                       ObjectDefinition def;
                       ParseObjectDefinition(copy.data(), copy.size(), def);
                       xml_.BeginTag(8, "objectdefinition");
                       xml_.Attribute("name", MakeXmlAttributeText(name));
                       xml_.Attribute("id", id);
                       for (const ObjectDefinitionField& f : GetObjectDefinitionFields())
                           xml_.Attribute(f.name, GetFieldValue(def, f));
                       xml_.EndTag(false);
                       LogLine(1, FormatText("<objectdefinition name=\"%s\" />\r\n", name.c_str()));
                       FlushDocumentWhenLarge();
                   });
    xml_.Line("    </objectdefinitions>");
    xml_.EmptyLine();
}

void ObjectExporter::WriteDrawGroups() {
    xml_.Line("    <drawgroups>");
    xml_.EmptyLine();
    file_.ForEachResourceInfo(kTypeDGRP, [&](ResID id, const std::string& name) {
        DrawGroup group;
        group.Load(file_, id);
        xml_.BeginTag(8, "drawgroup");
        xml_.Attribute("name", MakeXmlAttributeText(name));
        xml_.Attribute("id", id);
        xml_.EndTag(true);
        for (int32_t l = 0; l < group.CountItemLists(); ++l) {
            const DrawGroupItemList* list = group.GetItemList(l);
            xml_.BeginTag(12, "drawgroupitemlist");
            xml_.Attribute("dirflags", list->dirflags & 0xFF);
            xml_.Attribute("zoom", list->zoom);
            xml_.EndTag(true);
            for (const DrawGroupItem& item : list->Items()) {
                xml_.BeginTag(16, "drawgroupitem");
                xml_.Attribute("spriteid", item.spriteid);
                xml_.Attribute("spritenum", item.spritenum);
                xml_.Attribute("pixelx", item.pixelx);
                xml_.Attribute("pixely", item.pixely);
                xml_.Attribute("xoffset", FormatOffset(item.xoffset));
                xml_.Attribute("yoffset", FormatOffset(item.yoffset));
                xml_.Attribute("zoffset", FormatOffset(item.zoffset));
                xml_.Attribute("flags", item.flags);
                xml_.EndTag(false);
            }
            xml_.CloseTag(12, "drawgroupitemlist");
        }
        xml_.CloseTag(8, "drawgroup");
        LogLine(1, FormatText("<drawgroup name=\"%s\" />\r\n", name.c_str()));
        FlushDocumentWhenLarge();
    });
    xml_.Line("    </drawgroups>");
    xml_.EmptyLine();
}

bool ObjectExporter::WriteBmpBytes(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    std::unique_ptr<HostFile> out = HostFile::Create(ResolveHostPath(fileName));
    if (!out) {
        ReportError(FormatText("Can't create BMP file \"%s\"!", fileName.c_str()));
        return false;
    }
    const int64_t n = static_cast<int64_t>(bytes.size());
    const int64_t written = out->Write(bytes.data(), n);
    stats_.bytesWritten += written > 0 ? written : 0;
    if (written != n || !out->Close()) {
        ReportError(FormatText("Can't read BMP file \"%s\"!", fileName.c_str()));
        return false;
    }
    ++stats_.bmpFiles;
    return true;
}

void ObjectExporter::WriteBitmaps() {
    xml_.Line("    <bitmaps>");
    xml_.EmptyLine();
    ForEachIndexed(file_, kTypeBMP, nullptr, [&](ResID id, const std::string& name, const std::vector<uint8_t>& bytes) {
        std::string role;
        std::string objectPart;
        for (const auto& o : record_.objects) {
            if (o->definition.catalogid == id)
                role = "catalogicon";
            else if (o->definition.catalogpopupid == id)
                role = "catalogpopup";
            if (!role.empty()) {
                objectPart = "_" + SanitizeForFileName(o->name);
                break;
            }
        }
        if (role.empty()) role = SanitizeForFileName(name);
        std::string fileName = MakeBitmapFileName(base_, id, role, objectPart);
        // Two bitmaps of one id and role (variants) must not share a file: later ones get a number.
        for (int n = 2; std::find(bitmapNamesUsed_.begin(), bitmapNamesUsed_.end(), fileName) != bitmapNamesUsed_.end();
             ++n)
            fileName = MakeBitmapFileName(base_, id, role, objectPart + "_" + std::to_string(n));
        bitmapNamesUsed_.push_back(fileName);
        MakeDirectoriesForPath(fileName);
        if (!WriteBmpBytes(fileName, bytes)) ReportError("Error exporting BMP file from resource.");
        xml_.BeginTag(12, "bitmap");
        xml_.Attribute("name", MakeXmlAttributeText(name));
        xml_.Attribute("id", id);
        xml_.Attribute("filename", MakeXmlHostNameText(fileName));
        xml_.EndTag(false);
        LogLine(1, FormatText("<bitmap filename=\"%s\" />\r\n", fileName.c_str()));
    });
    xml_.Line("    </bitmaps>");
    xml_.EmptyLine();
}

void ObjectExporter::ComputeMultiTileMarks() {
    // The file's own lists, read here rather than from the catalogue record, which may hold only its objects and
    // must not be rebuilt under a window that shows it.
    spriteEntries_.clear();
    for (ResType type : {kTypeSPRList, kTypeSPR2})
        file_.ForEachResourceInfo(type, [&](ResID id, const std::string&) { spriteEntries_.push_back({type, id}); });
    std::set<int32_t> drawGroups;
    file_.ForEachResourceInfo(kTypeDGRP, [&](ResID id, const std::string&) { drawGroups.insert(id); });
    multiTile_.assign(spriteEntries_.size(), false);
    for (const auto& object : record_.objects)
        for (const ObjectEntry* tile : object->tiles) {
            const int32_t first = tile->definition.basegraphic;
            const int32_t last = first + tile->definition.numgraphics - 1;
            for (int32_t g = first; g <= last; ++g) {
                if (!drawGroups.count(g)) continue;
                DrawGroup group;
                if (group.Load(file_, static_cast<ResID>(g)) != 0) continue;
                for (int32_t l = 0; l < group.CountItemLists(); ++l)
                    for (const DrawGroupItem& item : group.GetItemList(l)->Items())
                        for (size_t s = 0; s < spriteEntries_.size(); ++s)
                            if (spriteEntries_[s].second == item.spriteid) {
                                multiTile_[s] = true;
                                break;
                            }
            }
        }
}
