// ContactSheet: composes the views of every root object, then lays them out in rows on the sheet.
#include "objects/drawing/ContactSheet.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "objects/drawing/Compositor.h"
#include "resfile/StdResFile.h"

namespace {

constexpr int kZoomCount = 3;

// Every tile at its first graphical state, fully opaque.
void ChooseFirstStates(ObjectEntry& object) {
    object.drawGroupIndex = 0;
    object.opacity = 255;
    for (ObjectEntry* tile : object.tiles) {
        tile->drawGroupIndex = 0;
        tile->opacity = 255;
    }
}

void Paste(const Bitmap24& picture, Bitmap24& sheet, int32_t left, int32_t top) {
    const size_t bytes = static_cast<size_t>(picture.GetWidth()) * 3;
    for (int32_t r = 0; r < picture.GetHeight(); ++r)
        std::memcpy(sheet.GetRow(top + r) + size_t{3} * static_cast<size_t>(left), picture.GetRow(r), bytes);
}

}  // namespace

std::unique_ptr<Bitmap24> ComposeContactSheet(ObjectFile& file, RgbColor background) {
    if (file.roots.empty() || !file.file) return nullptr;
    using Row = std::vector<std::unique_ptr<Bitmap24>>;
    std::vector<Row> rows;
    int64_t sheetWidth = 0;
    int64_t sheetHeight = kContactSheetGap;
    // No title: the bar alone, so that standard output holds only what the command prints.
    ProgressBegin("", static_cast<int32_t>(file.roots.size()), 0);
    for (ObjectEntry* object : file.roots) {
        ChooseFirstStates(*object);
        Row row;
        int64_t width = kContactSheetGap;
        int32_t height = 0;
        for (int zoom = 0; zoom < kZoomCount; ++zoom)
            for (int rotation = 0; rotation < kRotationCount; ++rotation) {
                // Compositor zoom levels count from the smallest.
                std::unique_ptr<Bitmap24> view =
                    ComposeObject(*file.file, *object, ComposeViewIndex(rotation, kZoomCount - 1 - zoom), background);
                if (!view) {
                    ProgressEnd();
                    return nullptr;
                }
                width += view->GetWidth() + 2 * kContactSheetGap;
                height = std::max(height, view->GetHeight());
                row.push_back(std::move(view));
            }
        sheetWidth = std::max(sheetWidth, width - kContactSheetGap);
        sheetHeight += height + 2 * kContactSheetGap;
        rows.push_back(std::move(row));
        ProgressLog(1, nullptr);
    }
    ProgressEnd();
    sheetHeight -= kContactSheetGap;
    if (sheetWidth > INT32_MAX || sheetHeight > INT32_MAX) return nullptr;
    std::unique_ptr<Bitmap24> sheet = Bitmap24::Create(static_cast<int32_t>(sheetWidth), static_cast<int32_t>(sheetHeight));
    if (!sheet) return nullptr;
    sheet->Fill(kContactSheetBackground.red, kContactSheetBackground.green, kContactSheetBackground.blue);
    int32_t top = kContactSheetGap;
    for (const Row& row : rows) {
        int32_t height = 0;
        for (const auto& view : row) height = std::max(height, view->GetHeight());
        int32_t left = kContactSheetGap;
        for (const auto& view : row) {
            Paste(*view, *sheet, left, top + (height - view->GetHeight()) / 2);
            left += view->GetWidth() + 2 * kContactSheetGap;
        }
        top += height + 2 * kContactSheetGap;
    }
    return sheet;
}
