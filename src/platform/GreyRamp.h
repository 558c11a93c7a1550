// GreyRamp: the 256-entry grey ramp (entry i has red, green and blue i) of depth and alpha channels.
#pragma once

#include "platform/ColorTypes.h"

void FillGreyRamp(PaletteColor out[256]);
// The ramp as a colour table, made once for the whole process.
const RgbQuad* GreyRampTable();
