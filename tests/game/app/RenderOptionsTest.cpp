// The command line's render scale: auto or a number from 0.25 to 1, given as one argument or two,
// beside the network options and Qt's own; anything else is an error that names the value.
#include "game/app/RenderOptions.h"
#include "game/app/NetworkOptions.h"

#include <gtest/gtest.h>

TEST(RenderOptions, ReadsAutoOrAScaleAndRefusesTheRest) {
    const auto parse = [](const QStringList& arguments) {
        return RenderOptions::parse(QStringList{"tortoise-valley"} + arguments);
    };
    RenderOptions o = parse({});
    EXPECT_TRUE(o.automatic);
    EXPECT_TRUE(o.error.isEmpty());

    o = parse({"--host", "4000", "--render-scale", "0.5", "-platform", "xcb"});
    EXPECT_FALSE(o.automatic);
    EXPECT_EQ(o.scale, 0.5);
    EXPECT_TRUE(o.error.isEmpty());
    // The network options read past it.
    const NetworkOptions network =
        NetworkOptions::parse({"tortoise-valley", "--render-scale", "0.75", "--host", "4000"});
    EXPECT_EQ(network.mode, NetworkOptions::Host);
    EXPECT_EQ(network.port, 4000);
    EXPECT_TRUE(network.error.isEmpty());

    o = parse({"--render-scale=1"});
    EXPECT_FALSE(o.automatic);
    EXPECT_EQ(o.scale, 1.0);
    o = parse({"--render-scale", "0.5", "--render-scale", "auto"}); // the last one counts
    EXPECT_TRUE(o.automatic);
    EXPECT_TRUE(o.error.isEmpty());

    for (const char* bad : {"0", "0.2", "1.5", "-1", "half", ""}) {
        o = parse({"--render-scale", bad});
        EXPECT_TRUE(o.error.contains(QString("render scale"))) << bad;
        EXPECT_TRUE(o.error.endsWith(QString(": ") + bad)) << bad;
    }
    EXPECT_FALSE(parse({"--render-scale"}).error.isEmpty());
}
