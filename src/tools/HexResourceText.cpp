// HexResourceText: hex dump lines of a resource's bytes.
#include "tools/HexResourceText.h"

#include <cstdio>

#include "resfile/iResFile.h"

std::string FormatHexDump(const uint8_t* data, size_t size) {
    std::string text;
    char cell[32];
    for (size_t i = 0; i < size; i += 8) {
        std::snprintf(cell, sizeof cell, "%04zX  |  ", i);
        text += cell;
        for (size_t j = i; j < i + 8; ++j) {
            if (j < size) {
                std::snprintf(cell, sizeof cell, " %02X", data[j]);
                text += cell;
            } else {
                text += "   ";
            }
        }
        text += "  |  ";
        for (size_t j = i; j < i + 8; ++j) {
            if (j >= size) {
                text += "  ";
            } else if (data[j] < 32) {
                text += '^';
                text += static_cast<char>(data[j] + 64);
            } else {
                text += ' ';
                text += static_cast<char>(data[j]);
            }
        }
        text += "  |\r\n";
    }
    return text;
}

std::string HexResourceText(iResFile& file, ResType type, ResID id) {
    DataHandle* h = file.GetResource(type, id, nullptr);
    if (!h) return kHexNoResource;
    std::string text = FormatHexDump(h->Data(), h->bytes.size());
    // Given back, so that later fetches with a fix-up load the data afresh.
    file.ReleaseAndFree(h);
    return text;
}
