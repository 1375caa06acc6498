// The states of a game, from the main menu to the winner or draw screen.
#pragma once

enum GameState {
    MainMenu = 0,    // main menu
    AskPlayers = 1,  // asks for the number of players
    AskFigures = 2,  // asks for the number of figures per player
    Countdown = 3,   // three-second pause before a player's turn
    Moving = 4,      // the player on turn drives the current figure
    Aiming = 5,      // fire mode: the player aims the grenade
    Flying = 6,      // the grenade flies, explodes, and the turn ends
    GameOver = 7,    // winner or draw screen
    NetworkMenu = 8, // host a network game or join one (this machine's own; never sent)
    AskSettings = 9  // the valley, the wind and the weapons, before the game starts
};
