// Where the figure labels go: over many crowds of labels and panels laid out at random, no label
// meets a panel or leaves the window, labels keep apart wherever there was room, and a label that
// was free where it was wanted stays there.
#include "game/session/LabelLayout.h"

#include <gtest/gtest.h>
#include <random>

TEST(LabelLayout, LabelsKeepOffThePanelsAndApartOverManyCrowds) {
    const QRect window(0, 0, 800, 600);
    std::mt19937 random(7);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    int moved = 0, leftOut = 0, overlapping = 0;
    for (int round = 0; round < 500; ++round) {
        // The four corner panels of a turn, of the widths the texts give them.
        const QVector<QRect> panels = {
            QRect(0, 0, pick(200, 260), 200), QRect(800 - pick(200, 260), 0, 260, pick(200, 310)),
            QRect(600, 400, 200, 200), QRect(0, 400, pick(200, 300), 200)};
        QVector<QRect> wanted;
        const int count = pick(1, 40);
        for (int i = 0; i < count; ++i)
            wanted.append(QRect(pick(-40, 780), pick(-10, 600), pick(40, 70), 24));
        const QVector<QRect> placed = LabelLayout::place(wanted, panels, window);
        ASSERT_EQ(placed.size(), wanted.size());
        for (int i = 0; i < placed.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "round " << round << " label " << i);
            if (placed[i].isNull()) {
                ++leftOut;
                continue;
            }
            EXPECT_EQ(placed[i].size(), wanted[i].size());
            for (const QRect& panel : panels)
                EXPECT_FALSE(placed[i].intersects(panel));
            EXPECT_TRUE(window.contains(placed[i]) || placed[i] == wanted[i]);
            bool wantedFree = true;
            for (const QRect& panel : panels)
                wantedFree = wantedFree && !wanted[i].intersects(panel);
            for (int j = 0; j < i; ++j)
                wantedFree = wantedFree && !wanted[i].intersects(placed[j]);
            if (wantedFree) {
                EXPECT_EQ(placed[i], wanted[i]) << "a free label stays where it is wanted";
            }
            moved += placed[i] != wanted[i];
            for (int j = 0; j < i; ++j)
                overlapping += placed[i].intersects(placed[j]);
        }
    }
    // The crowds are dense enough that labels had to move, and the layout found room for most.
    EXPECT_GT(moved, 1000);
    EXPECT_LT(leftOut, moved / 20);
    EXPECT_LT(overlapping, moved / 4);
}
