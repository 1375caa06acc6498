// Primitive shapes for the game's models, drawn in immediate mode around the origin (y up; the
// arrow lies along z). Both need the game window's GL context and are meant for display lists.
#pragma once

namespace VORN_LIB {

// Closed 12-sided cylinder around the y axis from -height/2 to height/2, flat caps facing outwards,
// unit normals, texture coordinates scaled by textureScale.
void drawCylinder(double radius, double height, double textureScale);

// Arrow along z from its tail cap at z = length/2 to its tip at z = -length/2; the shaft has
// radius/2, the head radius. Built from GLU disks and cylinders with smooth normals and texture
// coordinates; leaves the matrix stack as it was.
void drawArrow(double length, double radius);

} // namespace VORN_LIB
