<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="de">
<context>
    <name>Game</name>
    <message>
        <source>datei nicht lesbar</source>
        <translation>archivo ilegible</translation>
    </message>
    <message>
        <source>keine BMP-datei</source>
        <translation>no es un archivo BMP</translation>
    </message>
    <message>
        <source>dateikopf unvollstaendig</source>
        <translation>cabecera incompleta</translation>
    </message>
    <message>
        <source>dateikopf mit %1 bytes wird nicht unterstuetzt</source>
        <translation>cabecera de %1 bytes no soportada</translation>
    </message>
    <message>
        <source>%1 bit pro pixel werden nicht unterstuetzt</source>
        <translation>%1 bits por píxel no soportados</translation>
    </message>
    <message>
        <source>komprimierte bilder werden nicht unterstuetzt</source>
        <translation>imágenes comprimidas no soportadas</translation>
    </message>
    <message>
        <source>ungueltige bildgroesse %1</source>
        <translation>tamaño de imagen inválido %1</translation>
    </message>
    <message>
        <source>bild zu gross (%1)</source>
        <translation>imagen demasiado grande (%1)</translation>
    </message>
    <message>
        <source>zu wenig speicher</source>
        <translation>memoria insuficiente</translation>
    </message>
    <message>
        <source>%1 (auch gesucht: %2)</source>
        <translation>%1 (también buscado: %2)</translation>
    </message>
    <message>
        <source>Tortoise Valley kann nicht starten: %1</source>
        <translation>Tortoise Valley no puede arrancar: %1</translation>
    </message>
    <message>
        <source>kein OpenGL mit doppelpuffer verfuegbar</source>
        <translation>no hay OpenGL con doble búfer</translation>
    </message>
    <message>
        <source>return:</source>
        <translation>return:</translation>
    </message>
    <message>
        <source>neues spiel</source>
        <translation>nueva partida</translation>
    </message>
    <message>
        <source>c: computer: </source>
        <translation>c: ordenador: </translation>
    </message>
    <message>
        <source>esc: schliesen</source>
        <translation>esc: salir</translation>
    </message>
    <message>
        <source>wieviele</source>
        <translation>cuántos</translation>
    </message>
    <message>
        <source>spieler</source>
        <translation>jugadores</translation>
    </message>
    <message>
        <source>(2 - 9)</source>
        <translation>(2 - 9)</translation>
    </message>
    <message>
        <source>esc: zurueck</source>
        <translation>esc: atrás</translation>
    </message>
    <message>
        <source>wieviele figuren</source>
        <translation>cuántas figuras</translation>
    </message>
    <message>
        <source>pro spieler</source>
        <translation>por jugador</translation>
    </message>
    <message>
        <source>(1 - 9)</source>
        <translation>(1 - 9)</translation>
    </message>
    <message>
        <source>spieler </source>
        <translation>jugador </translation>
    </message>
    <message>
        <source>gewinnt</source>
        <translation>gana</translation>
    </message>
    <message>
        <source>unentschieden</source>
        <translation>empate</translation>
    </message>
    <message>
        <source>alle weg</source>
        <translation>no queda nadie</translation>
    </message>
    <message>
        <source>zum hauptmenue</source>
        <translation>al menú principal</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>fácil</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>medio</translation>
    </message>
    <message>
        <source>schwer</source>
        <translation>difícil</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>no</translation>
    </message>
    <message>
        <source>zum recher</source>
        <translation>prepárate</translation>
    </message>
    <message>
        <source>am zug</source>
        <translation>tu turno</translation>
    </message>
    <message>
        <source> sekunden</source>
        <translation> segundos</translation>
    </message>
    <message>
        <source>bis zum zug</source>
        <translation>para tu turno</translation>
    </message>
    <message>
        <source>uebrig</source>
        <translation>restantes</translation>
    </message>
    <message>
        <source>werfen: %1 s</source>
        <translation>lanzar: %1 s</translation>
    </message>
    <message>
        <source>richtung: %1</source>
        <translation>dirección: %1</translation>
    </message>
    <message>
        <source>hoehe: %1</source>
        <translation>altura: %1</translation>
    </message>
    <message>
        <source>staerke: %1</source>
        <translation>fuerza: %1</translation>
    </message>
    <message>
        <source>abschuss</source>
        <translation>disparo</translation>
    </message>
    <message>
        <source>feuermodus</source>
        <translation>modo disparo</translation>
    </message>
    <message>
        <source>esc:</source>
        <translation>esc:</translation>
    </message>
    <message>
        <source>hauptmenue</source>
        <translation>menú principal</translation>
    </message>
    <message>
        <source>Willkommen</source>
        <translation>bienvenido</translation>
    </message>
    <message>
        <source> ist</source>
        <translation> está</translation>
    </message>
    <message>
        <source>suizidgefaehrdet</source>
        <translation>con ganas de morir</translation>
    </message>
    <message>
        <source>zeit abgelaufen</source>
        <translation>se acabó el tiempo</translation>
    </message>
    <message>
        <source>begeht selbstmord</source>
        <translation>se suicida</translation>
    </message>
    <message>
        <source>meldet verluste</source>
        <translation>informa de bajas</translation>
    </message>
    <message>
        <source>wird vermisst</source>
        <translation>ha desaparecido</translation>
    </message>
    <message>
        <source>nur noch computer</source>
        <translation>solo ordenadores</translation>
    </message>
    <message>
        <source>computer zielt</source>
        <translation>el ordenador apunta</translation>
    </message>
    <message>
        <source>zuschauer</source>
        <translation>espectador</translation>
    </message>
    <message>
        <source>bis spielende</source>
        <translation>hasta el final</translation>
    </message>
    <message>
        <source>n: netzwerkspiel</source>
        <translation>n: en red</translation>
    </message>
    <message>
        <source>h: spiel eroeffnen</source>
        <translation>h: abrir partida</translation>
    </message>
    <message>
        <source>j: beitreten</source>
        <translation>j: unirse</translation>
    </message>
    <message>
        <source>warte auf spieler</source>
        <translation>esperando jugadores</translation>
    </message>
    <message>
        <source> ist beigetreten</source>
        <translation> se ha unido</translation>
    </message>
    <message>
        <source>ist beigetreten</source>
        <translation>se ha unido</translation>
    </message>
    <message>
        <source>spieler %1 ist beigetreten</source>
        <translation>jugador %1 se ha unido</translation>
    </message>
    <message>
        <source> hat das spiel verlassen</source>
        <translation> ha dejado la partida</translation>
    </message>
    <message>
        <source>hat das spiel verlassen</source>
        <translation>ha dejado la partida</translation>
    </message>
    <message>
        <source>spieler %1 hat das spiel verlassen</source>
        <translation>jugador %1 ha dejado la partida</translation>
    </message>
    <message>
        <source>verbindung zum spiel verloren</source>
        <translation>conexión perdida</translation>
    </message>
    <message>
        <source>host nicht gefunden</source>
        <translation>host no encontrado</translation>
    </message>
    <message>
        <source>verbindung abgelehnt</source>
        <translation>conexión rechazada</translation>
    </message>
    <message>
        <source>host antwortet nicht</source>
        <translation>el host no responde</translation>
    </message>
    <message>
        <source>port belegt</source>
        <translation>puerto ocupado</translation>
    </message>
    <message>
        <source>falsche version</source>
        <translation>versión incorrecta</translation>
    </message>
    <message>
        <source>kein platz</source>
        <translation>no hay sitio</translation>
    </message>
    <message>
        <source> ist abwesend, der computer spielt</source>
        <translation> está ausente, juega el ordenador</translation>
    </message>
    <message>
        <source> ist zurueck</source>
        <translation> ha vuelto</translation>
    </message>
    <message>
        <source>server voll, bitte spaeter</source>
        <translation>servidor lleno, prueba más tarde</translation>
    </message>
    <message>
        <source>falsches passwort</source>
        <translation>contraseña incorrecta</translation>
    </message>
    <message>
        <source>host beendet das spiel</source>
        <translation>el host terminó la partida</translation>
    </message>
    <message>
        <source>f1: tasten</source>
        <translation>f1: teclas</translation>
    </message>
    <message>
        <source>tasten</source>
        <translation>teclas</translation>
    </message>
    <message>
        <source>licht</source>
        <translation>luz</translation>
    </message>
    <message>
        <source>computerstufe</source>
        <translation>nivel del ordenador</translation>
    </message>
    <message>
        <source>netzwerkspiel</source>
        <translation>partida en red</translation>
    </message>
    <message>
        <source>spiel beenden</source>
        <translation>salir</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>n / esc</source>
        <translation>n / esc</translation>
    </message>
    <message>
        <source>nein, zurueck</source>
        <translation>no, atrás</translation>
    </message>
    <message>
        <source>spiel verlassen? j / n</source>
        <translation>¿dejar la partida? j / n</translation>
    </message>
    <message>
        <source>spiel beenden? j / n</source>
        <translation>¿salir del juego? j / n</translation>
    </message>
    <message>
        <source>pause an / aus</source>
        <translation>pausa sí / no</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pausa</translation>
    </message>
    <message>
        <source>: weiter</source>
        <translation>: seguir</translation>
    </message>
    <message>
        <source>keine zeit mehr zum werfen</source>
        <translation>no queda tiempo para lanzar</translation>
    </message>
    <message>
        <source>ins aus</source>
        <translation>fuera del valle</translation>
    </message>
    <message>
        <source> trifft</source>
        <translation> alcanza a</translation>
    </message>
    <message>
        <source>%1 trifft sich selbst: -%2</source>
        <translation>%1 se alcanza: -%2</translation>
    </message>
    <message>
        <source>%1 trifft %2: -%3</source>
        <translation>%1 alcanza a %2: -%3</translation>
    </message>
    <message>
        <source>p: tempo: </source>
        <translation>p: ritmo: </translation>
    </message>
    <message>
        <source>tempo: klassisch, schnell, lang</source>
        <translation>ritmo: clásico, rápido, largo</translation>
    </message>
    <message>
        <source>klassisch 60/45</source>
        <translation>clásico 60/45</translation>
    </message>
    <message>
        <source>schnell 30/20</source>
        <translation>rápido 30/20</translation>
    </message>
    <message>
        <source>lang 90/60</source>
        <translation>largo 90/60</translation>
    </message>
    <message>
        <source>s: sudden death: </source>
        <translation>s: muerte súbita: </translation>
    </message>
    <message>
        <source>sudden death: aus, nach 5 oder 10 runden</source>
        <translation>muerte súbita: no, tras 5 o 10 rondas</translation>
    </message>
    <message>
        <source>5 runden</source>
        <translation>5 rondas</translation>
    </message>
    <message>
        <source>10 runden</source>
        <translation>10 rondas</translation>
    </message>
    <message>
        <source>tempo: schnell</source>
        <translation>ritmo: rápido</translation>
    </message>
    <message>
        <source>tempo: lang</source>
        <translation>ritmo: largo</translation>
    </message>
    <message>
        <source>sudden death nach 5 runden</source>
        <translation>muerte súbita tras 5 rondas</translation>
    </message>
    <message>
        <source>sudden death nach 10 runden</source>
        <translation>muerte súbita tras 10 rondas</translation>
    </message>
    <message>
        <source>sudden death: jeder zug kostet %1 punkte</source>
        <translation>muerte súbita: cada turno cuesta %1 puntos</translation>
    </message>
    <message>
        <source>formen: </source>
        <translation>formas: </translation>
    </message>
    <message>
        <source>formen: jedes team auch an seiner form erkennen</source>
        <translation>formas: cada equipo también por su forma</translation>
    </message>
    <message>
        <source>aus</source>
        <comment>wind</comment>
        <translation>no</translation>
    </message>
    <message>
        <source>leicht</source>
        <comment>wind</comment>
        <translation>suave</translation>
    </message>
    <message>
        <source>stark</source>
        <comment>wind</comment>
        <translation>fuerte</translation>
    </message>
    <message>
        <source>spiel eroeffnen</source>
        <translation>abrir partida</translation>
    </message>
    <message>
        <source>adresse eingeben</source>
        <translation>escribe la dirección</translation>
    </message>
    <message>
        <source>beitreten</source>
        <translation>unirse</translation>
    </message>
    <message>
        <source>zurueck</source>
        <translation>atrás</translation>
    </message>
    <message>
        <source>anzahl spieler</source>
        <translation>número de jugadores</translation>
    </message>
    <message>
        <source>figuren pro spieler</source>
        <translation>figuras por jugador</translation>
    </message>
    <message>
        <source>pfeile</source>
        <translation>flechas</translation>
    </message>
    <message>
        <source>drehen und fahren</source>
        <translation>girar y avanzar</translation>
    </message>
    <message>
        <source>leertaste / strg</source>
        <translation>espacio / ctrl</translation>
    </message>
    <message>
        <source>steigen und sinken</source>
        <translation>subir y bajar</translation>
    </message>
    <message>
        <source>links / rechts</source>
        <translation>izquierda / derecha</translation>
    </message>
    <message>
        <source>wurf drehen</source>
        <translation>girar el tiro</translation>
    </message>
    <message>
        <source>wurf heben und senken</source>
        <translation>subir y bajar el tiro</translation>
    </message>
    <message>
        <source>spieler: namen, computer, farben</source>
        <translation>jugadores: nombres, ordenador, colores</translation>
    </message>
    <message>
        <source>spieler waehlen</source>
        <translation>elegir jugador</translation>
    </message>
    <message>
        <source>mensch oder computer</source>
        <translation>persona u ordenador</translation>
    </message>
    <message>
        <source>farbe</source>
        <translation>color</translation>
    </message>
    <message>
        <source>return / esc</source>
        <translation>return / esc</translation>
    </message>
    <message>
        <source>n: spieler</source>
        <translation>n: jugadores</translation>
    </message>
    <message>
        <source>zufall</source>
        <translation>azar</translation>
    </message>
    <message>
        <source>n: name, c: mensch / computer, f: farbe</source>
        <translation>n: nombre, c: persona / ordenador, f: color</translation>
    </message>
    <message>
        <source>return / esc: zurueck</source>
        <translation>return / esc: atrás</translation>
    </message>
    <message>
        <source>menue: %1</source>
        <translation>menú: %1</translation>
    </message>
    <message>
        <source>mensch</source>
        <translation>persona</translation>
    </message>
    <message>
        <source>computer %1</source>
        <translation>ordenador %1</translation>
    </message>
    <message>
        <source>tuerkis</source>
        <translation>turquesa</translation>
    </message>
    <message>
        <source>rosa</source>
        <translation>rosa</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>amarillo</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>naranja</translation>
    </message>
    <message>
        <source>violett</source>
        <translation>violeta</translation>
    </message>
    <message>
        <source>hellrosa</source>
        <translation>rosa claro</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>rojo</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>verde</translation>
    </message>
    <message>
        <source>himmelblau</source>
        <translation>celeste</translation>
    </message>
    <message>
        <source>hoch / runter</source>
        <translation>arriba / abajo</translation>
    </message>
    <message>
        <source>staerke</source>
        <translation>fuerza</translation>
    </message>
    <message>
        <source>spiel verlassen</source>
        <translation>dejar la partida</translation>
    </message>
    <message>
        <source>blick hinter die figur</source>
        <translation>vista tras la figura</translation>
    </message>
    <message>
        <source>blick entlang des wurfs</source>
        <translation>vista a lo largo del tiro</translation>
    </message>
    <message>
        <source>naechster gegner</source>
        <translation>siguiente enemigo</translation>
    </message>
    <message>
        <source>maus</source>
        <translation>ratón</translation>
    </message>
    <message>
        <source>kamera drehen</source>
        <translation>girar la cámara</translation>
    </message>
    <message>
        <source>mausrad</source>
        <translation>rueda</translation>
    </message>
    <message>
        <source>zoomen</source>
        <translation>zoom</translation>
    </message>
    <message>
        <source>mittlere taste</source>
        <translation>botón central</translation>
    </message>
    <message>
        <source>blick der figur</source>
        <translation>vista de la figura</translation>
    </message>
    <message>
        <source>ton an / aus</source>
        <translation>sonido sí / no</translation>
    </message>
    <message>
        <source>vollbild</source>
        <translation>pantalla completa</translation>
    </message>
    <message>
        <source>diese hilfe</source>
        <translation>esta ayuda</translation>
    </message>
    <message>
        <source>du spielst spieler </source>
        <translation>eres el jugador </translation>
    </message>
    <message>
        <source>sagen: </source>
        <translation>decir: </translation>
    </message>
    <message>
        <source>name eingeben</source>
        <translation>escribe tu nombre</translation>
    </message>
    <message>
        <source>nachricht schreiben</source>
        <translation>escribir un mensaje</translation>
    </message>
    <message>
        <source>tab halten</source>
        <translation>mantén tab</translation>
    </message>
    <message>
        <source>wer spielt mit</source>
        <translation>quién juega</translation>
    </message>
    <message>
        <source>zu viele nachrichten, eine ging verloren</source>
        <translation>demasiados mensajes, se perdió uno</translation>
    </message>
    <message>
        <source>n: name: </source>
        <translation>n: nombre: </translation>
    </message>
    <message>
        <source>n: name</source>
        <translation>n: nombre</translation>
    </message>
    <message>
        <source>passwort eingeben</source>
        <translation>escribe la contraseña</translation>
    </message>
    <message>
        <source>p: passwort: </source>
        <translation>p: contraseña: </translation>
    </message>
    <message>
        <source>p: passwort</source>
        <translation>p: contraseña</translation>
    </message>
    <message>
        <source>wieder beitreten</source>
        <translation>volver a unirse</translation>
    </message>
    <message>
        <source>r: wieder beitreten: </source>
        <translation>r: volver a unirse: </translation>
    </message>
    <message>
        <source>name</source>
        <translation>nombre</translation>
    </message>
    <message>
        <source>adresse</source>
        <translation>dirección</translation>
    </message>
    <message>
        <source>ping</source>
        <translation>ping</translation>
    </message>
    <message>
        <source> (du)</source>
        <translation> (tú)</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>tal nummer %1</source>
        <translation>valle número %1</translation>
    </message>
    <message>
        <source>tal: %1</source>
        <translation>valle: %1</translation>
    </message>
    <message>
        <source>wind: leicht</source>
        <translation>viento: suave</translation>
    </message>
    <message>
        <source>wind: stark</source>
        <translation>viento: fuerte</translation>
    </message>
    <message>
        <source>waffen: alle</source>
        <translation>armas: todas</translation>
    </message>
    <message>
        <source>zufall %1</source>
        <translation>azar %1</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>estándar</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>fuerte</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>todas</translation>
    </message>
    <message>
        <source>wind %1</source>
        <translation>viento %1</translation>
    </message>
    <message>
        <source>granate</source>
        <translation>granada</translation>
    </message>
    <message>
        <source>return: starten</source>
        <translation>return: empezar</translation>
    </message>
    <message>
        <source>t: tal: </source>
        <translation>t: valle: </translation>
    </message>
    <message>
        <source>z: neue zahl, 0 - 9: zahl</source>
        <translation>z: nuevo número, 0 - 9: número</translation>
    </message>
    <message>
        <source>w: wind: </source>
        <translation>w: viento: </translation>
    </message>
    <message>
        <source>a: waffen: </source>
        <translation>a: armas: </translation>
    </message>
    <message>
        <source>spiel starten</source>
        <translation>empezar la partida</translation>
    </message>
    <message>
        <source>tal: standard, zufall, eigene bilder</source>
        <translation>valle: estándar, azar, imágenes propias</translation>
    </message>
    <message>
        <source>neue talnummer</source>
        <translation>nuevo número de valle</translation>
    </message>
    <message>
        <source>talnummer eintippen</source>
        <translation>escribe un número de valle</translation>
    </message>
    <message>
        <source>wind: aus, leicht, stark</source>
        <translation>viento: no, suave, fuerte</translation>
    </message>
    <message>
        <source>waffen: granate, alle</source>
        <translation>armas: granada, todas</translation>
    </message>
    <message>
        <source>streubombe</source>
        <translation>bomba racimo</translation>
    </message>
    <message>
        <source>grossgranate</source>
        <translation>obús pesado</translation>
    </message>
    <message>
        <source>buddler</source>
        <translation>excavadora</translation>
    </message>
    <message>
        <source>huepfgranate</source>
        <translation>saltarina</translation>
    </message>
    <message>
        <source>waffe</source>
        <translation>arma</translation>
    </message>
    <message>
        <source>optionen</source>
        <translation>opciones</translation>
    </message>
    <message>
        <source>o / esc</source>
        <translation>o / esc</translation>
    </message>
    <message>
        <source>nacht</source>
        <translation>noche</translation>
    </message>
    <message>
        <source>klassisch</source>
        <translation>clásica</translation>
    </message>
    <message>
        <source>hell</source>
        <translation>clara</translation>
    </message>
    <message>
        <source>dreht immer</source>
        <translation>gira siempre</translation>
    </message>
    <message>
        <source>nur mit rechter taste</source>
        <translation>solo con botón derecho</translation>
    </message>
    <message>
        <source>licht: </source>
        <translation>luz: </translation>
    </message>
    <message>
        <source>licht: nacht, klassisch, hell</source>
        <translation>luz: noche, clásica, clara</translation>
    </message>
    <message>
        <source>maus: </source>
        <translation>ratón: </translation>
    </message>
    <message>
        <source>maus: dreht immer, nur mit rechter taste</source>
        <translation>ratón: gira siempre, solo con botón derecho</translation>
    </message>
    <message>
        <source>effekte: </source>
        <translation>efectos: </translation>
    </message>
    <message>
        <source>effekte leiser, lauter</source>
        <translation>efectos más bajo, más alto</translation>
    </message>
    <message>
        <source>musik: </source>
        <translation>música: </translation>
    </message>
    <message>
        <source>musik leiser, lauter</source>
        <translation>música más bajo, más alto</translation>
    </message>
    <message>
        <source>vollbild: </source>
        <translation>pantalla completa: </translation>
    </message>
    <message>
        <source>vollbild an / aus</source>
        <translation>pantalla completa sí / no</translation>
    </message>
    <message>
        <source>an</source>
        <translation>sí</translation>
    </message>
    <message>
        <source>aufloesung: </source>
        <translation>resolución: </translation>
    </message>
    <message>
        <source>aufloesung: auto, 100 % bis 25 %</source>
        <translation>resolución: auto, 100 % a 25 %</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>o: optionen</source>
        <translation>o: opciones</translation>
    </message>
    <message>
        <source>o / esc: zurueck</source>
        <translation>o / esc: atrás</translation>
    </message>
    <message>
        <source>rechte taste + maus</source>
        <translation>botón derecho + ratón</translation>
    </message>
    <message>
        <source>wie zuletzt</source>
        <translation>como la última vez</translation>
    </message>
    <message>
        <source>return: %1</source>
        <translation>return: %1</translation>
    </message>
    <message>
        <source>l: spiele im netz</source>
        <translation>l: partidas en la red</translation>
    </message>
    <message>
        <source>spiele im netz</source>
        <translation>partidas en la red</translation>
    </message>
    <message>
        <source>keine gefunden</source>
        <translation>ninguna encontrada</translation>
    </message>
    <message>
        <source>andere version: %1</source>
        <translation>otra versión: %1</translation>
    </message>
    <message>
        <source>return: beitreten, s: neu suchen</source>
        <translation>return: unirse, s: buscar otra vez</translation>
    </message>
    <message>
        <source>spiel waehlen</source>
        <translation>elegir partida</translation>
    </message>
    <message>
        <source>neu suchen</source>
        <translation>buscar otra vez</translation>
    </message>
    <message>
        <source>s: statistik</source>
        <translation>s: estadísticas</translation>
    </message>
    <message>
        <source>statistik / sieger</source>
        <translation>estadísticas / ganador</translation>
    </message>
    <message>
        <source>s: sieger</source>
        <translation>s: ganador</translation>
    </message>
    <message>
        <source>return: zum hauptmenue</source>
        <translation>return: al menú principal</translation>
    </message>
    <message>
        <source>esc: spiel verlassen</source>
        <translation>esc: dejar la partida</translation>
    </message>
    <message>
        <source>statistik</source>
        <translation>estadísticas</translation>
    </message>
    <message>
        <source>ausgeteilt</source>
        <translation>causado</translation>
    </message>
    <message>
        <source>eingesteckt</source>
        <translation>recibido</translation>
    </message>
    <message>
        <source>selbst</source>
        <translation>propio</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>perdido</translation>
    </message>
    <message>
        <source>bester wurf</source>
        <translation>mejor tiro</translation>
    </message>
    <message>
        <source>%1 (zug %2)</source>
        <translation>%1 (turno %2)</translation>
    </message>
    <message>
        <source>lebenspunkte</source>
        <translation>puntos de vida</translation>
    </message>
    <message>
        <source>zug</source>
        <translation>turno</translation>
    </message>
    <message>
        <source>ende</source>
        <translation>fin</translation>
    </message>
    <message>
        <source>einladungslink kopieren</source>
        <translation>copiar el enlace de invitación</translation>
    </message>
    <message>
        <source>upnp: router leitet den port weiter, an / aus</source>
        <translation>upnp: el router reenvía el puerto, sí / no</translation>
    </message>
    <message>
        <source>erreichbar unter %1</source>
        <translation>accesible en %1</translation>
    </message>
    <message>
        <source>erreichbar unter %1, router erneuert nicht</source>
        <translation>accesible en %1, el router no renueva</translation>
    </message>
    <message>
        <source>kein router fuer upnp gefunden</source>
        <translation>no se encontró router upnp</translation>
    </message>
    <message>
        <source>dieses spiel ist ohne upnp gebaut</source>
        <translation>este juego se compiló sin upnp</translation>
    </message>
    <message>
        <source>router leitet nicht weiter: %1</source>
        <translation>el router no reenvía: %1</translation>
    </message>
    <message>
        <source>upnp: frage den router ...</source>
        <translation>upnp: preguntando al router ...</translation>
    </message>
    <message>
        <source>k: link kopiert</source>
        <translation>k: enlace copiado</translation>
    </message>
    <message>
        <source>k: link kopieren</source>
        <translation>k: copiar el enlace</translation>
    </message>
    <message>
        <source>u: upnp: an</source>
        <translation>u: upnp: sí</translation>
    </message>
    <message>
        <source>u: upnp: aus</source>
        <translation>u: upnp: no</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automático</translation>
    </message>
    <message>
        <source>sprache: </source>
        <translation>idioma: </translation>
    </message>
    <message>
        <source>sprache der texte</source>
        <translation>idioma de los textos</translation>
    </message>
    <message>
        <source>wiederholung unvollstaendig</source>
        <translation>repetición incompleta</translation>
    </message>
    <message>
        <source>wiederholung beschaedigt</source>
        <translation>repetición dañada</translation>
    </message>
    <message>
        <source>wiederholung zu gross</source>
        <translation>repetición demasiado grande</translation>
    </message>
    <message>
        <source>keine wiederholung</source>
        <translation>no es una repetición</translation>
    </message>
    <message>
        <source>wiederholung der version %1 wird nicht unterstuetzt</source>
        <translation>repeticiones de la versión %1 no admitidas</translation>
    </message>
    <message>
        <source>%1: wiederholung nicht geschrieben (%2)</source>
        <translation>%1: repetición no escrita (%2)</translation>
    </message>
    <message>
        <source>ordner nicht anlegbar</source>
        <translation>no se puede crear la carpeta</translation>
    </message>
    <message>
        <source>leertaste</source>
        <translation>espacio</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>velocidad</translation>
    </message>
    <message>
        <source>bild auf / ab</source>
        <translation>re pág / av pág</translation>
    </message>
    <message>
        <source>zug davor / danach</source>
        <translation>turno anterior / siguiente</translation>
    </message>
    <message>
        <source>dem zug folgen</source>
        <translation>seguir el turno</translation>
    </message>
    <message>
        <source>wiederholungen</source>
        <translation>repeticiones</translation>
    </message>
    <message>
        <source>wiederholung waehlen</source>
        <translation>elegir repetición</translation>
    </message>
    <message>
        <source>ansehen</source>
        <translation>ver</translation>
    </message>
    <message>
        <source>w: wiederholungen</source>
        <translation>w: repeticiones</translation>
    </message>
    <message>
        <source>nicht beendet</source>
        <translation>sin terminar</translation>
    </message>
    <message>
        <source>sieger: %1</source>
        <translation>ganador: %1</translation>
    </message>
    <message>
        <source>return: ansehen</source>
        <translation>return: ver</translation>
    </message>
    <message>
        <source>wiederholung: zug %1/%2, %3</source>
        <translation>repetición: turno %1/%2, %3</translation>
    </message>
    <message>
        <source>, pause</source>
        <translation>, pausa</translation>
    </message>
    <message>
        <source>leertaste: pause, +/-: tempo</source>
        <translation>espacio: pausa, +/-: velocidad</translation>
    </message>
    <message>
        <source>bild auf/ab: zug, f: folgen</source>
        <translation>re/av pág: turno, f: seguir</translation>
    </message>
    <message>
        <source>training</source>
        <translation>entrenamiento</translation>
    </message>
    <message>
        <source>tipp: pfeiltasten fahren</source>
        <translation>consejo: las flechas conducen</translation>
    </message>
    <message>
        <source>tipp: return: feuermodus</source>
        <translation>consejo: return: modo disparo</translation>
    </message>
    <message>
        <source>tipp: links / rechts zielen</source>
        <translation>consejo: izquierda / derecha para apuntar</translation>
    </message>
    <message>
        <source>tipp: hoch / runter: staerke</source>
        <translation>consejo: arriba / abajo: fuerza</translation>
    </message>
    <message>
        <source>tipp: der wind treibt die granate</source>
        <translation>consejo: el viento empuja la granada</translation>
    </message>
    <message>
        <source>tipp: return wirft</source>
        <translation>consejo: return lanza</translation>
    </message>
    <message>
        <source>noch %1 ziele</source>
        <translation>quedan %1 blancos</translation>
    </message>
    <message>
        <source>geschafft: %1 s</source>
        <translation>logrado: %1 s</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>perdido</translation>
    </message>
    <message>
        <source>t: training</source>
        <translation>t: práctica</translation>
    </message>
</context>
</TS>
