// Where a thrown grenade is in its short life, as the rules follow it through the ticks.
#pragma once

enum class ImpactState {
    Flying,  // thrown and still in the air
    Hit,     // touched something this tick; the rules explode it next
    Exploded // its explosion has been dealt with
};
