<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="de">
<context>
    <name>Game</name>
    <message>
        <source>datei nicht lesbar</source>
        <translation>nie można czytać pliku</translation>
    </message>
    <message>
        <source>keine BMP-datei</source>
        <translation>to nie plik BMP</translation>
    </message>
    <message>
        <source>dateikopf unvollstaendig</source>
        <translation>niepełny nagłówek</translation>
    </message>
    <message>
        <source>dateikopf mit %1 bytes wird nicht unterstuetzt</source>
        <translation>nagłówek %1 bajtów nieobsługiwany</translation>
    </message>
    <message>
        <source>%1 bit pro pixel werden nicht unterstuetzt</source>
        <translation>%1 bitów na piksel nieobsługiwane</translation>
    </message>
    <message>
        <source>komprimierte bilder werden nicht unterstuetzt</source>
        <translation>obrazy skompresowane nieobsługiwane</translation>
    </message>
    <message>
        <source>ungueltige bildgroesse %1</source>
        <translation>zły rozmiar obrazu %1</translation>
    </message>
    <message>
        <source>bild zu gross (%1)</source>
        <translation>obraz za duży (%1)</translation>
    </message>
    <message>
        <source>zu wenig speicher</source>
        <translation>za mało pamięci</translation>
    </message>
    <message>
        <source>%1 (auch gesucht: %2)</source>
        <translation>%1 (szukano też: %2)</translation>
    </message>
    <message>
        <source>Tortoise Valley kann nicht starten: %1</source>
        <translation>Tortoise Valley nie może wystartować: %1</translation>
    </message>
    <message>
        <source>kein OpenGL mit doppelpuffer verfuegbar</source>
        <translation>brak OpenGL z podwójnym buforem</translation>
    </message>
    <message>
        <source>return:</source>
        <translation>return:</translation>
    </message>
    <message>
        <source>neues spiel</source>
        <translation>nowa gra</translation>
    </message>
    <message>
        <source>c: computer: </source>
        <translation>c: komputer: </translation>
    </message>
    <message>
        <source>esc: schliesen</source>
        <translation>esc: wyjście</translation>
    </message>
    <message>
        <source>wieviele</source>
        <translation>ilu</translation>
    </message>
    <message>
        <source>spieler</source>
        <translation>graczy</translation>
    </message>
    <message>
        <source>(2 - 9)</source>
        <translation>(2 - 9)</translation>
    </message>
    <message>
        <source>esc: zurueck</source>
        <translation>esc: wstecz</translation>
    </message>
    <message>
        <source>wieviele figuren</source>
        <translation>ile figur</translation>
    </message>
    <message>
        <source>pro spieler</source>
        <translation>na gracza</translation>
    </message>
    <message>
        <source>(1 - 9)</source>
        <translation>(1 - 9)</translation>
    </message>
    <message>
        <source>spieler </source>
        <translation>gracz </translation>
    </message>
    <message>
        <source>gewinnt</source>
        <translation>wygrywa</translation>
    </message>
    <message>
        <source>unentschieden</source>
        <translation>remis</translation>
    </message>
    <message>
        <source>alle weg</source>
        <translation>nikt nie przeżył</translation>
    </message>
    <message>
        <source>zum hauptmenue</source>
        <translation>do menu głównego</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>łatwy</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>średni</translation>
    </message>
    <message>
        <source>schwer</source>
        <translation>trudny</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>wył.</translation>
    </message>
    <message>
        <source>zum recher</source>
        <translation>przygotuj się</translation>
    </message>
    <message>
        <source>am zug</source>
        <translation>twój ruch</translation>
    </message>
    <message>
        <source> sekunden</source>
        <translation> sek.</translation>
    </message>
    <message>
        <source>bis zum zug</source>
        <translation>do ruchu</translation>
    </message>
    <message>
        <source>uebrig</source>
        <translation>zostało</translation>
    </message>
    <message>
        <source>werfen: %1 s</source>
        <translation>rzut: %1 s</translation>
    </message>
    <message>
        <source>richtung: %1</source>
        <translation>kierunek: %1</translation>
    </message>
    <message>
        <source>hoehe: %1</source>
        <translation>wysokość: %1</translation>
    </message>
    <message>
        <source>staerke: %1</source>
        <translation>siła: %1</translation>
    </message>
    <message>
        <source>abschuss</source>
        <translation>strzał</translation>
    </message>
    <message>
        <source>feuermodus</source>
        <translation>tryb strzału</translation>
    </message>
    <message>
        <source>esc:</source>
        <translation>esc:</translation>
    </message>
    <message>
        <source>hauptmenue</source>
        <translation>menu główne</translation>
    </message>
    <message>
        <source>Willkommen</source>
        <translation>witaj</translation>
    </message>
    <message>
        <source> ist</source>
        <translation> ma</translation>
    </message>
    <message>
        <source>suizidgefaehrdet</source>
        <translation>myśli samobójcze</translation>
    </message>
    <message>
        <source>zeit abgelaufen</source>
        <translation>koniec czasu</translation>
    </message>
    <message>
        <source>begeht selbstmord</source>
        <translation>popełnia samobójstwo</translation>
    </message>
    <message>
        <source>meldet verluste</source>
        <translation>zgłasza straty</translation>
    </message>
    <message>
        <source>wird vermisst</source>
        <translation>zaginął</translation>
    </message>
    <message>
        <source>nur noch computer</source>
        <translation>tylko komputery</translation>
    </message>
    <message>
        <source>computer zielt</source>
        <translation>komputer celuje</translation>
    </message>
    <message>
        <source>zuschauer</source>
        <translation>widz</translation>
    </message>
    <message>
        <source>bis spielende</source>
        <translation>do końca gry</translation>
    </message>
    <message>
        <source>n: netzwerkspiel</source>
        <translation>n: gra sieciowa</translation>
    </message>
    <message>
        <source>h: spiel eroeffnen</source>
        <translation>h: otwórz grę</translation>
    </message>
    <message>
        <source>j: beitreten</source>
        <translation>j: dołącz</translation>
    </message>
    <message>
        <source>warte auf spieler</source>
        <translation>czekam na graczy</translation>
    </message>
    <message>
        <source> ist beigetreten</source>
        <translation> dołączył</translation>
    </message>
    <message>
        <source>ist beigetreten</source>
        <translation>dołączył</translation>
    </message>
    <message>
        <source>spieler %1 ist beigetreten</source>
        <translation>gracz %1 dołączył</translation>
    </message>
    <message>
        <source> hat das spiel verlassen</source>
        <translation> opuścił grę</translation>
    </message>
    <message>
        <source>hat das spiel verlassen</source>
        <translation>opuścił grę</translation>
    </message>
    <message>
        <source>spieler %1 hat das spiel verlassen</source>
        <translation>gracz %1 opuścił grę</translation>
    </message>
    <message>
        <source>verbindung zum spiel verloren</source>
        <translation>utracono połączenie</translation>
    </message>
    <message>
        <source>host nicht gefunden</source>
        <translation>nie znaleziono hosta</translation>
    </message>
    <message>
        <source>verbindung abgelehnt</source>
        <translation>połączenie odrzucone</translation>
    </message>
    <message>
        <source>host antwortet nicht</source>
        <translation>host nie odpowiada</translation>
    </message>
    <message>
        <source>port belegt</source>
        <translation>port zajęty</translation>
    </message>
    <message>
        <source>falsche version</source>
        <translation>zła wersja</translation>
    </message>
    <message>
        <source>kein platz</source>
        <translation>brak miejsca</translation>
    </message>
    <message>
        <source> ist abwesend, der computer spielt</source>
        <translation> jest nieobecny, gra komputer</translation>
    </message>
    <message>
        <source> ist zurueck</source>
        <translation> wrócił</translation>
    </message>
    <message>
        <source>server voll, bitte spaeter</source>
        <translation>serwer pełny, spróbuj później</translation>
    </message>
    <message>
        <source>falsches passwort</source>
        <translation>złe hasło</translation>
    </message>
    <message>
        <source>host beendet das spiel</source>
        <translation>host zakończył grę</translation>
    </message>
    <message>
        <source>f1: tasten</source>
        <translation>f1: klawisze</translation>
    </message>
    <message>
        <source>tasten</source>
        <translation>klawisze</translation>
    </message>
    <message>
        <source>licht</source>
        <translation>światło</translation>
    </message>
    <message>
        <source>computerstufe</source>
        <translation>poziom komputera</translation>
    </message>
    <message>
        <source>netzwerkspiel</source>
        <translation>gra sieciowa</translation>
    </message>
    <message>
        <source>spiel beenden</source>
        <translation>zakończ</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>tak</translation>
    </message>
    <message>
        <source>n / esc</source>
        <translation>n / esc</translation>
    </message>
    <message>
        <source>nein, zurueck</source>
        <translation>nie, wstecz</translation>
    </message>
    <message>
        <source>spiel verlassen? j / n</source>
        <translation>opuścić grę? j / n</translation>
    </message>
    <message>
        <source>spiel beenden? j / n</source>
        <translation>zakończyć grę? j / n</translation>
    </message>
    <message>
        <source>pause an / aus</source>
        <translation>pauza wł. / wył.</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>pauza</translation>
    </message>
    <message>
        <source>: weiter</source>
        <translation>: dalej</translation>
    </message>
    <message>
        <source>keine zeit mehr zum werfen</source>
        <translation>brak czasu na rzut</translation>
    </message>
    <message>
        <source>ins aus</source>
        <translation>poza doliną</translation>
    </message>
    <message>
        <source> trifft</source>
        <translation> trafia</translation>
    </message>
    <message>
        <source>%1 trifft sich selbst: -%2</source>
        <translation>%1 trafia siebie: -%2</translation>
    </message>
    <message>
        <source>%1 trifft %2: -%3</source>
        <translation>%1 trafia: %2, -%3</translation>
    </message>
    <message>
        <source>p: tempo: </source>
        <translation>p: tempo: </translation>
    </message>
    <message>
        <source>tempo: klassisch, schnell, lang</source>
        <translation>tempo: klasyczne, szybkie, długie</translation>
    </message>
    <message>
        <source>klassisch 60/45</source>
        <translation>klasyczne 60/45</translation>
    </message>
    <message>
        <source>schnell 30/20</source>
        <translation>szybkie 30/20</translation>
    </message>
    <message>
        <source>lang 90/60</source>
        <translation>długie 90/60</translation>
    </message>
    <message>
        <source>s: sudden death: </source>
        <translation>s: nagła śmierć: </translation>
    </message>
    <message>
        <source>sudden death: aus, nach 5 oder 10 runden</source>
        <translation>nagła śmierć: wył., po 5 lub 10 rundach</translation>
    </message>
    <message>
        <source>5 runden</source>
        <translation>5 rund</translation>
    </message>
    <message>
        <source>10 runden</source>
        <translation>10 rund</translation>
    </message>
    <message>
        <source>tempo: schnell</source>
        <translation>tempo: szybkie</translation>
    </message>
    <message>
        <source>tempo: lang</source>
        <translation>tempo: długie</translation>
    </message>
    <message>
        <source>sudden death nach 5 runden</source>
        <translation>nagła śmierć po 5 rundach</translation>
    </message>
    <message>
        <source>sudden death nach 10 runden</source>
        <translation>nagła śmierć po 10 rundach</translation>
    </message>
    <message>
        <source>sudden death: jeder zug kostet %1 punkte</source>
        <translation>nagła śmierć: każdy ruch kosztuje %1 pkt.</translation>
    </message>
    <message>
        <source>formen: </source>
        <translation>kształty: </translation>
    </message>
    <message>
        <source>formen: jedes team auch an seiner form erkennen</source>
        <translation>kształty: każda drużyna też po kształcie</translation>
    </message>
    <message>
        <source>aus</source>
        <comment>wind</comment>
        <translation>brak</translation>
    </message>
    <message>
        <source>leicht</source>
        <comment>wind</comment>
        <translation>słaby</translation>
    </message>
    <message>
        <source>stark</source>
        <comment>wind</comment>
        <translation>silny</translation>
    </message>
    <message>
        <source>spiel eroeffnen</source>
        <translation>otwórz grę</translation>
    </message>
    <message>
        <source>adresse eingeben</source>
        <translation>wpisz adres</translation>
    </message>
    <message>
        <source>beitreten</source>
        <translation>dołącz</translation>
    </message>
    <message>
        <source>zurueck</source>
        <translation>wstecz</translation>
    </message>
    <message>
        <source>anzahl spieler</source>
        <translation>liczba graczy</translation>
    </message>
    <message>
        <source>figuren pro spieler</source>
        <translation>figury na gracza</translation>
    </message>
    <message>
        <source>pfeile</source>
        <translation>strzałki</translation>
    </message>
    <message>
        <source>drehen und fahren</source>
        <translation>obrót i jazda</translation>
    </message>
    <message>
        <source>leertaste / strg</source>
        <translation>spacja / ctrl</translation>
    </message>
    <message>
        <source>steigen und sinken</source>
        <translation>w górę i w dół</translation>
    </message>
    <message>
        <source>links / rechts</source>
        <translation>w lewo / w prawo</translation>
    </message>
    <message>
        <source>wurf drehen</source>
        <translation>obróć rzut</translation>
    </message>
    <message>
        <source>wurf heben und senken</source>
        <translation>podnieś i opuść rzut</translation>
    </message>
    <message>
        <source>spieler: namen, computer, farben</source>
        <translation>gracze: imiona, komputer, kolory</translation>
    </message>
    <message>
        <source>spieler waehlen</source>
        <translation>wybierz gracza</translation>
    </message>
    <message>
        <source>mensch oder computer</source>
        <translation>człowiek czy komputer</translation>
    </message>
    <message>
        <source>farbe</source>
        <translation>kolor</translation>
    </message>
    <message>
        <source>return / esc</source>
        <translation>return / esc</translation>
    </message>
    <message>
        <source>n: spieler</source>
        <translation>n: gracze</translation>
    </message>
    <message>
        <source>zufall</source>
        <translation>losowo</translation>
    </message>
    <message>
        <source>n: name, c: mensch / computer, f: farbe</source>
        <translation>n: imię, c: człowiek / komputer, f: kolor</translation>
    </message>
    <message>
        <source>return / esc: zurueck</source>
        <translation>return / esc: wstecz</translation>
    </message>
    <message>
        <source>menue: %1</source>
        <translation>menu: %1</translation>
    </message>
    <message>
        <source>mensch</source>
        <translation>człowiek</translation>
    </message>
    <message>
        <source>computer %1</source>
        <translation>komputer %1</translation>
    </message>
    <message>
        <source>tuerkis</source>
        <translation>turkus</translation>
    </message>
    <message>
        <source>rosa</source>
        <translation>róż</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>żółty</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>pomarańcz</translation>
    </message>
    <message>
        <source>violett</source>
        <translation>fiolet</translation>
    </message>
    <message>
        <source>hellrosa</source>
        <translation>jasny róż</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>czerwony</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>zielony</translation>
    </message>
    <message>
        <source>himmelblau</source>
        <translation>błękit</translation>
    </message>
    <message>
        <source>hoch / runter</source>
        <translation>góra / dół</translation>
    </message>
    <message>
        <source>staerke</source>
        <translation>siła</translation>
    </message>
    <message>
        <source>spiel verlassen</source>
        <translation>opuść grę</translation>
    </message>
    <message>
        <source>blick hinter die figur</source>
        <translation>widok zza figury</translation>
    </message>
    <message>
        <source>blick entlang des wurfs</source>
        <translation>widok wzdłuż rzutu</translation>
    </message>
    <message>
        <source>naechster gegner</source>
        <translation>następny wróg</translation>
    </message>
    <message>
        <source>maus</source>
        <translation>mysz</translation>
    </message>
    <message>
        <source>kamera drehen</source>
        <translation>obróć kamerę</translation>
    </message>
    <message>
        <source>mausrad</source>
        <translation>kółko myszy</translation>
    </message>
    <message>
        <source>zoomen</source>
        <translation>zoom</translation>
    </message>
    <message>
        <source>mittlere taste</source>
        <translation>środkowy przycisk</translation>
    </message>
    <message>
        <source>blick der figur</source>
        <translation>widok figury</translation>
    </message>
    <message>
        <source>ton an / aus</source>
        <translation>dźwięk wł. / wył.</translation>
    </message>
    <message>
        <source>vollbild</source>
        <translation>pełny ekran</translation>
    </message>
    <message>
        <source>diese hilfe</source>
        <translation>ta pomoc</translation>
    </message>
    <message>
        <source>du spielst spieler </source>
        <translation>grasz jako gracz </translation>
    </message>
    <message>
        <source>sagen: </source>
        <translation>powiedz: </translation>
    </message>
    <message>
        <source>name eingeben</source>
        <translation>wpisz imię</translation>
    </message>
    <message>
        <source>nachricht schreiben</source>
        <translation>napisz wiadomość</translation>
    </message>
    <message>
        <source>tab halten</source>
        <translation>trzymaj tab</translation>
    </message>
    <message>
        <source>wer spielt mit</source>
        <translation>kto gra</translation>
    </message>
    <message>
        <source>zu viele nachrichten, eine ging verloren</source>
        <translation>za dużo wiadomości, jedna przepadła</translation>
    </message>
    <message>
        <source>n: name: </source>
        <translation>n: imię: </translation>
    </message>
    <message>
        <source>n: name</source>
        <translation>n: imię</translation>
    </message>
    <message>
        <source>passwort eingeben</source>
        <translation>wpisz hasło</translation>
    </message>
    <message>
        <source>p: passwort: </source>
        <translation>p: hasło: </translation>
    </message>
    <message>
        <source>p: passwort</source>
        <translation>p: hasło</translation>
    </message>
    <message>
        <source>wieder beitreten</source>
        <translation>dołącz ponownie</translation>
    </message>
    <message>
        <source>r: wieder beitreten: </source>
        <translation>r: dołącz ponownie: </translation>
    </message>
    <message>
        <source>name</source>
        <translation>imię</translation>
    </message>
    <message>
        <source>adresse</source>
        <translation>adres</translation>
    </message>
    <message>
        <source>ping</source>
        <translation>ping</translation>
    </message>
    <message>
        <source> (du)</source>
        <translation> (ty)</translation>
    </message>
    <message>
        <source>host</source>
        <translation>host</translation>
    </message>
    <message>
        <source>tal nummer %1</source>
        <translation>dolina numer %1</translation>
    </message>
    <message>
        <source>tal: %1</source>
        <translation>dolina: %1</translation>
    </message>
    <message>
        <source>wind: leicht</source>
        <translation>wiatr: słaby</translation>
    </message>
    <message>
        <source>wind: stark</source>
        <translation>wiatr: silny</translation>
    </message>
    <message>
        <source>waffen: alle</source>
        <translation>broń: wszystkie</translation>
    </message>
    <message>
        <source>zufall %1</source>
        <translation>losowa %1</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>zwykła</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>silny</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>wszystkie</translation>
    </message>
    <message>
        <source>wind %1</source>
        <translation>wiatr %1</translation>
    </message>
    <message>
        <source>granate</source>
        <translation>granat</translation>
    </message>
    <message>
        <source>return: starten</source>
        <translation>return: start</translation>
    </message>
    <message>
        <source>t: tal: </source>
        <translation>t: dolina: </translation>
    </message>
    <message>
        <source>z: neue zahl, 0 - 9: zahl</source>
        <translation>z: nowa liczba, 0 - 9: liczba</translation>
    </message>
    <message>
        <source>w: wind: </source>
        <translation>w: wiatr: </translation>
    </message>
    <message>
        <source>a: waffen: </source>
        <translation>a: broń: </translation>
    </message>
    <message>
        <source>spiel starten</source>
        <translation>zacznij grę</translation>
    </message>
    <message>
        <source>tal: standard, zufall, eigene bilder</source>
        <translation>dolina: zwykła, losowa, własne obrazy</translation>
    </message>
    <message>
        <source>neue talnummer</source>
        <translation>nowy numer doliny</translation>
    </message>
    <message>
        <source>talnummer eintippen</source>
        <translation>wpisz numer doliny</translation>
    </message>
    <message>
        <source>wind: aus, leicht, stark</source>
        <translation>wiatr: brak, słaby, silny</translation>
    </message>
    <message>
        <source>waffen: granate, alle</source>
        <translation>broń: granat, wszystkie</translation>
    </message>
    <message>
        <source>streubombe</source>
        <translation>bomba kasetowa</translation>
    </message>
    <message>
        <source>grossgranate</source>
        <translation>ciężki pocisk</translation>
    </message>
    <message>
        <source>buddler</source>
        <translation>kopacz</translation>
    </message>
    <message>
        <source>huepfgranate</source>
        <translation>skoczek</translation>
    </message>
    <message>
        <source>waffe</source>
        <translation>broń</translation>
    </message>
    <message>
        <source>optionen</source>
        <translation>opcje</translation>
    </message>
    <message>
        <source>o / esc</source>
        <translation>o / esc</translation>
    </message>
    <message>
        <source>nacht</source>
        <translation>noc</translation>
    </message>
    <message>
        <source>klassisch</source>
        <translation>klasyczne</translation>
    </message>
    <message>
        <source>hell</source>
        <translation>jasne</translation>
    </message>
    <message>
        <source>dreht immer</source>
        <translation>obraca zawsze</translation>
    </message>
    <message>
        <source>nur mit rechter taste</source>
        <translation>tylko z prawym przyciskiem</translation>
    </message>
    <message>
        <source>licht: </source>
        <translation>światło: </translation>
    </message>
    <message>
        <source>licht: nacht, klassisch, hell</source>
        <translation>światło: noc, klasyczne, jasne</translation>
    </message>
    <message>
        <source>maus: </source>
        <translation>mysz: </translation>
    </message>
    <message>
        <source>maus: dreht immer, nur mit rechter taste</source>
        <translation>mysz: obraca zawsze, tylko z prawym przyciskiem</translation>
    </message>
    <message>
        <source>effekte: </source>
        <translation>efekty: </translation>
    </message>
    <message>
        <source>effekte leiser, lauter</source>
        <translation>efekty ciszej, głośniej</translation>
    </message>
    <message>
        <source>musik: </source>
        <translation>muzyka: </translation>
    </message>
    <message>
        <source>musik leiser, lauter</source>
        <translation>muzyka ciszej, głośniej</translation>
    </message>
    <message>
        <source>vollbild: </source>
        <translation>pełny ekran: </translation>
    </message>
    <message>
        <source>vollbild an / aus</source>
        <translation>pełny ekran wł. / wył.</translation>
    </message>
    <message>
        <source>an</source>
        <translation>wł.</translation>
    </message>
    <message>
        <source>aufloesung: </source>
        <translation>rozdzielczość: </translation>
    </message>
    <message>
        <source>aufloesung: auto, 100 % bis 25 %</source>
        <translation>rozdzielczość: auto, 100 % do 25 %</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>o: optionen</source>
        <translation>o: opcje</translation>
    </message>
    <message>
        <source>o / esc: zurueck</source>
        <translation>o / esc: wstecz</translation>
    </message>
    <message>
        <source>rechte taste + maus</source>
        <translation>prawy przycisk + mysz</translation>
    </message>
    <message>
        <source>wie zuletzt</source>
        <translation>jak ostatnio</translation>
    </message>
    <message>
        <source>return: %1</source>
        <translation>return: %1</translation>
    </message>
    <message>
        <source>l: spiele im netz</source>
        <translation>l: gry w sieci</translation>
    </message>
    <message>
        <source>spiele im netz</source>
        <translation>gry w sieci</translation>
    </message>
    <message>
        <source>keine gefunden</source>
        <translation>nic nie znaleziono</translation>
    </message>
    <message>
        <source>andere version: %1</source>
        <translation>inna wersja: %1</translation>
    </message>
    <message>
        <source>return: beitreten, s: neu suchen</source>
        <translation>return: dołącz, s: szukaj znowu</translation>
    </message>
    <message>
        <source>spiel waehlen</source>
        <translation>wybierz grę</translation>
    </message>
    <message>
        <source>neu suchen</source>
        <translation>szukaj znowu</translation>
    </message>
    <message>
        <source>s: statistik</source>
        <translation>s: statystyki</translation>
    </message>
    <message>
        <source>statistik / sieger</source>
        <translation>statystyki / zwycięzca</translation>
    </message>
    <message>
        <source>s: sieger</source>
        <translation>s: zwycięzca</translation>
    </message>
    <message>
        <source>return: zum hauptmenue</source>
        <translation>return: do menu głównego</translation>
    </message>
    <message>
        <source>esc: spiel verlassen</source>
        <translation>esc: opuść grę</translation>
    </message>
    <message>
        <source>statistik</source>
        <translation>statystyki</translation>
    </message>
    <message>
        <source>ausgeteilt</source>
        <translation>zadane</translation>
    </message>
    <message>
        <source>eingesteckt</source>
        <translation>otrzymane</translation>
    </message>
    <message>
        <source>selbst</source>
        <translation>własne</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>stracone</translation>
    </message>
    <message>
        <source>bester wurf</source>
        <translation>najlepszy rzut</translation>
    </message>
    <message>
        <source>%1 (zug %2)</source>
        <translation>%1 (ruch %2)</translation>
    </message>
    <message>
        <source>lebenspunkte</source>
        <translation>punkty życia</translation>
    </message>
    <message>
        <source>zug</source>
        <translation>ruch</translation>
    </message>
    <message>
        <source>ende</source>
        <translation>koniec</translation>
    </message>
    <message>
        <source>einladungslink kopieren</source>
        <translation>kopiuj link zaproszenia</translation>
    </message>
    <message>
        <source>upnp: router leitet den port weiter, an / aus</source>
        <translation>upnp: router przekierowuje port, wł. / wył.</translation>
    </message>
    <message>
        <source>erreichbar unter %1</source>
        <translation>dostępny pod %1</translation>
    </message>
    <message>
        <source>erreichbar unter %1, router erneuert nicht</source>
        <translation>dostępny pod %1, router nie odnawia</translation>
    </message>
    <message>
        <source>kein router fuer upnp gefunden</source>
        <translation>nie znaleziono routera upnp</translation>
    </message>
    <message>
        <source>dieses spiel ist ohne upnp gebaut</source>
        <translation>ta gra jest zbudowana bez upnp</translation>
    </message>
    <message>
        <source>router leitet nicht weiter: %1</source>
        <translation>router nie przekierowuje: %1</translation>
    </message>
    <message>
        <source>upnp: frage den router ...</source>
        <translation>upnp: pytam router ...</translation>
    </message>
    <message>
        <source>k: link kopiert</source>
        <translation>k: link skopiowany</translation>
    </message>
    <message>
        <source>k: link kopieren</source>
        <translation>k: kopiuj link</translation>
    </message>
    <message>
        <source>u: upnp: an</source>
        <translation>u: upnp: wł.</translation>
    </message>
    <message>
        <source>u: upnp: aus</source>
        <translation>u: upnp: wył.</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>automatyczny</translation>
    </message>
    <message>
        <source>sprache: </source>
        <translation>język: </translation>
    </message>
    <message>
        <source>sprache der texte</source>
        <translation>język tekstów</translation>
    </message>
    <message>
        <source>wiederholung unvollstaendig</source>
        <translation>powtórka niepełna</translation>
    </message>
    <message>
        <source>wiederholung beschaedigt</source>
        <translation>powtórka uszkodzona</translation>
    </message>
    <message>
        <source>wiederholung zu gross</source>
        <translation>powtórka za duża</translation>
    </message>
    <message>
        <source>keine wiederholung</source>
        <translation>to nie jest powtórka</translation>
    </message>
    <message>
        <source>wiederholung der version %1 wird nicht unterstuetzt</source>
        <translation>powtórki wersji %1 nie są obsługiwane</translation>
    </message>
    <message>
        <source>%1: wiederholung nicht geschrieben (%2)</source>
        <translation>%1: powtórka nie zapisana (%2)</translation>
    </message>
    <message>
        <source>ordner nicht anlegbar</source>
        <translation>nie można utworzyć folderu</translation>
    </message>
    <message>
        <source>leertaste</source>
        <translation>spacja</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>tempo</translation>
    </message>
    <message>
        <source>bild auf / ab</source>
        <translation>page up / down</translation>
    </message>
    <message>
        <source>zug davor / danach</source>
        <translation>tura przed / po</translation>
    </message>
    <message>
        <source>dem zug folgen</source>
        <translation>śledź turę</translation>
    </message>
    <message>
        <source>wiederholungen</source>
        <translation>powtórki</translation>
    </message>
    <message>
        <source>wiederholung waehlen</source>
        <translation>wybierz powtórkę</translation>
    </message>
    <message>
        <source>ansehen</source>
        <translation>oglądaj</translation>
    </message>
    <message>
        <source>w: wiederholungen</source>
        <translation>w: powtórki</translation>
    </message>
    <message>
        <source>nicht beendet</source>
        <translation>niezakończona</translation>
    </message>
    <message>
        <source>sieger: %1</source>
        <translation>zwycięzca: %1</translation>
    </message>
    <message>
        <source>return: ansehen</source>
        <translation>return: oglądaj</translation>
    </message>
    <message>
        <source>wiederholung: zug %1/%2, %3</source>
        <translation>powtórka: tura %1/%2, %3</translation>
    </message>
    <message>
        <source>, pause</source>
        <translation>, pauza</translation>
    </message>
    <message>
        <source>leertaste: pause, +/-: tempo</source>
        <translation>spacja: pauza, +/-: tempo</translation>
    </message>
    <message>
        <source>bild auf/ab: zug, f: folgen</source>
        <translation>page up/down: tura, f: śledź</translation>
    </message>
    <message>
        <source>training</source>
        <translation>trening</translation>
    </message>
    <message>
        <source>tipp: pfeiltasten fahren</source>
        <translation>wskazówka: strzałki jadą</translation>
    </message>
    <message>
        <source>tipp: return: feuermodus</source>
        <translation>wskazówka: return: tryb ognia</translation>
    </message>
    <message>
        <source>tipp: links / rechts zielen</source>
        <translation>wskazówka: lewo / prawo celuje</translation>
    </message>
    <message>
        <source>tipp: hoch / runter: staerke</source>
        <translation>wskazówka: góra / dół: siła</translation>
    </message>
    <message>
        <source>tipp: der wind treibt die granate</source>
        <translation>wskazówka: wiatr niesie granat</translation>
    </message>
    <message>
        <source>tipp: return wirft</source>
        <translation>wskazówka: return rzuca</translation>
    </message>
    <message>
        <source>noch %1 ziele</source>
        <translation>zostało celów: %1</translation>
    </message>
    <message>
        <source>geschafft: %1 s</source>
        <translation>udało się: %1 s</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>przegrana</translation>
    </message>
    <message>
        <source>t: training</source>
        <translation>t: trening</translation>
    </message>
</context>
</TS>
