<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Game</name>
    <message>
        <source>datei nicht lesbar</source>
        <translation>file not readable</translation>
    </message>
    <message>
        <source>keine BMP-datei</source>
        <translation>not a BMP file</translation>
    </message>
    <message>
        <source>dateikopf unvollstaendig</source>
        <translation>file header incomplete</translation>
    </message>
    <message>
        <source>dateikopf mit %1 bytes wird nicht unterstuetzt</source>
        <translation>file header of %1 bytes is not supported</translation>
    </message>
    <message>
        <source>%1 bit pro pixel werden nicht unterstuetzt</source>
        <translation>%1 bits per pixel are not supported</translation>
    </message>
    <message>
        <source>komprimierte bilder werden nicht unterstuetzt</source>
        <translation>compressed pictures are not supported</translation>
    </message>
    <message>
        <source>ungueltige bildgroesse %1</source>
        <translation>invalid picture size %1</translation>
    </message>
    <message>
        <source>bild zu gross (%1)</source>
        <translation>picture too large (%1)</translation>
    </message>
    <message>
        <source>zu wenig speicher</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>%1 (auch gesucht: %2)</source>
        <translation>%1 (also looked for: %2)</translation>
    </message>
    <message>
        <source>Tortoise Valley kann nicht starten: %1</source>
        <translation>Tortoise Valley cannot start: %1</translation>
    </message>
    <message>
        <source>kein OpenGL mit doppelpuffer verfuegbar</source>
        <translation>no double-buffered OpenGL available</translation>
    </message>
    <message>
        <source>return:</source>
        <translation>return:</translation>
    </message>
    <message>
        <source>neues spiel</source>
        <translation>new game</translation>
    </message>
    <message>
        <source>c: computer: </source>
        <translation>c: computer: </translation>
    </message>
    <message>
        <source>esc: schliesen</source>
        <translation>esc: quit</translation>
    </message>
    <message>
        <source>wieviele</source>
        <translation>how many</translation>
    </message>
    <message>
        <source>spieler</source>
        <translation>players</translation>
    </message>
    <message>
        <source>(2 - 9)</source>
        <translation>(2 - 9)</translation>
    </message>
    <message>
        <source>esc: zurueck</source>
        <translation>esc: back</translation>
    </message>
    <message>
        <source>wieviele figuren</source>
        <translation>how many figures</translation>
    </message>
    <message>
        <source>pro spieler</source>
        <translation>per player</translation>
    </message>
    <message>
        <source>(1 - 9)</source>
        <translation>(1 - 9)</translation>
    </message>
    <message>
        <source>spieler </source>
        <translation>player </translation>
    </message>
    <message>
        <source>gewinnt</source>
        <translation>wins</translation>
    </message>
    <message>
        <source>unentschieden</source>
        <translation>draw</translation>
    </message>
    <message>
        <source>alle weg</source>
        <translation>all gone</translation>
    </message>
    <message>
        <source>zum hauptmenue</source>
        <translation>to main menu</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>easy</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>schwer</source>
        <translation>hard</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>zum recher</source>
        <translation>get ready</translation>
    </message>
    <message>
        <source>am zug</source>
        <translation>your turn</translation>
    </message>
    <message>
        <source> sekunden</source>
        <translation> seconds</translation>
    </message>
    <message>
        <source>bis zum zug</source>
        <translation>to go</translation>
    </message>
    <message>
        <source>uebrig</source>
        <translation>left</translation>
    </message>
    <message>
        <source>werfen: %1 s</source>
        <translation>throw: %1 s</translation>
    </message>
    <message>
        <source>richtung: %1</source>
        <translation>direction: %1</translation>
    </message>
    <message>
        <source>hoehe: %1</source>
        <translation>elevation: %1</translation>
    </message>
    <message>
        <source>staerke: %1</source>
        <translation>strength: %1</translation>
    </message>
    <message>
        <source>abschuss</source>
        <translation>fire</translation>
    </message>
    <message>
        <source>feuermodus</source>
        <translation>fire mode</translation>
    </message>
    <message>
        <source>esc:</source>
        <translation>esc:</translation>
    </message>
    <message>
        <source>hauptmenue</source>
        <translation>main menu</translation>
    </message>
    <message>
        <source>Willkommen</source>
        <translation>welcome</translation>
    </message>
    <message>
        <source> ist</source>
        <translation> is</translation>
    </message>
    <message>
        <source>suizidgefaehrdet</source>
        <translation>suicidal</translation>
    </message>
    <message>
        <source>zeit abgelaufen</source>
        <translation>time is up</translation>
    </message>
    <message>
        <source>begeht selbstmord</source>
        <translation>commits suicide</translation>
    </message>
    <message>
        <source>meldet verluste</source>
        <translation>reports losses</translation>
    </message>
    <message>
        <source>wird vermisst</source>
        <translation>is missing</translation>
    </message>
    <message>
        <source>nur noch computer</source>
        <translation>computers only</translation>
    </message>
    <message>
        <source>computer zielt</source>
        <translation>computer aims</translation>
    </message>
    <message>
        <source>zuschauer</source>
        <translation>watching</translation>
    </message>
    <message>
        <source>bis spielende</source>
        <translation>until the game ends</translation>
    </message>
    <message>
        <source>n: netzwerkspiel</source>
        <translation>n: network</translation>
    </message>
    <message>
        <source>h: spiel eroeffnen</source>
        <translation>h: host a game</translation>
    </message>
    <message>
        <source>j: beitreten</source>
        <translation>j: join a game</translation>
    </message>
    <message>
        <source>warte auf spieler</source>
        <translation>waiting for players</translation>
    </message>
    <message>
        <source> ist beigetreten</source>
        <translation> joined</translation>
    </message>
    <message>
        <source>ist beigetreten</source>
        <translation>has joined</translation>
    </message>
    <message>
        <source>spieler %1 ist beigetreten</source>
        <translation>player %1 joined</translation>
    </message>
    <message>
        <source> hat das spiel verlassen</source>
        <translation> has left</translation>
    </message>
    <message>
        <source>hat das spiel verlassen</source>
        <translation>left the game</translation>
    </message>
    <message>
        <source>spieler %1 hat das spiel verlassen</source>
        <translation>player %1 has left</translation>
    </message>
    <message>
        <source>verbindung zum spiel verloren</source>
        <translation>connection lost</translation>
    </message>
    <message>
        <source>host nicht gefunden</source>
        <translation>host not found</translation>
    </message>
    <message>
        <source>verbindung abgelehnt</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>host antwortet nicht</source>
        <translation>host does not answer</translation>
    </message>
    <message>
        <source>port belegt</source>
        <translation>port in use</translation>
    </message>
    <message>
        <source>falsche version</source>
        <translation>wrong version</translation>
    </message>
    <message>
        <source>kein platz</source>
        <translation>no free seat</translation>
    </message>
    <message>
        <source> ist abwesend, der computer spielt</source>
        <translation> is away, the computer plays</translation>
    </message>
    <message>
        <source> ist zurueck</source>
        <translation> is back</translation>
    </message>
    <message>
        <source>server voll, bitte spaeter</source>
        <translation>server full, please try later</translation>
    </message>
    <message>
        <source>falsches passwort</source>
        <translation>wrong password</translation>
    </message>
    <message>
        <source>host beendet das spiel</source>
        <translation>the host ended the game</translation>
    </message>
    <message>
        <source>f1: tasten</source>
        <translation>f1: keys</translation>
    </message>
    <message>
        <source>tasten</source>
        <translation>keys</translation>
    </message>
    <message>
        <source>licht</source>
        <translation>light</translation>
    </message>
    <message>
        <source>computerstufe</source>
        <translation>computer level</translation>
    </message>
    <message>
        <source>netzwerkspiel</source>
        <translation>network game</translation>
    </message>
    <message>
        <source>spiel beenden</source>
        <translation>quit</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>n / esc</source>
        <translation>n / esc</translation>
    </message>
    <message>
        <source>nein, zurueck</source>
        <translation>no, back</translation>
    </message>
    <message>
        <source>spiel verlassen? j / n</source>
        <translation>leave the game? j / n</translation>
    </message>
    <message>
        <source>spiel beenden? j / n</source>
        <translation>quit the game? j / n</translation>
    </message>
    <message>
        <source>pause an / aus</source>
        <translation>pause on / off</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>: weiter</source>
        <translation>: go on</translation>
    </message>
    <message>
        <source>keine zeit mehr zum werfen</source>
        <translation>no time left to throw</translation>
    </message>
    <message>
        <source>ins aus</source>
        <translation>out of the valley</translation>
    </message>
    <message>
        <source> trifft</source>
        <translation> hits</translation>
    </message>
    <message>
        <source>%1 trifft sich selbst: -%2</source>
        <translation>%1 hits itself: -%2</translation>
    </message>
    <message>
        <source>%1 trifft %2: -%3</source>
        <translation>%1 hits %2: -%3</translation>
    </message>
    <message>
        <source>p: tempo: </source>
        <translation>p: pace: </translation>
    </message>
    <message>
        <source>tempo: klassisch, schnell, lang</source>
        <translation>pace: classic, quick, long</translation>
    </message>
    <message>
        <source>klassisch 60/45</source>
        <translation>classic 60/45</translation>
    </message>
    <message>
        <source>schnell 30/20</source>
        <translation>quick 30/20</translation>
    </message>
    <message>
        <source>lang 90/60</source>
        <translation>long 90/60</translation>
    </message>
    <message>
        <source>s: sudden death: </source>
        <translation>s: sudden death: </translation>
    </message>
    <message>
        <source>sudden death: aus, nach 5 oder 10 runden</source>
        <translation>sudden death: off, after 5 or 10 rounds</translation>
    </message>
    <message>
        <source>5 runden</source>
        <translation>5 rounds</translation>
    </message>
    <message>
        <source>10 runden</source>
        <translation>10 rounds</translation>
    </message>
    <message>
        <source>tempo: schnell</source>
        <translation>pace: quick</translation>
    </message>
    <message>
        <source>tempo: lang</source>
        <translation>pace: long</translation>
    </message>
    <message>
        <source>sudden death nach 5 runden</source>
        <translation>sudden death after 5 rounds</translation>
    </message>
    <message>
        <source>sudden death nach 10 runden</source>
        <translation>sudden death after 10 rounds</translation>
    </message>
    <message>
        <source>sudden death: jeder zug kostet %1 punkte</source>
        <translation>sudden death: every turn costs %1 points</translation>
    </message>
    <message>
        <source>formen: </source>
        <translation>shapes: </translation>
    </message>
    <message>
        <source>formen: jedes team auch an seiner form erkennen</source>
        <translation>shapes: tell every team by its shape too</translation>
    </message>
    <message>
        <source>aus</source>
        <comment>wind</comment>
        <translation>off</translation>
    </message>
    <message>
        <source>leicht</source>
        <comment>wind</comment>
        <translation>light</translation>
    </message>
    <message>
        <source>stark</source>
        <comment>wind</comment>
        <translation>strong</translation>
    </message>
    <message>
        <source>spiel eroeffnen</source>
        <translation>host a game</translation>
    </message>
    <message>
        <source>adresse eingeben</source>
        <translation>type the address</translation>
    </message>
    <message>
        <source>beitreten</source>
        <translation>join</translation>
    </message>
    <message>
        <source>zurueck</source>
        <translation>back</translation>
    </message>
    <message>
        <source>anzahl spieler</source>
        <translation>number of players</translation>
    </message>
    <message>
        <source>figuren pro spieler</source>
        <translation>figures per player</translation>
    </message>
    <message>
        <source>pfeile</source>
        <translation>arrows</translation>
    </message>
    <message>
        <source>drehen und fahren</source>
        <translation>turn and drive</translation>
    </message>
    <message>
        <source>leertaste / strg</source>
        <translation>space / ctrl</translation>
    </message>
    <message>
        <source>steigen und sinken</source>
        <translation>rise and sink</translation>
    </message>
    <message>
        <source>links / rechts</source>
        <translation>left / right</translation>
    </message>
    <message>
        <source>wurf drehen</source>
        <translation>turn the throw</translation>
    </message>
    <message>
        <source>wurf heben und senken</source>
        <translation>raise and lower the throw</translation>
    </message>
    <message>
        <source>spieler: namen, computer, farben</source>
        <translation>players: names, computer, colours</translation>
    </message>
    <message>
        <source>spieler waehlen</source>
        <translation>choose a player</translation>
    </message>
    <message>
        <source>mensch oder computer</source>
        <translation>person or computer</translation>
    </message>
    <message>
        <source>farbe</source>
        <translation>colour</translation>
    </message>
    <message>
        <source>return / esc</source>
        <translation>return / esc</translation>
    </message>
    <message>
        <source>n: spieler</source>
        <translation>n: players</translation>
    </message>
    <message>
        <source>zufall</source>
        <translation>drawn</translation>
    </message>
    <message>
        <source>n: name, c: mensch / computer, f: farbe</source>
        <translation>n: name, c: person / computer, f: colour</translation>
    </message>
    <message>
        <source>return / esc: zurueck</source>
        <translation>return / esc: back</translation>
    </message>
    <message>
        <source>menue: %1</source>
        <translation>menu: %1</translation>
    </message>
    <message>
        <source>mensch</source>
        <translation>person</translation>
    </message>
    <message>
        <source>computer %1</source>
        <translation>computer %1</translation>
    </message>
    <message>
        <source>tuerkis</source>
        <translation>teal</translation>
    </message>
    <message>
        <source>rosa</source>
        <translation>rose</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>orange</translation>
    </message>
    <message>
        <source>violett</source>
        <translation>violet</translation>
    </message>
    <message>
        <source>hellrosa</source>
        <translation>pale pink</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>red</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>green</translation>
    </message>
    <message>
        <source>himmelblau</source>
        <translation>sky blue</translation>
    </message>
    <message>
        <source>hoch / runter</source>
        <translation>up / down</translation>
    </message>
    <message>
        <source>staerke</source>
        <translation>strength</translation>
    </message>
    <message>
        <source>spiel verlassen</source>
        <translation>leave the game</translation>
    </message>
    <message>
        <source>blick hinter die figur</source>
        <translation>view behind the figure</translation>
    </message>
    <message>
        <source>blick entlang des wurfs</source>
        <translation>view along the aim</translation>
    </message>
    <message>
        <source>naechster gegner</source>
        <translation>next enemy</translation>
    </message>
    <message>
        <source>maus</source>
        <translation>mouse</translation>
    </message>
    <message>
        <source>kamera drehen</source>
        <translation>turn the camera</translation>
    </message>
    <message>
        <source>mausrad</source>
        <translation>mouse wheel</translation>
    </message>
    <message>
        <source>zoomen</source>
        <translation>zoom</translation>
    </message>
    <message>
        <source>mittlere taste</source>
        <translation>middle button</translation>
    </message>
    <message>
        <source>blick der figur</source>
        <translation>the figure&apos;s view</translation>
    </message>
    <message>
        <source>ton an / aus</source>
        <translation>sound on / off</translation>
    </message>
    <message>
        <source>vollbild</source>
        <translation>full screen</translation>
    </message>
    <message>
        <source>diese hilfe</source>
        <translation>this help</translation>
    </message>
    <message>
        <source>du spielst spieler </source>
        <translation>you play player </translation>
    </message>
    <message>
        <source>sagen: </source>
        <translation>say: </translation>
    </message>
    <message>
        <source>name eingeben</source>
        <translation>type your name</translation>
    </message>
    <message>
        <source>nachricht schreiben</source>
        <translation>write a message</translation>
    </message>
    <message>
        <source>tab halten</source>
        <translation>hold tab</translation>
    </message>
    <message>
        <source>wer spielt mit</source>
        <translation>who is playing</translation>
    </message>
    <message>
        <source>zu viele nachrichten, eine ging verloren</source>
        <translation>too many messages, one was dropped</translation>
    </message>
    <message>
        <source>n: name: </source>
        <translation>n: name: </translation>
    </message>
    <message>
        <source>n: name</source>
        <translation>n: name</translation>
    </message>
    <message>
        <source>passwort eingeben</source>
        <translation>type the password</translation>
    </message>
    <message>
        <source>p: passwort: </source>
        <translation>p: password: </translation>
    </message>
    <message>
        <source>p: passwort</source>
        <translation>p: password</translation>
    </message>
    <message>
        <source>wieder beitreten</source>
        <translation>join again</translation>
    </message>
    <message>
        <source>r: wieder beitreten: </source>
        <translation>r: join again: </translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>adresse</source>
        <translation>address</translation>
    </message>
    <message>
        <source>ping</source>
        <translation>ping</translation>
    </message>
    <message>
        <source> (du)</source>
        <translation> (you)</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>tal nummer %1</source>
        <translation>valley number %1</translation>
    </message>
    <message>
        <source>tal: %1</source>
        <translation>valley: %1</translation>
    </message>
    <message>
        <source>wind: leicht</source>
        <translation>wind: light</translation>
    </message>
    <message>
        <source>wind: stark</source>
        <translation>wind: strong</translation>
    </message>
    <message>
        <source>waffen: alle</source>
        <translation>weapons: all</translation>
    </message>
    <message>
        <source>zufall %1</source>
        <translation>random %1</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>strong</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>all</translation>
    </message>
    <message>
        <source>wind %1</source>
        <translation>wind %1</translation>
    </message>
    <message>
        <source>granate</source>
        <translation>grenade</translation>
    </message>
    <message>
        <source>return: starten</source>
        <translation>return: start</translation>
    </message>
    <message>
        <source>t: tal: </source>
        <translation>t: valley: </translation>
    </message>
    <message>
        <source>z: neue zahl, 0 - 9: zahl</source>
        <translation>z: new number, 0 - 9: number</translation>
    </message>
    <message>
        <source>w: wind: </source>
        <translation>w: wind: </translation>
    </message>
    <message>
        <source>a: waffen: </source>
        <translation>a: weapons: </translation>
    </message>
    <message>
        <source>spiel starten</source>
        <translation>start the game</translation>
    </message>
    <message>
        <source>tal: standard, zufall, eigene bilder</source>
        <translation>valley: standard, random, own pictures</translation>
    </message>
    <message>
        <source>neue talnummer</source>
        <translation>new valley number</translation>
    </message>
    <message>
        <source>talnummer eintippen</source>
        <translation>type a valley number</translation>
    </message>
    <message>
        <source>wind: aus, leicht, stark</source>
        <translation>wind: off, light, strong</translation>
    </message>
    <message>
        <source>waffen: granate, alle</source>
        <translation>weapons: grenade, all</translation>
    </message>
    <message>
        <source>streubombe</source>
        <translation>cluster bomb</translation>
    </message>
    <message>
        <source>grossgranate</source>
        <translation>heavy shell</translation>
    </message>
    <message>
        <source>buddler</source>
        <translation>digger</translation>
    </message>
    <message>
        <source>huepfgranate</source>
        <translation>bouncer</translation>
    </message>
    <message>
        <source>waffe</source>
        <translation>weapon</translation>
    </message>
    <message>
        <source>optionen</source>
        <translation>options</translation>
    </message>
    <message>
        <source>o / esc</source>
        <translation>o / esc</translation>
    </message>
    <message>
        <source>nacht</source>
        <translation>night</translation>
    </message>
    <message>
        <source>klassisch</source>
        <translation>classic</translation>
    </message>
    <message>
        <source>hell</source>
        <translation>bright</translation>
    </message>
    <message>
        <source>dreht immer</source>
        <translation>turns always</translation>
    </message>
    <message>
        <source>nur mit rechter taste</source>
        <translation>only with the right button</translation>
    </message>
    <message>
        <source>licht: </source>
        <translation>light: </translation>
    </message>
    <message>
        <source>licht: nacht, klassisch, hell</source>
        <translation>light: night, classic, bright</translation>
    </message>
    <message>
        <source>maus: </source>
        <translation>mouse: </translation>
    </message>
    <message>
        <source>maus: dreht immer, nur mit rechter taste</source>
        <translation>mouse: turns always, only with the right button</translation>
    </message>
    <message>
        <source>effekte: </source>
        <translation>effects: </translation>
    </message>
    <message>
        <source>effekte leiser, lauter</source>
        <translation>effects quieter, louder</translation>
    </message>
    <message>
        <source>musik: </source>
        <translation>music: </translation>
    </message>
    <message>
        <source>musik leiser, lauter</source>
        <translation>music quieter, louder</translation>
    </message>
    <message>
        <source>vollbild: </source>
        <translation>full screen: </translation>
    </message>
    <message>
        <source>vollbild an / aus</source>
        <translation>full screen on / off</translation>
    </message>
    <message>
        <source>an</source>
        <translation>on</translation>
    </message>
    <message>
        <source>aufloesung: </source>
        <translation>render scale: </translation>
    </message>
    <message>
        <source>aufloesung: auto, 100 % bis 25 %</source>
        <translation>render scale: auto, 100 % to 25 %</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>o: optionen</source>
        <translation>o: options</translation>
    </message>
    <message>
        <source>o / esc: zurueck</source>
        <translation>o / esc: back</translation>
    </message>
    <message>
        <source>rechte taste + maus</source>
        <translation>right button + mouse</translation>
    </message>
    <message>
        <source>wie zuletzt</source>
        <translation>as last time</translation>
    </message>
    <message>
        <source>return: %1</source>
        <translation>return: %1</translation>
    </message>
    <message>
        <source>l: spiele im netz</source>
        <translation>l: games on this network</translation>
    </message>
    <message>
        <source>spiele im netz</source>
        <translation>games on this network</translation>
    </message>
    <message>
        <source>keine gefunden</source>
        <translation>none found</translation>
    </message>
    <message>
        <source>andere version: %1</source>
        <translation>other version: %1</translation>
    </message>
    <message>
        <source>return: beitreten, s: neu suchen</source>
        <translation>return: join, s: search again</translation>
    </message>
    <message>
        <source>spiel waehlen</source>
        <translation>choose a game</translation>
    </message>
    <message>
        <source>neu suchen</source>
        <translation>search again</translation>
    </message>
    <message>
        <source>s: statistik</source>
        <translation>s: statistics</translation>
    </message>
    <message>
        <source>statistik / sieger</source>
        <translation>statistics / winner</translation>
    </message>
    <message>
        <source>s: sieger</source>
        <translation>s: winner</translation>
    </message>
    <message>
        <source>return: zum hauptmenue</source>
        <translation>return: to main menu</translation>
    </message>
    <message>
        <source>esc: spiel verlassen</source>
        <translation>esc: leave the game</translation>
    </message>
    <message>
        <source>statistik</source>
        <translation>statistics</translation>
    </message>
    <message>
        <source>ausgeteilt</source>
        <translation>dealt</translation>
    </message>
    <message>
        <source>eingesteckt</source>
        <translation>taken</translation>
    </message>
    <message>
        <source>selbst</source>
        <translation>own</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>lost</translation>
    </message>
    <message>
        <source>bester wurf</source>
        <translation>best shot</translation>
    </message>
    <message>
        <source>%1 (zug %2)</source>
        <translation>%1 (turn %2)</translation>
    </message>
    <message>
        <source>lebenspunkte</source>
        <translation>hit points</translation>
    </message>
    <message>
        <source>zug</source>
        <translation>turn</translation>
    </message>
    <message>
        <source>ende</source>
        <translation>end</translation>
    </message>
    <message>
        <source>einladungslink kopieren</source>
        <translation>copy the invite link</translation>
    </message>
    <message>
        <source>upnp: router leitet den port weiter, an / aus</source>
        <translation>upnp: the router forwards the port, on / off</translation>
    </message>
    <message>
        <source>erreichbar unter %1</source>
        <translation>reachable at %1</translation>
    </message>
    <message>
        <source>erreichbar unter %1, router erneuert nicht</source>
        <translation>reachable at %1, the router does not renew</translation>
    </message>
    <message>
        <source>kein router fuer upnp gefunden</source>
        <translation>no router for upnp found</translation>
    </message>
    <message>
        <source>dieses spiel ist ohne upnp gebaut</source>
        <translation>this game is built without upnp</translation>
    </message>
    <message>
        <source>router leitet nicht weiter: %1</source>
        <translation>the router forwards nothing: %1</translation>
    </message>
    <message>
        <source>upnp: frage den router ...</source>
        <translation>upnp: asking the router ...</translation>
    </message>
    <message>
        <source>k: link kopiert</source>
        <translation>k: link copied</translation>
    </message>
    <message>
        <source>k: link kopieren</source>
        <translation>k: copy the link</translation>
    </message>
    <message>
        <source>u: upnp: an</source>
        <translation>u: upnp: on</translation>
    </message>
    <message>
        <source>u: upnp: aus</source>
        <translation>u: upnp: off</translation>
    </message>
    <message>
        <source>wiederholung unvollstaendig</source>
        <translation>replay cut short</translation>
    </message>
    <message>
        <source>wiederholung beschaedigt</source>
        <translation>replay damaged</translation>
    </message>
    <message>
        <source>wiederholung zu gross</source>
        <translation>replay too large</translation>
    </message>
    <message>
        <source>keine wiederholung</source>
        <translation>not a replay</translation>
    </message>
    <message>
        <source>wiederholung der version %1 wird nicht unterstuetzt</source>
        <translation>replays of version %1 are not supported</translation>
    </message>
    <message>
        <source>%1: wiederholung nicht geschrieben (%2)</source>
        <translation>%1: replay not written (%2)</translation>
    </message>
    <message>
        <source>ordner nicht anlegbar</source>
        <translation>folder cannot be made</translation>
    </message>
    <message>
        <source>leertaste</source>
        <translation>space</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>speed</translation>
    </message>
    <message>
        <source>bild auf / ab</source>
        <translation>page up / down</translation>
    </message>
    <message>
        <source>zug davor / danach</source>
        <translation>the turn before / after</translation>
    </message>
    <message>
        <source>dem zug folgen</source>
        <translation>follow the turn</translation>
    </message>
    <message>
        <source>wiederholungen</source>
        <translation>replays</translation>
    </message>
    <message>
        <source>wiederholung waehlen</source>
        <translation>choose a replay</translation>
    </message>
    <message>
        <source>ansehen</source>
        <translation>watch</translation>
    </message>
    <message>
        <source>w: wiederholungen</source>
        <translation>w: replays</translation>
    </message>
    <message>
        <source>nicht beendet</source>
        <translation>not finished</translation>
    </message>
    <message>
        <source>sieger: %1</source>
        <translation>winner: %1</translation>
    </message>
    <message>
        <source>return: ansehen</source>
        <translation>return: watch</translation>
    </message>
    <message>
        <source>wiederholung: zug %1/%2, %3</source>
        <translation>replay: turn %1/%2, %3</translation>
    </message>
    <message>
        <source>, pause</source>
        <translation>, paused</translation>
    </message>
    <message>
        <source>leertaste: pause, +/-: tempo</source>
        <translation>space: pause, +/-: speed</translation>
    </message>
    <message>
        <source>bild auf/ab: zug, f: folgen</source>
        <translation>page up/down: turn, f: follow</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>sprache: </source>
        <translation>language: </translation>
    </message>
    <message>
        <source>sprache der texte</source>
        <translation>language of the texts</translation>
    </message>
    <message>
        <source>training</source>
        <translation>training</translation>
    </message>
    <message>
        <source>tipp: pfeiltasten fahren</source>
        <translation>tip: the arrow keys drive</translation>
    </message>
    <message>
        <source>tipp: return: feuermodus</source>
        <translation>tip: return: fire mode</translation>
    </message>
    <message>
        <source>tipp: links / rechts zielen</source>
        <translation>tip: left / right to aim</translation>
    </message>
    <message>
        <source>tipp: hoch / runter: staerke</source>
        <translation>tip: up / down: strength</translation>
    </message>
    <message>
        <source>tipp: der wind treibt die granate</source>
        <translation>tip: the wind drives the grenade</translation>
    </message>
    <message>
        <source>tipp: return wirft</source>
        <translation>tip: return throws</translation>
    </message>
    <message>
        <source>noch %1 ziele</source>
        <translation>%1 targets left</translation>
    </message>
    <message>
        <source>geschafft: %1 s</source>
        <translation>done: %1 s</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>lost</translation>
    </message>
    <message>
        <source>t: training</source>
        <translation>t: training</translation>
    </message>
</context>
</TS>
