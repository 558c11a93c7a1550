// ObjectImporter: the expat set-up, element table, nesting checks and element actions of the import.
#include "import/ObjectImporter.h"

#include <expat.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "app/Prompt.h"
#include "clone/CloneObjectFile.h"
#include "import/ImportAttributes.h"
#include "import/MoveDegenerateItems.h"
#include "import/WriteImportResource.h"
#include "objects/definitions/ObjectDefinitionFields.h"
#include "objects/drawing/DrawGroup.h"
#include "platform/AsciiFold.h"
#include "platform/FormatText.h"
#include "platform/HostDirectory.h"
#include "platform/HostFile.h"
#include "platform/HostPath.h"
#include "resfile/CommitScope.h"
#include "resfile/StdResFile.h"
#include "tools/CollectGarbage.h"

namespace {

constexpr size_t kChunkSize = 8192;

// One element of the document grammar. The sibling and child codes are carried as data; only the parent is
// checked.
struct ElementRule {
    const char* name;
    int code;
    int parent;
    int nextSibling;
    int firstChild;
    const char* badStart;
    const char* badEnd;
};

using C = ObjectImporter;

constexpr ElementRule kRules[] = {
    {"objectsexportedfromthedomizens", C::kRoot, C::kNone, 0, C::kObjectDefinitions,
     "Bad element nesting: begin objectsexportedfromthedomizens!",
     "Bad element nesting: end objectsexportedfromthedomizens!"},
    {"objectdefinitions", C::kObjectDefinitions, C::kRoot, C::kDrawGroups, C::kObjectDefinition,
     "Bad element nesting: begin objectdefinitions!", "Bad element nesting: end objectdefinitions!"},
    {"objectdefinition", C::kObjectDefinition, C::kObjectDefinitions, 0, C::kCatalogIcon,
     "Bad element nesting: begin objectdefinition!", "Bad element nesting: end objectdefinition!"},
    {"catalogicon", C::kCatalogIcon, C::kObjectDefinition, C::kCatalogPopup, 0,
     "Bad element nesting: begin catalogicon!", "Bad element nesting: end catalogicon!"},
    {"catalogpopup", C::kCatalogPopup, C::kObjectDefinition, 0, 0, "Bad element nesting: begin catalogpopup!",
     "Bad element nesting: end catalogpopup!"},
    {"drawgroups", C::kDrawGroups, C::kRoot, C::kBitmaps, C::kDrawGroup, "Bad element nesting: begin drawgroups!",
     "Bad element nesting: end drawgroups!"},
    {"drawgroup", C::kDrawGroup, C::kDrawGroups, 0, C::kItemList, "Bad element nesting: begin drawgroup!",
     "Bad element nesting: end drawgroup!"},
    {"drawgroupitemlist", C::kItemList, C::kDrawGroup, 0, C::kItem, "Bad element nesting: begin drawgroupitemlist",
     "Bad element nesting: end drawgroupitemlist"},
    {"drawgroupitem", C::kItem, C::kItemList, 0, 0, "Bad element nesting: begin drawgroupitem",
     "Bad element nesting: end drawgroupitem"},
    {"bitmaps", C::kBitmaps, C::kRoot, C::kSprites, C::kBitmap, "Bad element nesting: begin bitmaps",
     "Bad element nesting: end bitmaps"},
    {"bitmap", C::kBitmap, C::kBitmaps, 0, 0, "Bad element nesting: begin bitmap", "Bad element nesting: end bitmap"},
    {"sprites", C::kSprites, C::kRoot, 0, C::kSprite, "Bad element nesting: begin sprites",
     "Bad element nesting: end sprites"},
    {"sprite", C::kSprite, C::kSprites, 0, C::kSpriteFrame, "Bad element nesting: begin sprite",
     "Bad element nesting: end sprite"},
    {"spriteframe", C::kSpriteFrame, C::kSprite, 0, C::kSpriteChannel, "Bad element nesting: begin spriteframe",
     "Bad element nesting: end spriteframe"},
    {"spritechannel", C::kSpriteChannel, C::kSpriteFrame, 0, 0, "Bad element nesting: begin spritechannel",
     "Bad element nesting: end spritechannel"},
};

const ElementRule* FindRule(const char* name) {
    for (const ElementRule& r : kRules)
        if (std::strcmp(r.name, name) == 0) return &r;
    return nullptr;
}

const ElementRule& RuleOf(int code) { return kRules[code - 1]; }

bool IsSectionOrRoot(int code) {
    return code == C::kRoot || code == C::kObjectDefinitions || code == C::kDrawGroups || code == C::kBitmaps ||
           code == C::kSprites;
}

int XMLCALL RefuseExternalEntity(XML_Parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    return 0;
}

void XMLCALL IgnoreText(void*, const XML_Char*, int) {}

}  // namespace

int ImportObjectDocument(ObjectFile& file, const std::string& documentHostPath) {
    const size_t slash = documentHostPath.find_last_of('/');
    std::string directory = slash == std::string::npos ? "." : documentHostPath.substr(0, slash);
    if (directory.empty()) directory = "/";
    const std::string name = slash == std::string::npos ? documentHostPath : documentHostPath.substr(slash + 1);
    ObjectImporter importer(file, directory, name);
    importer.Import();
    return importer.GetErrorState();
}

ObjectImporter::ObjectImporter(ObjectFile& file, std::string directory, std::string fileName)
    : file_(file), directory_(std::move(directory)), fileName_(std::move(fileName)) {
    if (directory_.empty()) directory_ = ".";
    hostDirectory_ = directory_;
    if (hostDirectory_[0] != '/') {
        const std::string here = CurrentHostDirectory();
        if (!here.empty()) hostDirectory_ = here + "/" + hostDirectory_;
    }
}

ObjectImporter::~ObjectImporter() {
    if (parser_) XML_ParserFree(parser_);
}

void ObjectImporter::LogStep(const std::string& text) { ProgressLog(1, text.c_str()); }

bool ObjectImporter::Import() {
    ProgressBegin(kImportProgressTitle, 100, 0);
    // Every change of the import, garbage collection included, reaches the disk in one commit at its end.
    CommitScope commit;
    const std::string remembered = CurrentHostDirectory();
    const bool changed = chdir(hostDirectory_.c_str()) == 0;

    std::unique_ptr<HostFile> input = HostFile::Open(ResolveHostPath(hostDirectory_ + "/" + fileName_), false);
    bool parsed = false;
    if (!input) {
        errorState_ = kImportCannotOpen;
        lastMessage_ = "Can't open input file!";
        ReportImportError(lastMessage_);
        errorState_ = kImportCannotOpen;
    } else {
        parser_ = XML_ParserCreate(nullptr);
        if (!parser_) {
            errorState_ = kImportCannotOpen;
            ReportImportError("Can't create the XML parser!");
        } else {
            XML_SetUserData(parser_, this);
            XML_SetElementHandler(parser_, &ObjectImporter::OnStart, &ObjectImporter::OnEnd);
            XML_SetCharacterDataHandler(parser_, IgnoreText);
            XML_SetExternalEntityRefHandler(parser_, RefuseExternalEntity);
            std::vector<char> buffer(kChunkSize);
            parsed = true;
            for (;;) {
                const int64_t n = input->Read(buffer.data(), static_cast<int64_t>(kChunkSize));
                if (n < 0) {
                    ReportImportError("Can't read input file!");
                    errorState_ = kImportCannotOpen;
                    parsed = false;
                    break;
                }
                const bool final = n < static_cast<int64_t>(kChunkSize);
                if (XML_Parse(parser_, buffer.data(), static_cast<int>(n), final) == XML_STATUS_ERROR) {
                    errorState_ = kImportParseError;
                    errorLine_ = static_cast<int64_t>(XML_GetCurrentLineNumber(parser_));
                    errorColumn_ = static_cast<int64_t>(XML_GetCurrentColumnNumber(parser_));
                    errorByte_ = static_cast<int64_t>(XML_GetCurrentByteIndex(parser_));
                    errorCode_ = static_cast<int>(XML_GetErrorCode(parser_));
                    const XML_LChar* text = XML_ErrorString(XML_GetErrorCode(parser_));
                    lastMessage_ = text ? text : "unknown parser error";
                    // The parser's own words tell the user what is wrong; the general message follows.
                    ReportImportError("XML parser error: " + lastMessage_);
                    errorState_ = kImportParseError;
                    parsed = false;
                    break;
                }
                if (errorState_ != kImportOk || final) break;
            }
        }
    }

    if (commit.Finish() != kNoErr) {
        file_.saveFailed = true;
        ReportImportError("Could not update resource file!");
    }
    if (errorState_ != kImportOk || !done_[kRoot]) {
        const int state = errorState_ == kImportOk ? kImportReported : errorState_;
        ReportImportError(kImportSorryMessage);
        errorState_ = state;
    } else {
        ProgressLog(1, "Reshaper Successfulluy Finished Importing!\r\n", kProgressStyleSuccess, 0, 128, 0);
    }
    ProgressEnd();
    if (parser_) {
        XML_ParserFree(parser_);
        parser_ = nullptr;
    }
    input.reset();
    if (changed && !remembered.empty() && chdir(remembered.c_str()) != 0) {
        // Nothing more can be done; the next operation works from wherever it is.
    }
    return parsed;
}

void ObjectImporter::ReportImportError(const std::string& message) {
    errorState_ = kImportReported;
    if (parser_) {
        errorLine_ = static_cast<int64_t>(XML_GetCurrentLineNumber(parser_));
        errorColumn_ = static_cast<int64_t>(XML_GetCurrentColumnNumber(parser_));
        errorByte_ = static_cast<int64_t>(XML_GetCurrentByteIndex(parser_));
        errorCode_ = static_cast<int>(XML_GetErrorCode(parser_));
    } else {
        errorLine_ = errorColumn_ = errorByte_ = -1;
        errorCode_ = -1;
    }
    lastMessage_ = message;
    ProgressLog(0, FormatText("\r\n======== ERROR ========\r\n%s\r\n", message.c_str()).c_str(), kProgressStyleError, 255,
                0, 0);
    if (errorLine_ >= 0 && !positionLogged_) {
        ProgressLog(0,
                    FormatText("File: \"%s\\%s\"\r\nLine: %lld Column: %lld Byte %lld\r\n", directory_.c_str(),
                           fileName_.c_str(), static_cast<long long>(errorLine_),
                           static_cast<long long>(errorColumn_), static_cast<long long>(errorByte_))
                        .c_str(),
                    kProgressStyleError, 255, 0, 0);
        positionLogged_ = true;
    }
    if (!messageShown_) {
        messageShown_ = true;
        ShowMessageBox(kImportErrorTitle, message, MessageKind::Error);
    }
}

// Memory that runs out in an element's action (a picture too large to hold) is an import error like any other:
// nothing may unwind through the parser, which is C.
void ObjectImporter::OnStart(void* user, const char* name, const char** attributes) {
    auto* importer = static_cast<ObjectImporter*>(user);
    try {
        importer->Start(name, attributes);
    } catch (const std::bad_alloc&) {
        importer->ReportOutOfMemory();
    }
}

void ObjectImporter::OnEnd(void* user, const char* name) {
    auto* importer = static_cast<ObjectImporter*>(user);
    try {
        importer->End(name);
    } catch (const std::bad_alloc&) {
        importer->ReportOutOfMemory();
    }
}

// The error state makes the parser's further calls do nothing, and the parse ends with the chunk.
void ObjectImporter::ReportOutOfMemory() { ReportImportError(kImportOutOfMemoryMessage); }

void ObjectImporter::Start(const char* name, const char** attributes) {
    const ElementRule* rule = FindRule(name);
    if (!rule) return;  // unknown elements are skipped; their children belong to the enclosing known element
    if (rule->parent != current_) {
        ReportImportError("Bad element nesting!");
        return;
    }
    current_ = rule->code;
    const bool ok = CheckStart(rule->code);
    open_[rule->code] = true;
    if (IsSectionOrRoot(rule->code)) done_[rule->code] = false;
    if (!ok || errorState_ != kImportOk) return;
    StartAction(rule->code, attributes);
}

void ObjectImporter::End(const char* name) {
    const ElementRule* rule = FindRule(name);
    if (!rule) return;
    const bool ok = CheckEnd(rule->code);
    open_[rule->code] = false;
    if (IsSectionOrRoot(rule->code)) done_[rule->code] = true;
    if (ok && errorState_ == kImportOk) EndAction(rule->code);
    current_ = rule->parent;
}

bool ObjectImporter::CheckStart(int code) {
    bool ok = !open_[code] && !(IsSectionOrRoot(code) && done_[code]);
    for (int p = RuleOf(code).parent; ok && p != kNone; p = RuleOf(p).parent) ok = open_[p];
    if (code == kCatalogIcon && open_[kCatalogPopup]) ok = false;
    if (code == kCatalogPopup && open_[kCatalogIcon]) ok = false;
    if (!ok) ReportImportError(RuleOf(code).badStart);
    return ok;
}

bool ObjectImporter::CheckEnd(int code) {
    bool ok = open_[code];
    for (int p = RuleOf(code).parent; ok && p != kNone; p = RuleOf(p).parent) ok = open_[p];
    if (!ok) ReportImportError(RuleOf(code).badEnd);
    return ok;
}

void ObjectImporter::StartAction(int code, const char** a) {
    switch (code) {
    case kRoot:
        StartRoot(a);
        break;
    case kObjectDefinitions:
        definitions_.clear();
        definition_ = nullptr;
        break;
    case kDrawGroups:
        drawGroups_.clear();
        drawGroup_ = nullptr;
        break;
    case kBitmaps:
        bitmaps_.clear();
        bitmap_ = nullptr;
        break;
    case kSprites:
        // Sprites built earlier stay known to the last step, which moves items of their degenerate frames.
        break;
    case kObjectDefinition: {
        auto record = std::make_unique<DefinitionRecord>();
        record->name = ReadTextAttribute(a, "name");
        record->id = ReadIntAttribute(a, "id", 0);
        for (const ObjectDefinitionField& field : GetObjectDefinitionFields())
            SetFieldValue(record->definition, field, ReadIntAttribute(a, field.name, 0));
        definition_ = record.get();
        definitions_.push_back(std::move(record));
        break;
    }
    case kCatalogIcon:
    case kCatalogPopup: {
        if (!definition_) break;
        CatalogBitmap& b = code == kCatalogIcon ? definition_->icon : definition_->popup;
        b.present = false;
        b.id = ReadIntAttribute(a, "id", 0);
        const char* path = FindImportAttribute(a, "bmpfile");
        b.bmpFile = path ? path : "";
        b.resName = ReadTextAttribute(a, "resname");
        break;
    }
    case kDrawGroup: {
        auto record = std::make_unique<DrawGroupRecord>();
        record->id = ReadIntAttribute(a, "id", -1);
        record->name = ReadTextAttribute(a, "name");
        record->position = static_cast<int32_t>(drawGroups_.size());
        drawGroup_ = record.get();
        drawGroups_.push_back(std::move(record));
        break;
    }
    case kItemList:
        if (drawGroup_) {
            ItemListRecord list;
            list.dirflags = ReadIntAttribute(a, "dirflags", 0);
            list.zoom = ReadIntAttribute(a, "zoom", 0);
            list.position = static_cast<int32_t>(drawGroup_->lists.size());
            drawGroup_->lists.push_back(std::move(list));
        }
        break;
    case kItem:
        if (drawGroup_ && !drawGroup_->lists.empty()) {
            DrawGroupItem item;
            item.spriteid = ReadIntAttribute(a, "spriteid", 0);
            item.spritenum = ReadIntAttribute(a, "spritenum", 0);
            item.pixelx = ReadIntAttribute(a, "pixelx", 0);
            item.pixely = ReadIntAttribute(a, "pixely", 0);
            item.xoffset = static_cast<float>(ReadFloatAttribute(a, "xoffset", 0.0));
            item.yoffset = static_cast<float>(ReadFloatAttribute(a, "yoffset", 0.0));
            item.zoffset = static_cast<float>(ReadFloatAttribute(a, "zoffset", 0.0));
            item.flags = ReadIntAttribute(a, "flags", 0);
            drawGroup_->lists.back().items.push_back(item);
        }
        break;
    case kBitmap: {
        auto record = std::make_unique<BitmapRecord>();
        record->name = ReadTextAttribute(a, "name");
        record->id = ReadIntAttribute(a, "id", 0);
        const char* path = FindImportAttribute(a, "filename");
        record->fileName = path ? path : "";
        bitmap_ = record.get();
        bitmaps_.push_back(std::move(record));
        break;
    }
    case kSprite: {
        auto sprite = std::make_unique<ImportedSprite>();
        sprite->name = ReadTextAttribute(a, "name");
        sprite->id = static_cast<ResID>(ReadIntAttribute(a, "id", 0));
        sprite->type = ReadIntAttribute(a, "type", 0);
        sprite->multiTile = ReadFlagAttribute(a, "multitile", false);
        sprite->frameCount = ReadIntAttribute(a, "framecount", 0);
        sprite->paletteId = ReadIntAttribute(a, "defaultpaletteid", 0);
        sprite->customWallStyle = ReadFlagAttribute(a, "iscustomwallstyle", false);
        sprite_ = sprite.get();
        sprites_.push_back(std::move(sprite));
        LogStep(FormatText("<sprite name=\"%s\" id=\"%d\" />\r\n", sprite_->name.c_str(), sprite_->id));
        break;
    }
    case kSpriteFrame: {
        if (!sprite_) break;
        ImportedFrame& f = sprite_->AddFrame();
        // A negative offset is read as its size; the lowest 32-bit value has none and becomes the highest.
        auto magnitude = [](int32_t v) { return v >= 0 ? v : (v == INT32_MIN ? INT32_MAX : -v); };
        f.x = magnitude(ReadIntAttribute(a, "x", 0));
        f.y = magnitude(ReadIntAttribute(a, "y", 0));
        f.width = ReadIntAttribute(a, "width", 0);
        f.height = ReadIntAttribute(a, "height", 0);
        f.transparentPixel = ReadIntAttribute(a, "transparentpixel", -1);
        f.proxy = ReadIntAttribute(a, "proxy", -1);
        f.shrink = ReadIntAttribute(a, "shrink", 0);
        frame_ = &f;
        LogStep(FormatText("  <spriteframe name=\"%s\" frame=\"%d\" />\r\n", sprite_->name.c_str(), f.number));
        break;
    }
    case kSpriteChannel: {
        if (!frame_) break;
        auto channel = std::make_unique<ImportedChannel>();
        const char* type = FindImportAttribute(a, "type");
        channel->type = type ? type : "";
        const char* path = FindImportAttribute(a, "filename");
        channel->filename = path ? path : "";
        channel->generate = ReadIntAttribute(a, "generate", 0);
        channel->position = static_cast<int32_t>(frame_->channels.size());
        channel->frame = frame_;
        if (channel->generate <= 0 && !frame_->IsProxy())
            LogStep(FormatText("    <spritechannel type=\"%s\" filename=\"%s\" />\r\n", channel->type.c_str(),
                           channel->filename.c_str()));
        frame_->channels.push_back(std::move(channel));
        break;
    }
    default:
        break;
    }
}

void ObjectImporter::EndAction(int code) {
    switch (code) {
    case kRoot:
        EndRoot();
        break;
    case kObjectDefinition:
        EndObjectDefinition();
        break;
    case kCatalogIcon:
    case kCatalogPopup:
        EndCatalogBitmap(code);
        break;
    case kDrawGroup:
        EndDrawGroup();
        break;
    case kBitmap:
        EndBitmap();
        break;
    case kSprite:
        if (sprite_) {
            SpriteBuildContext context;
            context.file = &file_;
            context.options = &options_;
            context.directory = hostDirectory_;
            context.report = [this](const std::string& message) { ReportImportError(message); };
            sprite_->Build(context);
        }
        break;
    case kSpriteFrame:
        EndSpriteFrame();
        break;
    default:
        break;
    }
}

void ObjectImporter::StartRoot(const char** a) {
    options_ = ReadImportOptions(a);
    ProgressSetRange(options_.thingstodo, 0);
    LoadObjectFile(file_, true);
    std::string path;
    if (file_.file) file_.file->GetPath(path);
    if (!EqualsFoldedAscii(path, options_.objectfilename)) {
        const std::string sentence =
            FormatText("The selected resource file's name \"%s\" does not match the one the xml file came from, \"%s\".",
                   path.c_str(), options_.objectfilename.c_str());
        ProgressLog(0, sentence.c_str());
        const std::string question =
            sentence + " Are you sure you want to import this xml file into the currently selected resource file?";
        if (!AskOkCancel("Import Object File", question, MessageKind::Question))
            ReportImportError("Import canceled at user request.");
    }
}

void ObjectImporter::EndRoot() {
    if (!file_.file) return;
    file_.file->Update();
    LoadObjectFile(file_, true);
    CollectGarbage(file_);
    LoadObjectFile(file_, true);
    MoveDegenerateItems(file_, sprites_);
}

void ObjectImporter::EndObjectDefinition() {
    if (!definition_ || !file_.file) return;
    DefinitionRecord& d = *definition_;
    LogStep(FormatText("<objectdefinition name=\"%s\" />\r\n", d.name.c_str()));
    const ObjectDefinitionBytes bytes = SerializeObjectDefinition(d.definition);
    ImportWriteStep step = ImportWriteStep::kNone;
    if (WriteImportResource(*file_.file, kTypeOBJD, static_cast<ResID>(d.id), d.name,
                            std::vector<uint8_t>(bytes.begin(), bytes.end()), true, &step) != kNoErr) {
        ReportImportError(step == ImportWriteStep::kUpdate ? "Could not update resource file!"
                                                           : "Could not add object definition to resource file!");
        return;
    }
    const int32_t catalogId = d.definition.catalogid;
    if (catalogId != 0) {
        for (int32_t k = 0; k < 3; ++k) {
            const int32_t id = catalogId + 2000 * k;
            if (id < INT16_MIN || id > INT16_MAX) continue;
            if (DataHandle* h = file_.file->GetResource(kTypeBMP, static_cast<ResID>(id), nullptr))
                file_.file->Delete(h);
        }
    }
    // The document's catalogue pictures replace the old ones, so they go in after the old ones are gone.
    if (d.icon.present && !ImportBitmapFile(d.icon.bmpFile, d.icon.id, d.icon.resName)) {
        ReportImportError(FormatText("Error importing catalogicon bmp file \"%s\\%s\" into bitmap resource id %d \"%s\"!",
                                 ".", d.icon.bmpFile.c_str(), d.icon.id, d.icon.resName.c_str()));
        return;
    }
    if (d.popup.present && !ImportBitmapFile(d.popup.bmpFile, d.popup.id, d.popup.resName))
        ReportImportError("Error importing catalogpopup bmp file into bitmap resource!");
}

void ObjectImporter::EndCatalogBitmap(int code) {
    if (!definition_) return;
    const bool icon = code == kCatalogIcon;
    CatalogBitmap& b = icon ? definition_->icon : definition_->popup;
    const int32_t expected = icon ? definition_->definition.catalogid : definition_->definition.catalogpopupid;
    if (b.id != expected) {
        ReportImportError(icon ? "The catalogicon id does not match the catalogid in the object definiton! (It should.)"
                               : "The catalogpopup id does not match the catalogpopupid in the object definiton! "
                                 "(It should.)");
        return;
    }
    b.present = true;  // imported when the object definition ends
}

void ObjectImporter::EndDrawGroup() {
    if (!drawGroup_ || !file_.file) return;
    DrawGroupRecord& g = *drawGroup_;
    DrawGroup group;
    for (const ItemListRecord& list : g.lists) {
        DrawGroupItemList& out = group.AddItemList();
        out.zoom = list.zoom;
        out.dirflags = list.dirflags;
        for (const DrawGroupItem& item : list.items) out.AddItem(item, -1);
    }
    LogStep(FormatText("<drawgroup name=\"%s\" id=\"%d\" items=\"%d\" />\r\n", g.name.c_str(), g.id,
                   static_cast<int>(g.lists.size())));
    group.SetName(g.name);
    if (group.Save(*file_.file, static_cast<ResID>(g.id)) != kNoErr) ReportImportError("Could not save draw group!");
}

void ObjectImporter::EndBitmap() {
    if (!bitmap_) return;
    LogStep(FormatText("<bitmap filename=\"%s\" />\r\n", bitmap_->fileName.c_str()));
    if (!ImportBitmapFile(bitmap_->fileName, bitmap_->id, bitmap_->name))
        ReportImportError("Error importing bmp file into bitmap resource!");
}

void ObjectImporter::EndSpriteFrame() {
    if (!frame_) return;
    ImportedFrame& f = *frame_;
    for (const auto& c : f.channels) {
        ImportedChannel*& slot = c->type == "p" ? f.p : c->type == "z" ? f.z : f.a;
        if (c->type != "p" && c->type != "z" && c->type != "a") {
            ReportImportError("Unknown type of channel in sprite frame!");
            return;
        }
        if (slot) {
            ReportImportError(c->type == "p"   ? "More than one P channel in sprite frame!"
                              : c->type == "z" ? "More than one Z channel in sprite frame!"
                                               : "More than one A channel in sprite frame!");
            return;
        }
        slot = c.get();
    }
}

bool ObjectImporter::ImportBitmapFile(const std::string& path, int32_t id, const std::string& name) {
    // The document's own paths are relative to its directory, which is the current directory meanwhile.
    const std::string full = hostDirectory_ + "/" + path;
    std::string resPath;
    file_.file->GetPath(resPath);
    const std::string shown = "./" + path;
    std::unique_ptr<HostFile> in = HostFile::Open(ResolveHostPath(full), false);
    if (!in) {
        ReportImportError(FormatText("Can't open BMP file \"%s\"!", shown.c_str()));
        return false;
    }
    const int64_t size = in->Size();
    std::vector<uint8_t> bytes;
    bool allocated = size >= 0 && size <= INT32_MAX;
    if (allocated) {
        try {
            bytes.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            allocated = false;
        }
    }
    if (!allocated) {
        ReportImportError(FormatText("Can't allocate image memory for BMP file \"%s\"!", shown.c_str()));
        return false;
    }
    if (size > 0 && in->Read(bytes.data(), size) != size) {
        ReportImportError(FormatText("Can't read BMP file \"%s\"!", shown.c_str()));
        return false;
    }
    // Variant 0, so that the bitmap replaces the one of the same id instead of hiding beside it.
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(size));
    if (!h) {
        ReportImportError(FormatText("Can't allocate image memory for BMP file \"%s\"!", shown.c_str()));
        return false;
    }
    file_.file->AddVariant(h, kTypeBMP, static_cast<ResID>(id), name, 0, true);
    if (file_.file->GetError() != kNoErr) {
        FreeHandle(h);
        ReportImportError(FormatText("Can't add BMP file \"%s\" to resource file \"%s\"!", shown.c_str(), resPath.c_str()));
        return false;
    }
    file_.file->Write(h);
    if (file_.file->GetError() != kNoErr) {
        ReportImportError(
            FormatText("Can't write BMP file \"%s\" to resource file \"%s\"!", shown.c_str(), resPath.c_str()));
        return false;
    }
    file_.file->ReleaseAndFree(h);
    return true;
}
