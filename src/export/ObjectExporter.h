// ObjectExporter: writes one object file out as the XML object document and the BMP files beside it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "export/ExportOptions.h"
#include "export/XmlLineWriter.h"
#include "objects/palettes/RgbColor.h"
#include "resfile/ResTypes.h"

class SpriteSource;

class HostFile;
class iResFile;
struct ObjectFile;

// The colour of transparent pixels in the exported colour files: yellow.
constexpr RgbColor kExportTransparentColor = {255, 255, 0};

// Texts the export shows.
constexpr const char* kExportProgressTitle = "Exporting Progress";
constexpr const char* kExportErrorTitle = "Error!";
constexpr const char* kExportOpenFailedTitle = "Can't Open Output File";
constexpr const char* kExportOpenFailedText = "Could not open output file for writing!";
constexpr const char* kExportFinishedText = "Reshaper Successfully Finished Exporting!\r\n";

// The save dialog of an export, supplied by whoever shows it (the GUI's file dialog, a test's script). It is
// called with the directory to start in (GameDirectory()) and the proposed file name; it returns the chosen path
// (absolute, or relative to the current directory), or an empty text when the user cancelled, and sets
// `endDirectory` to the directory the dialog ended in (empty: unknown), which the export stores as
// GameDirectory(). The dialog's default extension is "xml" and its filter "XML File|*.xml||".
using ExportSaveDialog = std::function<std::string(const std::string& startDirectory, const std::string& defaultName,
                                                   std::string& endDirectory)>;

// Figures of one export, for the command line and the benchmarks.
struct ExportStatistics {
    int32_t realFrames = 0;    // sprite frames whose channels were decoded and written
    int32_t proxyFrames = 0;   // smaller-zoom frames written as proxies
    int32_t bmpFiles = 0;      // BMP files written completely
    int32_t pngFiles = 0;      // PNG channel files written completely
    int32_t errors = 0;        // errors reported through the log and a message box
    int64_t bytesWritten = 0;  // document and BMP files together
};

// One exporter per export. Everything it reads comes from the object file's resource file; of the catalogue record
// only its objects and their tiles are used (for the bitmaps' roles and the multi-tile marks), and it is not changed.
// While it runs the current directory is the document's directory; it is restored before Export and ExportTo return.
// Progress goes to the progress log (ProgressBegin ... ProgressEnd); errors go to the log in red and to a message box
// titled "Error!", and the export goes on after them.
class ObjectExporter {
public:
    explicit ObjectExporter(ObjectFile& file);
    ~ObjectExporter();
    ObjectExporter(const ObjectExporter&) = delete;
    ObjectExporter& operator=(const ObjectExporter&) = delete;

    // The whole export as the presets dialog's OK runs it: changes to GameDirectory(), asks `dialog` for the
    // document's path (proposing DefaultDocumentName), stores the directory the dialog ended in as
    // GameDirectory(), then runs ExportTo. Returns false, having written nothing and restored the current
    // directory, when the dialog was cancelled; true when the export ran, even when its document could not be
    // created (that is reported with a message box).
    bool Export(const ExportOptions& options, const ExportSaveDialog& dialog);
    // Writes the document at `documentPath` (a host path, absolute or relative to the current directory; '\' and
    // '/' both separate directories) and the BMP files beside it. The options are stored as given, except that
    // thingstodo becomes the counted steps plus one and an empty objectfilename becomes the resource file's path.
    // Returns true when the document was written completely; false when it could not be created (reported with
    // the message "Could not open output file for writing!", nothing written) or a write to it fell short
    // (reported as an error).
    bool ExportTo(const std::string& documentPath, const ExportOptions& options);

    // The document name proposed for an object file path: its file name (after the last '\' or '/') up to the
    // first dot, plus ".xml".
    static std::string DefaultDocumentName(const std::string& objectFilePath);
    // The number of progress steps the options give for the file (thingstodo is this plus one).
    int32_t CountSteps(const ExportOptions& options);

    // Channel files as PNG instead of BMP: colour channels indexed with the frame's palette, depth and alpha 8-bit
    // grey, named "_p.png", "_z.png", "_a.png". The options and the rest of the document stay as they are.
    void SetPngChannels(bool png) { pngChannels_ = png; }

    const ExportOptions& GetOptions() const { return options_; }
    const ExportStatistics& GetStatistics() const { return stats_; }

private:
    struct SpriteJob;

    void ReportError(const std::string& text);
    void LogLine(int32_t step, const std::string& text);
    bool FlushDocument();
    // Writes the document text gathered so far once it has grown past the flush size.
    void FlushDocumentWhenLarge();
    void WriteHeader();
    void WriteObjectDefinitions();
    void WriteDrawGroups();
    void WriteBitmaps();
    void ComputeMultiTileMarks();
    int32_t WriteSprites(bool counting);
    // The sprite of that id, fetched once: the counting pass fetches every sprite and the writing pass gives each
    // back when it is written, so that the export reads each sprite and its palettes once.
    SpriteSource& SourceFor(ResID id);
    void WriteSprite(ResType type, ResID id, const std::string& name);
    int ChooseSpriteTransparentIndex(SpriteJob& job);
    void WriteProxyFrame(const SpriteJob& job, int32_t index, int32_t zoom, int32_t rotation);
    void WriteRealFrame(SpriteJob& job, int32_t index, int32_t zoom, int32_t rotation, const std::string& stem);
    bool WriteBmpBytes(const std::string& fileName, const std::vector<uint8_t>& bytes);

    ObjectFile& record_;
    iResFile& file_;
    ExportOptions options_;
    ExportStatistics stats_;
    std::string documentDirectory_;
    std::string base_;  // the document's name without directory and last extension
    std::unique_ptr<HostFile> document_;
    XmlLineWriter xml_;
    bool writeFailed_ = false;
    bool pngChannels_ = false;
    std::vector<std::pair<ResType, ResID>> spriteEntries_;  // every sprite, all SPR# then all SPR2
    std::vector<bool> multiTile_;                           // one mark per sprite entry
    std::map<ResID, std::unique_ptr<SpriteSource>> sprites_;  // fetched and not yet written
    std::vector<std::string> bitmapNamesUsed_;              // BMP file names of the bitmaps section, kept unique
};
