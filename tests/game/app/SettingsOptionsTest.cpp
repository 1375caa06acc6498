// The command line's settings of a game: each spelling of the valley, the wind and the weapons,
// beside the other options, and a bad value named in its error.
#include "game/app/SettingsOptions.h"
#include "game/app/NetworkOptions.h"

#include <gtest/gtest.h>

TEST(SettingsOptions, ReadsEachSpellingAndRefusesTheRest) {
    using V = GameSettings::Valley;
    using W = GameSettings::Wind;
    using A = GameSettings::Weapons;
    const struct {
        QStringList arguments;
        V valley;
        int number;
        std::string picture;
        W wind;
        A weapons;
        const char* error; // a part of it, or nothing
    } table[] = {
        {{}, V::Standard, 0, "", W::Off, A::Grenade, nullptr},
        {{"--valley", "random"}, V::Random, 0, "", W::Off, A::Grenade, nullptr},
        {{"--valley=4711", "--wind", "light"}, V::Random, 4711, "", W::Light, A::Grenade, nullptr},
        {{"--valley", "999999", "--weapons=all"}, V::Random, 999999, "", W::Off, A::All, nullptr},
        {{"--host", "4000", "--valley", "see.bmp", "--wind=strong", "-platform", "xcb"},
         V::Picture,
         0,
         "see.bmp",
         W::Strong,
         A::Grenade,
         nullptr},
        {{"--valley", "7", "--valley", "standard"},
         V::Standard,
         7,
         "",
         W::Off,
         A::Grenade,
         nullptr}, // the last one counts
        {{"--valley", "0"}, V::Standard, 0, "", W::Off, A::Grenade, "not a valley number"},
        {{"--valley", "1000000"}, V::Standard, 0, "", W::Off, A::Grenade, "1000000"},
        {{"--valley"}, V::Standard, 0, "", W::Off, A::Grenade, "--valley needs a value"},
        {{"--valley="}, V::Standard, 0, "", W::Off, A::Grenade, "--valley needs"},
        {{"--wind", "storm"}, V::Standard, 0, "", W::Off, A::Grenade, "not a wind"},
        {{"--weapons", "nuke"}, V::Standard, 0, "", W::Off, A::Grenade, "grenade or all): nuke"},
    };
    for (const auto& t : table) {
        const QString shown = t.arguments.join(' ');
        SCOPED_TRACE(shown.toStdString());
        const SettingsOptions o =
            SettingsOptions::parse(QStringList{"tortoise-valley"} + t.arguments);
        if (t.error) {
            EXPECT_TRUE(o.error.contains(QString(t.error))) << o.error.toStdString();
            continue;
        }
        EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
        EXPECT_EQ(o.settings.valley, t.valley);
        if (t.valley == V::Random) {
            EXPECT_EQ(o.settings.valleyNumber, t.number);
        }
        EXPECT_EQ(o.settings.valleyPicture, t.picture);
        EXPECT_EQ(o.settings.wind, t.wind);
        EXPECT_EQ(o.settings.weapons, t.weapons);
        EXPECT_EQ(o.settings.isClassic(), t.arguments.isEmpty() || t.valley == V::Standard);
    }
    // The network options read past the settings.
    const NetworkOptions network = NetworkOptions::parse(
        {"tortoise-valley", "--server", "0", "--valley", "random", "--players", "3"});
    EXPECT_EQ(network.mode, NetworkOptions::Server);
    EXPECT_EQ(network.players, 3);
    EXPECT_TRUE(network.error.isEmpty());
}
