// A light with a visible lamp body along its z axis: it sits at the object's origin and shines
// along −z, through the wide head; the narrow handle points towards +z.
#pragma once

#include "engine/render/VORN_Light.h"

namespace VORN_LIB {

class VORN_Flashlight : public VORN_Light {
    Q_OBJECT

public:
    // A white light at the object's origin: ambient 0.2, diffuse 0.8, specular 1.
    VORN_Flashlight(const VORN_Vector& position, const VORN_Vector& rotation,
                    const VORN_Vector& scale, const VORN_Color& color);

    // Head (bodyRadius, 0.2 × size long) centred at z = −0.4 × size, handle (0.6 × bodyRadius,
    // 0.8 × size long) at z = 0.1 × size. The cone is not used.
    void draw(const VORN_OcclusionCone* cone) override;

    double size = 1.0;       // length of the lamp body
    double bodyRadius = 0.5; // radius of the head
};

} // namespace VORN_LIB
