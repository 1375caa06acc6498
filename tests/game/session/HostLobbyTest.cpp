// The host's menu in the window: the invite link it shows, K copying it to the clipboard for the
// friends to join by, and the key help naming the key. UPnP stays off unless asked for.
#include "tests/support/GameDriver.h"

#include "game/hosting/MatchHost.h"
#include "game/network/HostAddress.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

using namespace GameDriver;

namespace {

class HostLobby : public GameScenario {};

bool menuShows(Game& g, const QString& text) {
    const QList<HudLayout::Line> lines = g.hud().menuLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const HudLayout::Line& l) { return l.text == text; });
}

} // namespace

TEST_F(HostLobby, KCopiesTheInviteLinkTheMenuShows) {
    ASSERT_TRUE(g.hostGame(0));
    const quint16 port = g.host()->port();
    EXPECT_EQ(g.portMapping(), nullptr); // the router is asked only when chosen
    const QString link = g.front.hostLink;
    const HostAddress joined = HostAddress::parse(link, 1);
    EXPECT_TRUE(HostAddress::isLink(link)) << link.toStdString();
    EXPECT_TRUE(joined.error.isEmpty()) << joined.error.toStdString();
    EXPECT_EQ(joined.port, port);

    // Drawn where the menu has it, below the computer's line, and clear of the others.
    const QRect menu = g.hud().menuPlace();
    const QImage shown = frame();
    expectTextLine(shown, menu.x() + 40, menu.y() + 252, link, 16);
    expectTextLine(shown, menu.x() + 40, menu.y() + 276, "k: link kopieren   u: upnp: aus", 16);
    EXPECT_TRUE(noTextIn(shown, QRect(menu.x() + 10, menu.y() + 284, menu.width() - 20, 20)));

    QGuiApplication::clipboard()->setText(QStringLiteral("alt"));
    tap(Qt::Key_K);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), link);
    EXPECT_TRUE(menuShows(g, "k: link kopiert   u: upnp: aus"));
    tap(Qt::Key_L); // another key, and the menu offers the copy again
    EXPECT_TRUE(menuShows(g, "k: link kopieren   u: upnp: aus"));

    tap(Qt::Key_F1);
    const QList<KeyHelp::Line> help = g.keyHelp().lines();
    EXPECT_TRUE(std::any_of(help.begin(), help.end(), [](const KeyHelp::Line& l) {
        return l.key == QLatin1String("k") && l.action == QLatin1String("einladungslink kopieren");
    }));
    tap(Qt::Key_F1);
}
