// The phases of a match, from no game under way to the winner or draw screen. These are the
// numbers the network sends; the menus before a game are the front end's, never the match's.
#pragma once

enum GameState {
    NoGame = 0,    // no game under way: the front end shows its menus
    Countdown = 3, // three-second pause before a player's turn
    Moving = 4,    // the player on turn drives the current figure
    Aiming = 5,    // fire mode: the player aims the grenade
    Flying = 6,    // the grenade flies, explodes, and the turn ends
    GameOver = 7   // winner or draw screen
};
