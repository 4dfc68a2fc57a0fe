#include "colour/ColourVariation.h"

#include "colour/Fold.h"
#include "colour/HsvColour.h"
#include "pixel/PixelTraits.h"

template <class Pixel>
Pixel varyColour(const Pixel& colour, double hueShift, double saturationShift, double valueShift) {
  using Traits = PixelTraits<Pixel>;
  const RgbColour rgb{static_cast<double>(colour.red) * Traits::readScale,
                      static_cast<double>(colour.green) * Traits::readScale,
                      static_cast<double>(colour.blue) * Traits::readScale};
  HsvColour hsv = hsvFromRgb(rgb);
  hsv.hue = wrapHue(hsv.hue + hueShift);
  hsv.saturation = fold(hsv.saturation + saturationShift);
  hsv.value = fold(hsv.value + valueShift);
  const RgbColour varied = rgbFromHsv(hsv);

  Pixel result{};
  result.alpha = Traits::full;
  result.red = Traits::fromUnit(varied.red);
  result.green = Traits::fromUnit(varied.green);
  result.blue = Traits::fromUnit(varied.blue);
  return result;
}

template <class Pixel>
Pixel gradationCentreColour(const Pixel& start, const Pixel& end, const Pixel& stroke, bool useCentreColour) {
  using Traits = PixelTraits<Pixel>;
  if (useCentreColour) return stroke;
  Pixel middle{};
  middle.alpha = Traits::midpoint(start.alpha, end.alpha);
  middle.red = Traits::midpoint(start.red, end.red);
  middle.green = Traits::midpoint(start.green, end.green);
  middle.blue = Traits::midpoint(start.blue, end.blue);
  return middle;
}

template PF_Pixel8 varyColour<PF_Pixel8>(const PF_Pixel8&, double, double, double);
template PF_Pixel16 varyColour<PF_Pixel16>(const PF_Pixel16&, double, double, double);
template PF_PixelFloat varyColour<PF_PixelFloat>(const PF_PixelFloat&, double, double, double);

template PF_Pixel8 gradationCentreColour<PF_Pixel8>(const PF_Pixel8&, const PF_Pixel8&, const PF_Pixel8&, bool);
template PF_Pixel16 gradationCentreColour<PF_Pixel16>(const PF_Pixel16&, const PF_Pixel16&, const PF_Pixel16&, bool);
template PF_PixelFloat gradationCentreColour<PF_PixelFloat>(const PF_PixelFloat&, const PF_PixelFloat&,
                                                            const PF_PixelFloat&, bool);
