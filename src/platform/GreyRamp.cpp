// GreyRamp: the grey ramp as palette colours and as a shared colour table.
#include "platform/GreyRamp.h"

void FillGreyRamp(PaletteColor out[256]) {
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        out[i] = PaletteColor{v, v, v, 0};
    }
}

const RgbQuad* GreyRampTable() {
    static const struct Table {
        RgbQuad entries[256];
        Table() {
            for (int i = 0; i < 256; ++i) {
                const auto v = static_cast<uint8_t>(i);
                entries[i] = RgbQuad{v, v, v, 0};
            }
        }
    } table;
    return table.entries;
}
