#pragma once

namespace picture {

// A deterministic value from 0 to 1 for one lattice point.
float hash(int x, int y, int seed);

// Smooth value noise over a lattice of unit cells. A period above zero wraps the lattice in x
// every period cells, so the noise repeats along a tiled wall.
float valueNoise(float x, float y, int seed, int period = 0);

} // namespace picture
