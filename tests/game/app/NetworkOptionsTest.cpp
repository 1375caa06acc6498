// The command line's network options: a name of 1 to 16 characters of any script, no control
// characters, never for a host with no window; invite links that join their host.
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
    // A headless host's name is its game's, in the local list.
    EXPECT_EQ(parse({"--server", "--name", "anna"}).name, "anna");
    EXPECT_TRUE(parse({"--server", "--name", "anna"}).error.isEmpty());
    const NetworkOptions q = parse({"--query", "tortoise-valley://[::1]:47000"});
    EXPECT_EQ(q.mode, NetworkOptions::Query);
    EXPECT_EQ(q.host, "::1");
    EXPECT_EQ(q.port, 47000);
    EXPECT_EQ(parse({"--list"}).mode, NetworkOptions::List);
    // The router is asked only by a host that says --upnp.
    EXPECT_FALSE(parse({"--host"}).upnp);
    EXPECT_TRUE(parse({"--host", "--upnp"}).upnp);
    const NetworkOptions forwarded = parse({"--server", "0", "--upnp", "--players", "3"});
    EXPECT_TRUE(forwarded.error.isEmpty()) << forwarded.error.toStdString();
    EXPECT_TRUE(forwarded.upnp);
    EXPECT_EQ(forwarded.players, 3);
    for (const QStringList& wrong : {QStringList{"--query"}, QStringList{"--list", "--host"},
                                     QStringList{"--query", "a", "--name", "anna"},
                                     QStringList{"--join", "a", "--upnp"}, QStringList{"--upnp"}})
        EXPECT_FALSE(parse(wrong).error.isEmpty()) << wrong.join(' ').toStdString();
}

// The desktop starts the game with the link alone; people paste it after --join.
TEST(NetworkOptions, AnInviteLinkJoinsItsHostAloneOrAfterJoin) {
    const auto parse = [](const QStringList& arguments) {
        return NetworkOptions::parse(QStringList{"tortoise-valley"} + arguments);
    };
    for (const QStringList& arguments :
         {QStringList{"tortoise-valley://[::1]:47811"},
          QStringList{"--join", "tortoise-valley://[::1]:47811/", "--name", "anna"}}) {
        const NetworkOptions o = parse(arguments);
        EXPECT_TRUE(o.error.isEmpty()) << o.error.toStdString();
        EXPECT_EQ(o.mode, NetworkOptions::Join);
        EXPECT_EQ(o.host, QStringLiteral("::1"));
        EXPECT_EQ(o.port, 47811);
    }
    EXPECT_FALSE(parse({"tortoise-valley://[::1]:47811", "--host"}).error.isEmpty());
    EXPECT_FALSE(parse({"tortoise-valley://localhost:99999"}).error.isEmpty());
}
