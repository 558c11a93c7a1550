// DepthTemplates: the six depth background templates (145 to 150) that generated depth channels start from.
#pragma once

#include "platform/Bitmap8.h"

// Template numbers: far corner at zooms 0, 1, 2, then near corner at zooms 0, 1, 2.
constexpr int kDepthTemplateFirst = 145;
constexpr int kDepthTemplateFarZoom0 = 145;
constexpr int kDepthTemplateNearZoom0 = 148;
constexpr int kDepthTemplateLast = 150;

// The template's number for the far or near kind at zoom 0, 1 or 2; 0 for another zoom.
int DepthTemplateNumber(bool far, int zoom);

// The template with number 145..150, built by code on first use and kept for the life of the program: an 8-bit
// image of the zoom's canvas (136 x 384, 68 x 192, 34 x 96) with the grey ramp as colour table, 255 outside the
// floor tile's volume and a depth elsewhere. Null for any other number.
const Bitmap8* DepthTemplate(int number);
