// The overlay's panels drawn: the menu panel, the four panels of a turn (turn, keys with the
// strength bar in fire mode, the strength pie, the message log) and the bare message lines under
// a menu. Each panel is kept as a picture until what it shows changes. The strength bar marks
// the strength that throws out of the valley.
#pragma once

#include "game/session/HudLayout.h"
#include "game/session/PanelImage.h"
#include "game/session/ThrowReach.h"

class Match;
class QPainter;

class HudPanels {
public:
    void drawMenu(QPainter& painter, const HudLayout& layout);
    void drawTurn(QPainter& painter, const HudLayout& layout, const Match& match);
    // The message log without a panel, at the bottom of a window height pixels high.
    static void drawMessages(QPainter& painter, const HudLayout& layout, int height);
    // The notice of a question or a pause, when there is one.
    void drawNotice(QPainter& painter, const HudLayout& layout);

    struct Kept {
        PanelImage turn, keys, pie, messages, menu, notice;
    };
    const Kept& kept() const { return images; }

private:
    Kept images;
    ThrowReach throwReach; // the strength bar's mark, kept while the aim stays
};
