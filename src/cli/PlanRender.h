#pragma once

// A picture of a whole plan without a window: every area's effective outline filled with its
// colour (holes stay open), then the objects of its layers drawn by their own Draw code, clipped
// to the area; then the free modules and the text boxes. Model units (cm) are mapped by the
// painter's transform, so the objects draw in logical units as they do in the plan window.

#include <QImage>

#include <functional>

class TCanvas;
class TImageCache;
class TPlanDocument;

constexpr double kDefaultRenderScale = 100; // pixels per metre
// White border around the plan's extent, in pixels.
constexpr int kRenderMargin = 20;
// Larger pictures are refused rather than exhausting memory.
constexpr int kMaxRenderSide = 16384;

// `Pictures`: boards show their surface pictures from this cache when its folder is set;
// otherwise (and without a cache) they are filled with their colour. A null image when the
// scale is not positive and finite or the picture would exceed kMaxRenderSide.
// `Overlay` draws on top of the areas, on the same canvas in model units (the battens).
QImage RenderPlan(const TPlanDocument& Document, double PxPerMetre = kDefaultRenderScale,
                  TImageCache* Pictures = nullptr,
                  const std::function<void(TCanvas&)>& Overlay = {});
