// The edge warning of the tortoise on turn.
#include "game/session/EdgeWatch.h"

#include "game/rules/Rules.h"

bool EdgeWatch::near(const VORN_LIB::VORN_Vector& at) {
    return Rules::edgeDistance(at) < Rules::edgeWarning;
}

bool EdgeWatch::update(const Tortoise* figure, const VORN_LIB::VORN_Vector& at) {
    if (!figure) {
        warned = nullptr;
        return false;
    }
    if (figure == warned) {
        if (Rules::edgeDistance(at) > Rules::edgeWarning + Rules::edgeWarningSlack)
            warned = nullptr;
        return false;
    }
    if (!near(at))
        return false;
    warned = figure;
    return true;
}
