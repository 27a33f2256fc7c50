// Sizes are given in twips (1/1440 inch), on screen and on paper; this is
// the one place where they become pixels.
#pragma once

namespace vexo {

int twips(double n);          // twips to pixels at the screen's resolution
double to_twips(int pixels);  // and back

} // namespace vexo
