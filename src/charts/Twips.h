#pragma once

// The charts keep their geometry in twips, 1/1440 inch: 15 twips to a logical pixel.
namespace Charts {
inline constexpr double TwipsPerPixel = 15.0;
}
