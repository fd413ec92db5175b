// How the bitmap-driven controls turn a value into a part of their bitmap and copy it. Values
// come from hosts and users and may lie anywhere, NaN included; these helpers keep every
// picked image inside the strip the caller describes.
#pragma once

#include <cstdint>

#include "gui/base/Point.h"
#include "gui/base/Rect.h"

class Bitmap;
class DrawContext;

// The value brought into [0, 1]; NaN counts as 0.
float unitFraction(float value);

// The image of a strip of count images that a value from 0 to 1 shows: (count − 1) × value
// rounded half up, kept within [0, count − 1] (0 for an empty strip or a NaN value).
std::int32_t stripIndex(float value, std::int32_t count);

// The top row of image index in a strip of images height pixels high, saturated to the
// 32-bit range.
std::int32_t imageTop(std::int32_t index, std::int32_t height);

// Copies the part of bitmap at source, of destination's size, to destination: colour-keyed
// when transparent, plain otherwise. Nothing for a null bitmap or context.
void drawBitmapPart(Bitmap* bitmap, DrawContext* context, const Rect& destination,
                    const Point& source, bool transparent);
