// The command line's name: 1 to 16 characters of any script, no control characters, never for a
// host with no window; anything else is refused with a message that says what a name is.
#include "game/app/NetworkOptions.h"

#include <gtest/gtest.h>

TEST(NetworkOptions, TakesANameOfOneToSixteenCharactersAndRefusesTheRest) {
    const auto parse = [](const QStringList& arguments) {
        return NetworkOptions::parse(QStringList{"tortoise-valley"} + arguments);
    };
    NetworkOptions o = parse({"--join", "localhost", "--name", "anna"});
    EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
    EXPECT_EQ(o.name, QStringLiteral("anna"));
    EXPECT_EQ(o.mode, NetworkOptions::Join);
    EXPECT_EQ(parse({}).name, QString());
    // Sixteen characters, some of them beyond the 16 bits of one UTF-16 unit.
    const QString longest = QString::fromUtf8("J\u00f6rg \U0001F422\U0001F422 der Gro\u00df");
    ASSERT_EQ(longest.toUcs4().size(), 16);
    EXPECT_EQ(parse({"--name", longest}).name, longest);
    EXPECT_TRUE(parse({"--name", longest, "--host"}).error.isEmpty());

    for (const QString& bad : {QString(17, QLatin1Char('x')), QStringLiteral("a\tb"),
                               QStringLiteral("zeile\n"), QStringLiteral("\x1b[31mrot"),
                               QString::fromUtf8("\u202etxt"), QStringLiteral("  "), QString()}) {
        o = parse({"--name", bad});
        EXPECT_TRUE(o.error.startsWith(QStringLiteral("--name needs a name of 1 to 16 characters")))
            << bad.toStdString() << ": " << o.error.toStdString();
        EXPECT_EQ(o.name, QString());
    }
    EXPECT_FALSE(parse({"--name"}).error.isEmpty());
    EXPECT_FALSE(parse({"--server", "--name", "anna"}).error.isEmpty());
}
