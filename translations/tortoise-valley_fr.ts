<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="de">
<context>
    <name>Game</name>
    <message>
        <source>datei nicht lesbar</source>
        <translation>fichier illisible</translation>
    </message>
    <message>
        <source>keine BMP-datei</source>
        <translation>pas un fichier BMP</translation>
    </message>
    <message>
        <source>dateikopf unvollstaendig</source>
        <translation>en-tête incomplet</translation>
    </message>
    <message>
        <source>dateikopf mit %1 bytes wird nicht unterstuetzt</source>
        <translation>en-tête de %1 octets non pris en charge</translation>
    </message>
    <message>
        <source>%1 bit pro pixel werden nicht unterstuetzt</source>
        <translation>%1 bits par pixel non pris en charge</translation>
    </message>
    <message>
        <source>komprimierte bilder werden nicht unterstuetzt</source>
        <translation>images compressées non prises en charge</translation>
    </message>
    <message>
        <source>ungueltige bildgroesse %1</source>
        <translation>taille d&apos;image invalide %1</translation>
    </message>
    <message>
        <source>bild zu gross (%1)</source>
        <translation>image trop grande (%1)</translation>
    </message>
    <message>
        <source>zu wenig speicher</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>%1 (auch gesucht: %2)</source>
        <translation>%1 (cherché aussi: %2)</translation>
    </message>
    <message>
        <source>Tortoise Valley kann nicht starten: %1</source>
        <translation>Tortoise Valley ne peut pas démarrer: %1</translation>
    </message>
    <message>
        <source>kein OpenGL mit doppelpuffer verfuegbar</source>
        <translation>pas d&apos;OpenGL à double tampon</translation>
    </message>
    <message>
        <source>return:</source>
        <translation>return:</translation>
    </message>
    <message>
        <source>neues spiel</source>
        <translation>nouvelle partie</translation>
    </message>
    <message>
        <source>c: computer: </source>
        <translation>c: ordinateur: </translation>
    </message>
    <message>
        <source>esc: schliesen</source>
        <translation>esc: quitter</translation>
    </message>
    <message>
        <source>wieviele</source>
        <translation>combien de</translation>
    </message>
    <message>
        <source>spieler</source>
        <translation>joueurs</translation>
    </message>
    <message>
        <source>(2 - 9)</source>
        <translation>(2 - 9)</translation>
    </message>
    <message>
        <source>esc: zurueck</source>
        <translation>esc: retour</translation>
    </message>
    <message>
        <source>wieviele figuren</source>
        <translation>combien de pions</translation>
    </message>
    <message>
        <source>pro spieler</source>
        <translation>par joueur</translation>
    </message>
    <message>
        <source>(1 - 9)</source>
        <translation>(1 - 9)</translation>
    </message>
    <message>
        <source>spieler </source>
        <translation>joueur </translation>
    </message>
    <message>
        <source>gewinnt</source>
        <translation>gagne</translation>
    </message>
    <message>
        <source>unentschieden</source>
        <translation>match nul</translation>
    </message>
    <message>
        <source>alle weg</source>
        <translation>plus personne</translation>
    </message>
    <message>
        <source>zum hauptmenue</source>
        <translation>au menu principal</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>facile</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>moyen</translation>
    </message>
    <message>
        <source>schwer</source>
        <translation>difficile</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>non</translation>
    </message>
    <message>
        <source>zum recher</source>
        <translation>prépare-toi</translation>
    </message>
    <message>
        <source>am zug</source>
        <translation>ton tour</translation>
    </message>
    <message>
        <source> sekunden</source>
        <translation> secondes</translation>
    </message>
    <message>
        <source>bis zum zug</source>
        <translation>avant le tour</translation>
    </message>
    <message>
        <source>uebrig</source>
        <translation>restantes</translation>
    </message>
    <message>
        <source>werfen: %1 s</source>
        <translation>lancer: %1 s</translation>
    </message>
    <message>
        <source>richtung: %1</source>
        <translation>direction: %1</translation>
    </message>
    <message>
        <source>hoehe: %1</source>
        <translation>hauteur: %1</translation>
    </message>
    <message>
        <source>staerke: %1</source>
        <translation>force: %1</translation>
    </message>
    <message>
        <source>abschuss</source>
        <translation>tir</translation>
    </message>
    <message>
        <source>feuermodus</source>
        <translation>mode tir</translation>
    </message>
    <message>
        <source>esc:</source>
        <translation>esc:</translation>
    </message>
    <message>
        <source>hauptmenue</source>
        <translation>menu principal</translation>
    </message>
    <message>
        <source>Willkommen</source>
        <translation>bienvenue</translation>
    </message>
    <message>
        <source> ist</source>
        <translation> est</translation>
    </message>
    <message>
        <source>suizidgefaehrdet</source>
        <translation>suicidaire</translation>
    </message>
    <message>
        <source>zeit abgelaufen</source>
        <translation>temps écoulé</translation>
    </message>
    <message>
        <source>begeht selbstmord</source>
        <translation>se suicide</translation>
    </message>
    <message>
        <source>meldet verluste</source>
        <translation>signale des pertes</translation>
    </message>
    <message>
        <source>wird vermisst</source>
        <translation>a disparu</translation>
    </message>
    <message>
        <source>nur noch computer</source>
        <translation>que des ordinateurs</translation>
    </message>
    <message>
        <source>computer zielt</source>
        <translation>l&apos;ordinateur vise</translation>
    </message>
    <message>
        <source>zuschauer</source>
        <translation>spectateur</translation>
    </message>
    <message>
        <source>bis spielende</source>
        <translation>jusqu&apos;à la fin</translation>
    </message>
    <message>
        <source>n: netzwerkspiel</source>
        <translation>n: en réseau</translation>
    </message>
    <message>
        <source>h: spiel eroeffnen</source>
        <translation>h: ouvrir une partie</translation>
    </message>
    <message>
        <source>j: beitreten</source>
        <translation>j: rejoindre</translation>
    </message>
    <message>
        <source>warte auf spieler</source>
        <translation>attente des joueurs</translation>
    </message>
    <message>
        <source> ist beigetreten</source>
        <translation> a rejoint</translation>
    </message>
    <message>
        <source>ist beigetreten</source>
        <translation>a rejoint</translation>
    </message>
    <message>
        <source>spieler %1 ist beigetreten</source>
        <translation>joueur %1 a rejoint</translation>
    </message>
    <message>
        <source> hat das spiel verlassen</source>
        <translation> a quitté la partie</translation>
    </message>
    <message>
        <source>hat das spiel verlassen</source>
        <translation>a quitté la partie</translation>
    </message>
    <message>
        <source>spieler %1 hat das spiel verlassen</source>
        <translation>joueur %1 a quitté la partie</translation>
    </message>
    <message>
        <source>verbindung zum spiel verloren</source>
        <translation>connexion perdue</translation>
    </message>
    <message>
        <source>host nicht gefunden</source>
        <translation>hôte introuvable</translation>
    </message>
    <message>
        <source>verbindung abgelehnt</source>
        <translation>connexion refusée</translation>
    </message>
    <message>
        <source>host antwortet nicht</source>
        <translation>l&apos;hôte ne répond pas</translation>
    </message>
    <message>
        <source>port belegt</source>
        <translation>port occupé</translation>
    </message>
    <message>
        <source>falsche version</source>
        <translation>mauvaise version</translation>
    </message>
    <message>
        <source>kein platz</source>
        <translation>pas de place</translation>
    </message>
    <message>
        <source> ist abwesend, der computer spielt</source>
        <translation> est absent, l&apos;ordinateur joue</translation>
    </message>
    <message>
        <source> ist zurueck</source>
        <translation> est de retour</translation>
    </message>
    <message>
        <source>server voll, bitte spaeter</source>
        <translation>serveur plein, réessayez plus tard</translation>
    </message>
    <message>
        <source>falsches passwort</source>
        <translation>mauvais mot de passe</translation>
    </message>
    <message>
        <source>host beendet das spiel</source>
        <translation>l&apos;hôte a fini la partie</translation>
    </message>
    <message>
        <source>f1: tasten</source>
        <translation>f1: touches</translation>
    </message>
    <message>
        <source>tasten</source>
        <translation>touches</translation>
    </message>
    <message>
        <source>licht</source>
        <translation>lumière</translation>
    </message>
    <message>
        <source>computerstufe</source>
        <translation>niveau ordinateur</translation>
    </message>
    <message>
        <source>netzwerkspiel</source>
        <translation>partie en réseau</translation>
    </message>
    <message>
        <source>spiel beenden</source>
        <translation>quitter</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>n / esc</source>
        <translation>n / esc</translation>
    </message>
    <message>
        <source>nein, zurueck</source>
        <translation>non, retour</translation>
    </message>
    <message>
        <source>spiel verlassen? j / n</source>
        <translation>quitter la partie? j / n</translation>
    </message>
    <message>
        <source>spiel beenden? j / n</source>
        <translation>quitter le jeu? j / n</translation>
    </message>
    <message>
        <source>pause an / aus</source>
        <translation>pause oui / non</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pause</translation>
    </message>
    <message>
        <source>: weiter</source>
        <translation>: continuer</translation>
    </message>
    <message>
        <source>keine zeit mehr zum werfen</source>
        <translation>plus de temps pour lancer</translation>
    </message>
    <message>
        <source>ins aus</source>
        <translation>hors de la vallée</translation>
    </message>
    <message>
        <source> trifft</source>
        <translation> touche</translation>
    </message>
    <message>
        <source>%1 trifft sich selbst: -%2</source>
        <translation>%1 se touche: -%2</translation>
    </message>
    <message>
        <source>%1 trifft %2: -%3</source>
        <translation>%1 touche %2: -%3</translation>
    </message>
    <message>
        <source>p: tempo: </source>
        <translation>p: rythme: </translation>
    </message>
    <message>
        <source>tempo: klassisch, schnell, lang</source>
        <translation>rythme: classique, rapide, long</translation>
    </message>
    <message>
        <source>klassisch 60/45</source>
        <translation>classique 60/45</translation>
    </message>
    <message>
        <source>schnell 30/20</source>
        <translation>rapide 30/20</translation>
    </message>
    <message>
        <source>lang 90/60</source>
        <translation>long 90/60</translation>
    </message>
    <message>
        <source>s: sudden death: </source>
        <translation>s: mort subite: </translation>
    </message>
    <message>
        <source>sudden death: aus, nach 5 oder 10 runden</source>
        <translation>mort subite: non, après 5 ou 10 tours</translation>
    </message>
    <message>
        <source>5 runden</source>
        <translation>5 tours</translation>
    </message>
    <message>
        <source>10 runden</source>
        <translation>10 tours</translation>
    </message>
    <message>
        <source>tempo: schnell</source>
        <translation>rythme: rapide</translation>
    </message>
    <message>
        <source>tempo: lang</source>
        <translation>rythme: long</translation>
    </message>
    <message>
        <source>sudden death nach 5 runden</source>
        <translation>mort subite après 5 tours</translation>
    </message>
    <message>
        <source>sudden death nach 10 runden</source>
        <translation>mort subite après 10 tours</translation>
    </message>
    <message>
        <source>sudden death: jeder zug kostet %1 punkte</source>
        <translation>mort subite: chaque tour coûte %1 points</translation>
    </message>
    <message>
        <source>formen: </source>
        <translation>formes: </translation>
    </message>
    <message>
        <source>formen: jedes team auch an seiner form erkennen</source>
        <translation>formes: chaque équipe a aussi sa forme</translation>
    </message>
    <message>
        <source>aus</source>
        <comment>wind</comment>
        <translation>aucun</translation>
    </message>
    <message>
        <source>leicht</source>
        <comment>wind</comment>
        <translation>léger</translation>
    </message>
    <message>
        <source>stark</source>
        <comment>wind</comment>
        <translation>fort</translation>
    </message>
    <message>
        <source>spiel eroeffnen</source>
        <translation>ouvrir une partie</translation>
    </message>
    <message>
        <source>adresse eingeben</source>
        <translation>taper l&apos;adresse</translation>
    </message>
    <message>
        <source>beitreten</source>
        <translation>rejoindre</translation>
    </message>
    <message>
        <source>zurueck</source>
        <translation>retour</translation>
    </message>
    <message>
        <source>anzahl spieler</source>
        <translation>nombre de joueurs</translation>
    </message>
    <message>
        <source>figuren pro spieler</source>
        <translation>pions par joueur</translation>
    </message>
    <message>
        <source>pfeile</source>
        <translation>flèches</translation>
    </message>
    <message>
        <source>drehen und fahren</source>
        <translation>tourner et rouler</translation>
    </message>
    <message>
        <source>leertaste / strg</source>
        <translation>espace / ctrl</translation>
    </message>
    <message>
        <source>steigen und sinken</source>
        <translation>monter et descendre</translation>
    </message>
    <message>
        <source>links / rechts</source>
        <translation>gauche / droite</translation>
    </message>
    <message>
        <source>wurf drehen</source>
        <translation>tourner le tir</translation>
    </message>
    <message>
        <source>wurf heben und senken</source>
        <translation>lever et baisser le tir</translation>
    </message>
    <message>
        <source>spieler: namen, computer, farben</source>
        <translation>joueurs: noms, ordinateur, couleurs</translation>
    </message>
    <message>
        <source>spieler waehlen</source>
        <translation>choisir un joueur</translation>
    </message>
    <message>
        <source>mensch oder computer</source>
        <translation>humain ou ordinateur</translation>
    </message>
    <message>
        <source>farbe</source>
        <translation>couleur</translation>
    </message>
    <message>
        <source>return / esc</source>
        <translation>return / esc</translation>
    </message>
    <message>
        <source>n: spieler</source>
        <translation>n: joueurs</translation>
    </message>
    <message>
        <source>zufall</source>
        <translation>hasard</translation>
    </message>
    <message>
        <source>n: name, c: mensch / computer, f: farbe</source>
        <translation>n: nom, c: humain / ordinateur, f: couleur</translation>
    </message>
    <message>
        <source>return / esc: zurueck</source>
        <translation>return / esc: retour</translation>
    </message>
    <message>
        <source>menue: %1</source>
        <translation>menu: %1</translation>
    </message>
    <message>
        <source>mensch</source>
        <translation>humain</translation>
    </message>
    <message>
        <source>computer %1</source>
        <translation>ordinateur %1</translation>
    </message>
    <message>
        <source>tuerkis</source>
        <translation>turquoise</translation>
    </message>
    <message>
        <source>rosa</source>
        <translation>rose</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>jaune</translation>
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
        <translation>rose pâle</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>rouge</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>vert</translation>
    </message>
    <message>
        <source>himmelblau</source>
        <translation>bleu ciel</translation>
    </message>
    <message>
        <source>hoch / runter</source>
        <translation>haut / bas</translation>
    </message>
    <message>
        <source>staerke</source>
        <translation>force</translation>
    </message>
    <message>
        <source>spiel verlassen</source>
        <translation>quitter la partie</translation>
    </message>
    <message>
        <source>blick hinter die figur</source>
        <translation>vue derrière le pion</translation>
    </message>
    <message>
        <source>blick entlang des wurfs</source>
        <translation>vue le long du tir</translation>
    </message>
    <message>
        <source>naechster gegner</source>
        <translation>ennemi suivant</translation>
    </message>
    <message>
        <source>maus</source>
        <translation>souris</translation>
    </message>
    <message>
        <source>kamera drehen</source>
        <translation>tourner la caméra</translation>
    </message>
    <message>
        <source>mausrad</source>
        <translation>molette</translation>
    </message>
    <message>
        <source>zoomen</source>
        <translation>zoomer</translation>
    </message>
    <message>
        <source>mittlere taste</source>
        <translation>bouton du milieu</translation>
    </message>
    <message>
        <source>blick der figur</source>
        <translation>vue du pion</translation>
    </message>
    <message>
        <source>ton an / aus</source>
        <translation>son oui / non</translation>
    </message>
    <message>
        <source>vollbild</source>
        <translation>plein écran</translation>
    </message>
    <message>
        <source>diese hilfe</source>
        <translation>cette aide</translation>
    </message>
    <message>
        <source>du spielst spieler </source>
        <translation>tu es le joueur </translation>
    </message>
    <message>
        <source>sagen: </source>
        <translation>dire: </translation>
    </message>
    <message>
        <source>name eingeben</source>
        <translation>taper ton nom</translation>
    </message>
    <message>
        <source>nachricht schreiben</source>
        <translation>écrire un message</translation>
    </message>
    <message>
        <source>tab halten</source>
        <translation>tenir tab</translation>
    </message>
    <message>
        <source>wer spielt mit</source>
        <translation>qui joue</translation>
    </message>
    <message>
        <source>zu viele nachrichten, eine ging verloren</source>
        <translation>trop de messages, un est perdu</translation>
    </message>
    <message>
        <source>n: name: </source>
        <translation>n: nom: </translation>
    </message>
    <message>
        <source>n: name</source>
        <translation>n: nom</translation>
    </message>
    <message>
        <source>passwort eingeben</source>
        <translation>taper le mot de passe</translation>
    </message>
    <message>
        <source>p: passwort: </source>
        <translation>p: mot de passe: </translation>
    </message>
    <message>
        <source>p: passwort</source>
        <translation>p: mot de passe</translation>
    </message>
    <message>
        <source>wieder beitreten</source>
        <translation>rejoindre encore</translation>
    </message>
    <message>
        <source>r: wieder beitreten: </source>
        <translation>r: rejoindre encore: </translation>
    </message>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>adresse</source>
        <translation>adresse</translation>
    </message>
    <message>
        <source>ping</source>
        <translation>ping</translation>
    </message>
    <message>
        <source> (du)</source>
        <translation> (toi)</translation>
    </message>
    <message>
        <source>host</source>
        <translation>hôte</translation>
    </message>
    <message>
        <source>tal nummer %1</source>
        <translation>vallée numéro %1</translation>
    </message>
    <message>
        <source>tal: %1</source>
        <translation>vallée: %1</translation>
    </message>
    <message>
        <source>wind: leicht</source>
        <translation>vent: léger</translation>
    </message>
    <message>
        <source>wind: stark</source>
        <translation>vent: fort</translation>
    </message>
    <message>
        <source>waffen: alle</source>
        <translation>armes: toutes</translation>
    </message>
    <message>
        <source>zufall %1</source>
        <translation>hasard %1</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>standard</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>fort</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>toutes</translation>
    </message>
    <message>
        <source>wind %1</source>
        <translation>vent %1</translation>
    </message>
    <message>
        <source>granate</source>
        <translation>grenade</translation>
    </message>
    <message>
        <source>return: starten</source>
        <translation>return: démarrer</translation>
    </message>
    <message>
        <source>t: tal: </source>
        <translation>t: vallée: </translation>
    </message>
    <message>
        <source>z: neue zahl, 0 - 9: zahl</source>
        <translation>z: nouveau nombre, 0 - 9: nombre</translation>
    </message>
    <message>
        <source>w: wind: </source>
        <translation>w: vent: </translation>
    </message>
    <message>
        <source>a: waffen: </source>
        <translation>a: armes: </translation>
    </message>
    <message>
        <source>spiel starten</source>
        <translation>lancer la partie</translation>
    </message>
    <message>
        <source>tal: standard, zufall, eigene bilder</source>
        <translation>vallée: standard, hasard, vos images</translation>
    </message>
    <message>
        <source>neue talnummer</source>
        <translation>nouveau numéro</translation>
    </message>
    <message>
        <source>talnummer eintippen</source>
        <translation>taper un numéro</translation>
    </message>
    <message>
        <source>wind: aus, leicht, stark</source>
        <translation>vent: aucun, léger, fort</translation>
    </message>
    <message>
        <source>waffen: granate, alle</source>
        <translation>armes: grenade, toutes</translation>
    </message>
    <message>
        <source>streubombe</source>
        <translation>bombe grappe</translation>
    </message>
    <message>
        <source>grossgranate</source>
        <translation>gros obus</translation>
    </message>
    <message>
        <source>buddler</source>
        <translation>fouisseur</translation>
    </message>
    <message>
        <source>huepfgranate</source>
        <translation>rebondisseuse</translation>
    </message>
    <message>
        <source>waffe</source>
        <translation>arme</translation>
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
        <translation>nuit</translation>
    </message>
    <message>
        <source>klassisch</source>
        <translation>classique</translation>
    </message>
    <message>
        <source>hell</source>
        <translation>clair</translation>
    </message>
    <message>
        <source>dreht immer</source>
        <translation>tourne toujours</translation>
    </message>
    <message>
        <source>nur mit rechter taste</source>
        <translation>seulement bouton droit</translation>
    </message>
    <message>
        <source>licht: </source>
        <translation>lumière: </translation>
    </message>
    <message>
        <source>licht: nacht, klassisch, hell</source>
        <translation>lumière: nuit, classique, clair</translation>
    </message>
    <message>
        <source>maus: </source>
        <translation>souris: </translation>
    </message>
    <message>
        <source>maus: dreht immer, nur mit rechter taste</source>
        <translation>souris: tourne toujours, seulement bouton droit</translation>
    </message>
    <message>
        <source>effekte: </source>
        <translation>effets: </translation>
    </message>
    <message>
        <source>effekte leiser, lauter</source>
        <translation>effets moins fort, plus fort</translation>
    </message>
    <message>
        <source>musik: </source>
        <translation>musique: </translation>
    </message>
    <message>
        <source>musik leiser, lauter</source>
        <translation>musique moins fort, plus fort</translation>
    </message>
    <message>
        <source>vollbild: </source>
        <translation>plein écran: </translation>
    </message>
    <message>
        <source>vollbild an / aus</source>
        <translation>plein écran oui / non</translation>
    </message>
    <message>
        <source>an</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>aufloesung: </source>
        <translation>résolution: </translation>
    </message>
    <message>
        <source>aufloesung: auto, 100 % bis 25 %</source>
        <translation>résolution: auto, 100 % à 25 %</translation>
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
        <translation>o / esc: retour</translation>
    </message>
    <message>
        <source>rechte taste + maus</source>
        <translation>bouton droit + souris</translation>
    </message>
    <message>
        <source>wie zuletzt</source>
        <translation>comme la dernière fois</translation>
    </message>
    <message>
        <source>return: %1</source>
        <translation>return: %1</translation>
    </message>
    <message>
        <source>l: spiele im netz</source>
        <translation>l: parties du réseau</translation>
    </message>
    <message>
        <source>spiele im netz</source>
        <translation>parties du réseau</translation>
    </message>
    <message>
        <source>keine gefunden</source>
        <translation>aucune trouvée</translation>
    </message>
    <message>
        <source>andere version: %1</source>
        <translation>autre version: %1</translation>
    </message>
    <message>
        <source>return: beitreten, s: neu suchen</source>
        <translation>return: rejoindre, s: chercher encore</translation>
    </message>
    <message>
        <source>spiel waehlen</source>
        <translation>choisir une partie</translation>
    </message>
    <message>
        <source>neu suchen</source>
        <translation>chercher encore</translation>
    </message>
    <message>
        <source>s: statistik</source>
        <translation>s: statistiques</translation>
    </message>
    <message>
        <source>statistik / sieger</source>
        <translation>statistiques / gagnant</translation>
    </message>
    <message>
        <source>s: sieger</source>
        <translation>s: gagnant</translation>
    </message>
    <message>
        <source>return: zum hauptmenue</source>
        <translation>return: au menu principal</translation>
    </message>
    <message>
        <source>esc: spiel verlassen</source>
        <translation>esc: quitter la partie</translation>
    </message>
    <message>
        <source>statistik</source>
        <translation>statistiques</translation>
    </message>
    <message>
        <source>ausgeteilt</source>
        <translation>infligés</translation>
    </message>
    <message>
        <source>eingesteckt</source>
        <translation>reçus</translation>
    </message>
    <message>
        <source>selbst</source>
        <translation>soi-même</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>perdus</translation>
    </message>
    <message>
        <source>bester wurf</source>
        <translation>meilleur tir</translation>
    </message>
    <message>
        <source>%1 (zug %2)</source>
        <translation>%1 (tour %2)</translation>
    </message>
    <message>
        <source>lebenspunkte</source>
        <translation>points de vie</translation>
    </message>
    <message>
        <source>zug</source>
        <translation>tour</translation>
    </message>
    <message>
        <source>ende</source>
        <translation>fin</translation>
    </message>
    <message>
        <source>einladungslink kopieren</source>
        <translation>copier le lien d&apos;invitation</translation>
    </message>
    <message>
        <source>upnp: router leitet den port weiter, an / aus</source>
        <translation>upnp: le routeur redirige le port, oui / non</translation>
    </message>
    <message>
        <source>erreichbar unter %1</source>
        <translation>joignable à %1</translation>
    </message>
    <message>
        <source>erreichbar unter %1, router erneuert nicht</source>
        <translation>joignable à %1, le routeur ne renouvelle pas</translation>
    </message>
    <message>
        <source>kein router fuer upnp gefunden</source>
        <translation>aucun routeur upnp trouvé</translation>
    </message>
    <message>
        <source>dieses spiel ist ohne upnp gebaut</source>
        <translation>ce jeu est construit sans upnp</translation>
    </message>
    <message>
        <source>router leitet nicht weiter: %1</source>
        <translation>le routeur ne redirige rien: %1</translation>
    </message>
    <message>
        <source>upnp: frage den router ...</source>
        <translation>upnp: demande au routeur ...</translation>
    </message>
    <message>
        <source>k: link kopiert</source>
        <translation>k: lien copié</translation>
    </message>
    <message>
        <source>k: link kopieren</source>
        <translation>k: copier le lien</translation>
    </message>
    <message>
        <source>u: upnp: an</source>
        <translation>u: upnp: oui</translation>
    </message>
    <message>
        <source>u: upnp: aus</source>
        <translation>u: upnp: non</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automatique</translation>
    </message>
    <message>
        <source>sprache: </source>
        <translation>langue: </translation>
    </message>
    <message>
        <source>sprache der texte</source>
        <translation>langue des textes</translation>
    </message>
    <message>
        <source>wiederholung unvollstaendig</source>
        <translation>rediffusion incomplète</translation>
    </message>
    <message>
        <source>wiederholung beschaedigt</source>
        <translation>rediffusion endommagée</translation>
    </message>
    <message>
        <source>wiederholung zu gross</source>
        <translation>rediffusion trop grande</translation>
    </message>
    <message>
        <source>keine wiederholung</source>
        <translation>pas une rediffusion</translation>
    </message>
    <message>
        <source>wiederholung der version %1 wird nicht unterstuetzt</source>
        <translation>rediffusions de la version %1 non prises en charge</translation>
    </message>
    <message>
        <source>%1: wiederholung nicht geschrieben (%2)</source>
        <translation>%1: rediffusion non écrite (%2)</translation>
    </message>
    <message>
        <source>ordner nicht anlegbar</source>
        <translation>dossier impossible à créer</translation>
    </message>
    <message>
        <source>leertaste</source>
        <translation>espace</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>vitesse</translation>
    </message>
    <message>
        <source>bild auf / ab</source>
        <translation>page préc. / suiv.</translation>
    </message>
    <message>
        <source>zug davor / danach</source>
        <translation>tour d&apos;avant / d&apos;après</translation>
    </message>
    <message>
        <source>dem zug folgen</source>
        <translation>suivre le tour</translation>
    </message>
    <message>
        <source>wiederholungen</source>
        <translation>rediffusions</translation>
    </message>
    <message>
        <source>wiederholung waehlen</source>
        <translation>choisir une rediffusion</translation>
    </message>
    <message>
        <source>ansehen</source>
        <translation>regarder</translation>
    </message>
    <message>
        <source>w: wiederholungen</source>
        <translation>w: rediffusions</translation>
    </message>
    <message>
        <source>nicht beendet</source>
        <translation>pas terminée</translation>
    </message>
    <message>
        <source>sieger: %1</source>
        <translation>vainqueur: %1</translation>
    </message>
    <message>
        <source>return: ansehen</source>
        <translation>return: regarder</translation>
    </message>
    <message>
        <source>wiederholung: zug %1/%2, %3</source>
        <translation>rediffusion: tour %1/%2, %3</translation>
    </message>
    <message>
        <source>, pause</source>
        <translation>, pause</translation>
    </message>
    <message>
        <source>leertaste: pause, +/-: tempo</source>
        <translation>espace: pause, +/-: vitesse</translation>
    </message>
    <message>
        <source>bild auf/ab: zug, f: folgen</source>
        <translation>page préc./suiv.: tour, f: suivre</translation>
    </message>
    <message>
        <source>training</source>
        <translation>entraînement</translation>
    </message>
    <message>
        <source>tipp: pfeiltasten fahren</source>
        <translation>astuce: les flèches roulent</translation>
    </message>
    <message>
        <source>tipp: return: feuermodus</source>
        <translation>astuce: return: mode tir</translation>
    </message>
    <message>
        <source>tipp: links / rechts zielen</source>
        <translation>astuce: gauche / droite pour viser</translation>
    </message>
    <message>
        <source>tipp: hoch / runter: staerke</source>
        <translation>astuce: haut / bas: force</translation>
    </message>
    <message>
        <source>tipp: der wind treibt die granate</source>
        <translation>astuce: le vent pousse la grenade</translation>
    </message>
    <message>
        <source>tipp: return wirft</source>
        <translation>astuce: return lance</translation>
    </message>
    <message>
        <source>noch %1 ziele</source>
        <translation>encore %1 cibles</translation>
    </message>
    <message>
        <source>geschafft: %1 s</source>
        <translation>réussi: %1 s</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>perdu</translation>
    </message>
    <message>
        <source>t: training</source>
        <translation>t: exercice</translation>
    </message>
</context>
</TS>
