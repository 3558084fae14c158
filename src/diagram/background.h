// The grey field with axes (and, for full drawings, centre circle and spokes) under a diagram.
#pragma once

class QPainter;

namespace gonilux {

// Draws the background into (0, 0)-(width, height): the field in the palette's button colour
// with a border in its dark (button shadow) colour, the two axes through the centre and, unless
// `simple`, a small centre circle with 37 spokes every 10 degrees out to the inscribed ellipse.
// `antialias` smooths the spokes and circle; straight lines stay on whole pixels either way.
void DrawBackground(QPainter& painter, int width, int height, bool simple, bool antialias = true);

} // namespace gonilux
