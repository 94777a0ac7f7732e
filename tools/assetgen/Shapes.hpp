#pragma once

#include "Canvas.hpp"

namespace picture {

bool inRoundedBox(float x, float y, float x0, float y0, float x1, float y1, float radius);
float distanceToSegment(float x, float y, float ax, float ay, float bx, float by);

// Solid shapes in pixel units, laid over the canvas at the colour's opacity.
void rect(Canvas& canvas, float x0, float y0, float x1, float y1, Colour fill);
void roundedBox(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Colour fill);
// A disc whose edge fades over one sample.
void disc(Canvas& canvas, float cx, float cy, float radius, Colour fill);
// Light spilling around a lamp: strength at the centre, falling to nothing at radius.
void glow(Canvas& canvas, float cx, float cy, float radius, Colour light, float strength);
// The radiation sign's hub and three blades in ink, the blades from 0.3 to 1 of the radius;
// turn (radians, clockwise) rotates the blades from their places on the plant's walls.
void trefoil(Canvas& canvas, float cx, float cy, float radius, Colour ink, float turn = 0.f);

} // namespace picture
