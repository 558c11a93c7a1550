// ObjectImporter: reads an XML object document with expat and writes what it describes into an object file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "import/ImportOptions.h"
#include "import/ImportedSprite.h"
#include "objects/definitions/ObjectDefinition.h"
#include "objects/drawing/DrawGroupItem.h"

struct ObjectFile;
struct XML_ParserStruct;

// The title of an import's progress log and of its error message box.
constexpr const char* kImportProgressTitle = "Importing Progress";
constexpr const char* kImportErrorTitle = "Error Importing";
// The error of an element whose action ran out of memory.
constexpr const char* kImportOutOfMemoryMessage = "There is not enough memory to import this document!";
// The message every failed import ends with.
constexpr const char* kImportSorryMessage = "Reshaper was not able to import the object file -- sorry!";

// The error state of an import.
enum ImportErrorState : int {
    kImportOk = 0,
    kImportCannotOpen = 1,  // the document could not be opened or read
    kImportParseError = 2,  // the XML parser stopped
    kImportReported = -1,   // an element action reported an error
};

// Imports the document at `documentHostPath` into `file` (an open, writable record of the catalogue) as the
// workbench's Import button and `reshaper-cli import` do: the current directory is the document's directory for
// the import's duration; progress goes to a log titled "Importing Progress"; errors go to that log in red and the
// first one to a message box titled "Error Importing"; a document that names another object file asks whether to
// go on. Returns kImportOk when the whole document was imported, otherwise the error state (resources finished
// before the error stay in the file).
int ImportObjectDocument(ObjectFile& file, const std::string& documentHostPath);

class ObjectImporter {
public:
    // `directory` is the document's host directory ("." when empty), `fileName` its name inside it.
    ObjectImporter(ObjectFile& file, std::string directory, std::string fileName);
    ~ObjectImporter();
    ObjectImporter(const ObjectImporter&) = delete;
    ObjectImporter& operator=(const ObjectImporter&) = delete;

    // Runs the import. True when the document was opened and parsed without a parser error (an error reported by
    // an element action still gives true); GetErrorState tells the rest.
    bool Import();
    // Logs the message in red (with the document position the first time one is known), shows it in a message
    // box when none was shown yet in this import, and puts the importer into the error state.
    void ReportImportError(const std::string& message);
    // Reports kImportOutOfMemoryMessage.
    void ReportOutOfMemory();

    int GetErrorState() const { return errorState_; }
    const std::string& GetLastMessage() const { return lastMessage_; }
    int64_t GetErrorLine() const { return errorLine_; }
    int64_t GetErrorColumn() const { return errorColumn_; }
    const ExportOptions& GetOptions() const { return options_; }
    const std::vector<std::unique_ptr<ImportedSprite>>& GetSprites() const { return sprites_; }

    // The element codes of the document grammar (0: outside the root).
    enum Code : int {
        kNone = 0, kRoot, kObjectDefinitions, kObjectDefinition, kCatalogIcon, kCatalogPopup, kDrawGroups,
        kDrawGroup, kItemList, kItem, kBitmaps, kBitmap, kSprites, kSprite, kSpriteFrame, kSpriteChannel, kCodeCount
    };

    // expat's callbacks; `user` is the importer.
    static void OnStart(void* user, const char* name, const char** attributes);
    static void OnEnd(void* user, const char* name);

private:
    struct CatalogBitmap {
        bool present = false;
        int32_t id = 0;
        std::string bmpFile;
        std::string resName;
    };
    struct DefinitionRecord {
        std::string name;
        int32_t id = 0;
        ObjectDefinition definition;
        CatalogBitmap icon;
        CatalogBitmap popup;
    };
    struct ItemListRecord {
        int32_t dirflags = 0;
        int32_t zoom = 0;
        int32_t position = 0;
        std::vector<DrawGroupItem> items;
    };
    struct DrawGroupRecord {
        int32_t id = -1;
        std::string name;
        int32_t position = 0;
        std::vector<ItemListRecord> lists;
    };
    struct BitmapRecord {
        std::string name;
        int32_t id = 0;
        std::string fileName;
    };

    void Start(const char* name, const char** attributes);
    void End(const char* name);
    bool CheckStart(int code);
    bool CheckEnd(int code);
    void StartAction(int code, const char** a);
    void EndAction(int code);
    void StartRoot(const char** a);
    void EndRoot();
    void EndObjectDefinition();
    void EndCatalogBitmap(int code);
    void EndDrawGroup();
    void EndBitmap();
    void EndSpriteFrame();
    bool ImportBitmapFile(const std::string& path, int32_t id, const std::string& name);
    void LogStep(const std::string& text);

    ObjectFile& file_;
    std::string directory_;      // as given, for the messages
    std::string hostDirectory_;  // absolute, for reading files while the current directory is changed
    std::string fileName_;
    XML_ParserStruct* parser_ = nullptr;
    int current_ = kNone;

    int errorState_ = kImportOk;
    int64_t errorLine_ = -1;
    int64_t errorColumn_ = -1;
    int64_t errorByte_ = -1;
    int errorCode_ = -1;
    std::string lastMessage_;
    bool messageShown_ = false;
    bool positionLogged_ = false;

    ExportOptions options_;
    bool open_[kCodeCount] = {};
    bool done_[kCodeCount] = {};

    std::vector<std::unique_ptr<DefinitionRecord>> definitions_;
    std::vector<std::unique_ptr<DrawGroupRecord>> drawGroups_;
    std::vector<std::unique_ptr<BitmapRecord>> bitmaps_;
    std::vector<std::unique_ptr<ImportedSprite>> sprites_;
    DefinitionRecord* definition_ = nullptr;
    DrawGroupRecord* drawGroup_ = nullptr;
    BitmapRecord* bitmap_ = nullptr;
    ImportedSprite* sprite_ = nullptr;
    ImportedFrame* frame_ = nullptr;
};
