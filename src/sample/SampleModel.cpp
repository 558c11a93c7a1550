// SampleModel: the zoom canvases of the sample sprites.
#include "sample/SampleModel.h"

SampleCanvas GetSampleCanvas(int zoom) {
    if (zoom < 0 || zoom >= kSampleZoomCount) zoom = 0;
    const int32_t width = 136 >> zoom;
    const int32_t height = 384 >> zoom;
    return SampleCanvas{width, height, width / 2, height - (32 >> zoom), zoom};
}
