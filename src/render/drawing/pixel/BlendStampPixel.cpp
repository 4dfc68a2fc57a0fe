#include "pixel/BlendStampPixel.h"

template void BlendStampPixel<PF_Pixel8>(PF_Pixel8&, const PF_Pixel8&);
template void BlendStampPixel<PF_Pixel16>(PF_Pixel16&, const PF_Pixel16&);
template void BlendStampPixel<PF_PixelFloat>(PF_PixelFloat&, const PF_PixelFloat&);
