// SharedPalettes: the process-wide grey palette (depth and alpha images) and default palette.
#pragma once

#include "objects/palettes/PalWrap.h"
#include "platform/GreyRamp.h"

// The shared grey palette: the grey ramp without reserved system colours. Made on first use, destroyed at exit.
const PalWrap& GetGreyPalette();

// The default palette used by offscreen images made without a palette of their own: the grey ramp with the
// system colours reserved. Start-up builds it with BuildDefaultPalette(); a use before that builds it then.
const PalWrap& GetDefaultPalette();
// (Re)builds the default palette from the grey ramp with system colours reserved.
void BuildDefaultPalette();
