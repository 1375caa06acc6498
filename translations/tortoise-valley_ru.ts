<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="de">
<context>
    <name>Game</name>
    <message>
        <source>datei nicht lesbar</source>
        <translation>файл не читается</translation>
    </message>
    <message>
        <source>keine BMP-datei</source>
        <translation>не файл BMP</translation>
    </message>
    <message>
        <source>dateikopf unvollstaendig</source>
        <translation>неполный заголовок</translation>
    </message>
    <message>
        <source>dateikopf mit %1 bytes wird nicht unterstuetzt</source>
        <translation>заголовок в %1 байт не поддерживается</translation>
    </message>
    <message>
        <source>%1 bit pro pixel werden nicht unterstuetzt</source>
        <translation>%1 бит на пиксель не поддерживается</translation>
    </message>
    <message>
        <source>komprimierte bilder werden nicht unterstuetzt</source>
        <translation>сжатые картинки не поддерживаются</translation>
    </message>
    <message>
        <source>ungueltige bildgroesse %1</source>
        <translation>неверный размер картинки %1</translation>
    </message>
    <message>
        <source>bild zu gross (%1)</source>
        <translation>картинка слишком большая (%1)</translation>
    </message>
    <message>
        <source>zu wenig speicher</source>
        <translation>мало памяти</translation>
    </message>
    <message>
        <source>%1 (auch gesucht: %2)</source>
        <translation>%1 (искали также: %2)</translation>
    </message>
    <message>
        <source>Tortoise Valley kann nicht starten: %1</source>
        <translation>Tortoise Valley не может запуститься: %1</translation>
    </message>
    <message>
        <source>kein OpenGL mit doppelpuffer verfuegbar</source>
        <translation>нет OpenGL с двойной буферизацией</translation>
    </message>
    <message>
        <source>return:</source>
        <translation>return:</translation>
    </message>
    <message>
        <source>neues spiel</source>
        <translation>новая игра</translation>
    </message>
    <message>
        <source>c: computer: </source>
        <translation>c: бот: </translation>
    </message>
    <message>
        <source>esc: schliesen</source>
        <translation>esc: выход</translation>
    </message>
    <message>
        <source>wieviele</source>
        <translation>сколько</translation>
    </message>
    <message>
        <source>spieler</source>
        <translation>игроков</translation>
    </message>
    <message>
        <source>(2 - 9)</source>
        <translation>(2 - 9)</translation>
    </message>
    <message>
        <source>esc: zurueck</source>
        <translation>esc: назад</translation>
    </message>
    <message>
        <source>wieviele figuren</source>
        <translation>сколько фигур</translation>
    </message>
    <message>
        <source>pro spieler</source>
        <translation>у игрока</translation>
    </message>
    <message>
        <source>(1 - 9)</source>
        <translation>(1 - 9)</translation>
    </message>
    <message>
        <source>spieler </source>
        <translation>игрок </translation>
    </message>
    <message>
        <source>gewinnt</source>
        <translation>побеждает</translation>
    </message>
    <message>
        <source>unentschieden</source>
        <translation>ничья</translation>
    </message>
    <message>
        <source>alle weg</source>
        <translation>никого не осталось</translation>
    </message>
    <message>
        <source>zum hauptmenue</source>
        <translation>в главное меню</translation>
    </message>
    <message>
        <source>leicht</source>
        <translation>лёгкий</translation>
    </message>
    <message>
        <source>mittel</source>
        <translation>средний</translation>
    </message>
    <message>
        <source>schwer</source>
        <translation>сложный</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>выкл.</translation>
    </message>
    <message>
        <source>zum recher</source>
        <translation>приготовься</translation>
    </message>
    <message>
        <source>am zug</source>
        <translation>твой ход</translation>
    </message>
    <message>
        <source> sekunden</source>
        <translation> сек.</translation>
    </message>
    <message>
        <source>bis zum zug</source>
        <translation>до хода</translation>
    </message>
    <message>
        <source>uebrig</source>
        <translation>осталось</translation>
    </message>
    <message>
        <source>werfen: %1 s</source>
        <translation>бросок: %1 с</translation>
    </message>
    <message>
        <source>richtung: %1</source>
        <translation>направление: %1</translation>
    </message>
    <message>
        <source>hoehe: %1</source>
        <translation>высота: %1</translation>
    </message>
    <message>
        <source>staerke: %1</source>
        <translation>сила: %1</translation>
    </message>
    <message>
        <source>abschuss</source>
        <translation>выстрел</translation>
    </message>
    <message>
        <source>feuermodus</source>
        <translation>режим огня</translation>
    </message>
    <message>
        <source>esc:</source>
        <translation>esc:</translation>
    </message>
    <message>
        <source>hauptmenue</source>
        <translation>главное меню</translation>
    </message>
    <message>
        <source>Willkommen</source>
        <translation>привет</translation>
    </message>
    <message>
        <source> ist</source>
        <translation> склонен</translation>
    </message>
    <message>
        <source>suizidgefaehrdet</source>
        <translation>к самоубийству</translation>
    </message>
    <message>
        <source>zeit abgelaufen</source>
        <translation>время вышло</translation>
    </message>
    <message>
        <source>begeht selbstmord</source>
        <translation>кончает с собой</translation>
    </message>
    <message>
        <source>meldet verluste</source>
        <translation>сообщает о потерях</translation>
    </message>
    <message>
        <source>wird vermisst</source>
        <translation>пропал без вести</translation>
    </message>
    <message>
        <source>nur noch computer</source>
        <translation>только компьютеры</translation>
    </message>
    <message>
        <source>computer zielt</source>
        <translation>компьютер целится</translation>
    </message>
    <message>
        <source>zuschauer</source>
        <translation>зритель</translation>
    </message>
    <message>
        <source>bis spielende</source>
        <translation>до конца игры</translation>
    </message>
    <message>
        <source>n: netzwerkspiel</source>
        <translation>n: по сети</translation>
    </message>
    <message>
        <source>h: spiel eroeffnen</source>
        <translation>h: открыть игру</translation>
    </message>
    <message>
        <source>j: beitreten</source>
        <translation>j: войти в игру</translation>
    </message>
    <message>
        <source>warte auf spieler</source>
        <translation>ждём игроков</translation>
    </message>
    <message>
        <source> ist beigetreten</source>
        <translation> вошёл в игру</translation>
    </message>
    <message>
        <source>ist beigetreten</source>
        <translation>вошёл в игру</translation>
    </message>
    <message>
        <source>spieler %1 ist beigetreten</source>
        <translation>игрок %1 вошёл в игру</translation>
    </message>
    <message>
        <source> hat das spiel verlassen</source>
        <translation> покинул игру</translation>
    </message>
    <message>
        <source>hat das spiel verlassen</source>
        <translation>покинул игру</translation>
    </message>
    <message>
        <source>spieler %1 hat das spiel verlassen</source>
        <translation>игрок %1 покинул игру</translation>
    </message>
    <message>
        <source>verbindung zum spiel verloren</source>
        <translation>связь с игрой потеряна</translation>
    </message>
    <message>
        <source>host nicht gefunden</source>
        <translation>хост не найден</translation>
    </message>
    <message>
        <source>verbindung abgelehnt</source>
        <translation>в соединении отказано</translation>
    </message>
    <message>
        <source>host antwortet nicht</source>
        <translation>хост не отвечает</translation>
    </message>
    <message>
        <source>port belegt</source>
        <translation>порт занят</translation>
    </message>
    <message>
        <source>falsche version</source>
        <translation>не та версия</translation>
    </message>
    <message>
        <source>kein platz</source>
        <translation>нет мест</translation>
    </message>
    <message>
        <source> ist abwesend, der computer spielt</source>
        <translation> отошёл, играет компьютер</translation>
    </message>
    <message>
        <source> ist zurueck</source>
        <translation> вернулся</translation>
    </message>
    <message>
        <source>server voll, bitte spaeter</source>
        <translation>сервер полон, попробуй позже</translation>
    </message>
    <message>
        <source>falsches passwort</source>
        <translation>неверный пароль</translation>
    </message>
    <message>
        <source>host beendet das spiel</source>
        <translation>хост закончил игру</translation>
    </message>
    <message>
        <source>f1: tasten</source>
        <translation>f1: кнопки</translation>
    </message>
    <message>
        <source>tasten</source>
        <translation>кнопки</translation>
    </message>
    <message>
        <source>licht</source>
        <translation>свет</translation>
    </message>
    <message>
        <source>computerstufe</source>
        <translation>уровень компьютера</translation>
    </message>
    <message>
        <source>netzwerkspiel</source>
        <translation>сетевая игра</translation>
    </message>
    <message>
        <source>spiel beenden</source>
        <translation>выход</translation>
    </message>
    <message>
        <source>ja</source>
        <translation>да</translation>
    </message>
    <message>
        <source>n / esc</source>
        <translation>n / esc</translation>
    </message>
    <message>
        <source>nein, zurueck</source>
        <translation>нет, назад</translation>
    </message>
    <message>
        <source>spiel verlassen? j / n</source>
        <translation>покинуть игру? j / n</translation>
    </message>
    <message>
        <source>spiel beenden? j / n</source>
        <translation>выйти из игры? j / n</translation>
    </message>
    <message>
        <source>pause an / aus</source>
        <translation>пауза вкл. / выкл.</translation>
    </message>
    <message>
        <source>pause</source>
        <translation>пауза</translation>
    </message>
    <message>
        <source>: weiter</source>
        <translation>: дальше</translation>
    </message>
    <message>
        <source>keine zeit mehr zum werfen</source>
        <translation>нет времени на бросок</translation>
    </message>
    <message>
        <source>ins aus</source>
        <translation>за пределы долины</translation>
    </message>
    <message>
        <source> trifft</source>
        <translation> попадает</translation>
    </message>
    <message>
        <source>%1 trifft sich selbst: -%2</source>
        <translation>%1 попадает в себя: -%2</translation>
    </message>
    <message>
        <source>%1 trifft %2: -%3</source>
        <translation>%1 попадает: %2, -%3</translation>
    </message>
    <message>
        <source>p: tempo: </source>
        <translation>p: темп: </translation>
    </message>
    <message>
        <source>tempo: klassisch, schnell, lang</source>
        <translation>темп: обычный, быстрый, долгий</translation>
    </message>
    <message>
        <source>klassisch 60/45</source>
        <translation>обычный 60/45</translation>
    </message>
    <message>
        <source>schnell 30/20</source>
        <translation>быстрый 30/20</translation>
    </message>
    <message>
        <source>lang 90/60</source>
        <translation>долгий 90/60</translation>
    </message>
    <message>
        <source>s: sudden death: </source>
        <translation>s: внезапная смерть: </translation>
    </message>
    <message>
        <source>sudden death: aus, nach 5 oder 10 runden</source>
        <translation>внезапная смерть: выкл., после 5 или 10 раундов</translation>
    </message>
    <message>
        <source>5 runden</source>
        <translation>5 раундов</translation>
    </message>
    <message>
        <source>10 runden</source>
        <translation>10 раундов</translation>
    </message>
    <message>
        <source>tempo: schnell</source>
        <translation>темп: быстрый</translation>
    </message>
    <message>
        <source>tempo: lang</source>
        <translation>темп: долгий</translation>
    </message>
    <message>
        <source>sudden death nach 5 runden</source>
        <translation>внезапная смерть после 5 раундов</translation>
    </message>
    <message>
        <source>sudden death nach 10 runden</source>
        <translation>внезапная смерть после 10 раундов</translation>
    </message>
    <message>
        <source>sudden death: jeder zug kostet %1 punkte</source>
        <translation>внезапная смерть: каждый ход стоит %1 очков</translation>
    </message>
    <message>
        <source>formen: </source>
        <translation>формы: </translation>
    </message>
    <message>
        <source>formen: jedes team auch an seiner form erkennen</source>
        <translation>формы: команды различаются и формой</translation>
    </message>
    <message>
        <source>aus</source>
        <comment>wind</comment>
        <translation>нет</translation>
    </message>
    <message>
        <source>leicht</source>
        <comment>wind</comment>
        <translation>слабый</translation>
    </message>
    <message>
        <source>stark</source>
        <comment>wind</comment>
        <translation>сильный</translation>
    </message>
    <message>
        <source>spiel eroeffnen</source>
        <translation>открыть игру</translation>
    </message>
    <message>
        <source>adresse eingeben</source>
        <translation>введи адрес</translation>
    </message>
    <message>
        <source>beitreten</source>
        <translation>войти</translation>
    </message>
    <message>
        <source>zurueck</source>
        <translation>назад</translation>
    </message>
    <message>
        <source>anzahl spieler</source>
        <translation>число игроков</translation>
    </message>
    <message>
        <source>figuren pro spieler</source>
        <translation>фигур у игрока</translation>
    </message>
    <message>
        <source>pfeile</source>
        <translation>стрелки</translation>
    </message>
    <message>
        <source>drehen und fahren</source>
        <translation>поворот и езда</translation>
    </message>
    <message>
        <source>leertaste / strg</source>
        <translation>пробел / ctrl</translation>
    </message>
    <message>
        <source>steigen und sinken</source>
        <translation>вверх и вниз</translation>
    </message>
    <message>
        <source>links / rechts</source>
        <translation>влево / вправо</translation>
    </message>
    <message>
        <source>wurf drehen</source>
        <translation>повернуть бросок</translation>
    </message>
    <message>
        <source>wurf heben und senken</source>
        <translation>поднять и опустить бросок</translation>
    </message>
    <message>
        <source>spieler: namen, computer, farben</source>
        <translation>игроки: имена, компьютер, цвета</translation>
    </message>
    <message>
        <source>spieler waehlen</source>
        <translation>выбрать игрока</translation>
    </message>
    <message>
        <source>mensch oder computer</source>
        <translation>человек или компьютер</translation>
    </message>
    <message>
        <source>farbe</source>
        <translation>цвет</translation>
    </message>
    <message>
        <source>return / esc</source>
        <translation>return / esc</translation>
    </message>
    <message>
        <source>n: spieler</source>
        <translation>n: игроки</translation>
    </message>
    <message>
        <source>zufall</source>
        <translation>случайный</translation>
    </message>
    <message>
        <source>n: name, c: mensch / computer, f: farbe</source>
        <translation>n: имя, c: человек / компьютер, f: цвет</translation>
    </message>
    <message>
        <source>return / esc: zurueck</source>
        <translation>return / esc: назад</translation>
    </message>
    <message>
        <source>menue: %1</source>
        <translation>меню: %1</translation>
    </message>
    <message>
        <source>mensch</source>
        <translation>человек</translation>
    </message>
    <message>
        <source>computer %1</source>
        <translation>компьютер %1</translation>
    </message>
    <message>
        <source>tuerkis</source>
        <translation>бирюзовый</translation>
    </message>
    <message>
        <source>rosa</source>
        <translation>розовый</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>жёлтый</translation>
    </message>
    <message>
        <source>orange</source>
        <translation>оранжевый</translation>
    </message>
    <message>
        <source>violett</source>
        <translation>фиолетовый</translation>
    </message>
    <message>
        <source>hellrosa</source>
        <translation>бледно-розовый</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>красный</translation>
    </message>
    <message>
        <source>gruen</source>
        <translation>зелёный</translation>
    </message>
    <message>
        <source>himmelblau</source>
        <translation>голубой</translation>
    </message>
    <message>
        <source>hoch / runter</source>
        <translation>вверх / вниз</translation>
    </message>
    <message>
        <source>staerke</source>
        <translation>сила</translation>
    </message>
    <message>
        <source>spiel verlassen</source>
        <translation>покинуть игру</translation>
    </message>
    <message>
        <source>blick hinter die figur</source>
        <translation>вид из-за фигуры</translation>
    </message>
    <message>
        <source>blick entlang des wurfs</source>
        <translation>вид вдоль броска</translation>
    </message>
    <message>
        <source>naechster gegner</source>
        <translation>следующий враг</translation>
    </message>
    <message>
        <source>maus</source>
        <translation>мышь</translation>
    </message>
    <message>
        <source>kamera drehen</source>
        <translation>повернуть камеру</translation>
    </message>
    <message>
        <source>mausrad</source>
        <translation>колесо мыши</translation>
    </message>
    <message>
        <source>zoomen</source>
        <translation>масштаб</translation>
    </message>
    <message>
        <source>mittlere taste</source>
        <translation>средняя кнопка</translation>
    </message>
    <message>
        <source>blick der figur</source>
        <translation>взгляд фигуры</translation>
    </message>
    <message>
        <source>ton an / aus</source>
        <translation>звук вкл. / выкл.</translation>
    </message>
    <message>
        <source>vollbild</source>
        <translation>весь экран</translation>
    </message>
    <message>
        <source>diese hilfe</source>
        <translation>эта справка</translation>
    </message>
    <message>
        <source>du spielst spieler </source>
        <translation>ты играешь за игрока </translation>
    </message>
    <message>
        <source>sagen: </source>
        <translation>сказать: </translation>
    </message>
    <message>
        <source>name eingeben</source>
        <translation>введи имя</translation>
    </message>
    <message>
        <source>nachricht schreiben</source>
        <translation>написать сообщение</translation>
    </message>
    <message>
        <source>tab halten</source>
        <translation>держи tab</translation>
    </message>
    <message>
        <source>wer spielt mit</source>
        <translation>кто играет</translation>
    </message>
    <message>
        <source>zu viele nachrichten, eine ging verloren</source>
        <translation>слишком много сообщений, одно потеряно</translation>
    </message>
    <message>
        <source>n: name: </source>
        <translation>n: имя: </translation>
    </message>
    <message>
        <source>n: name</source>
        <translation>n: имя</translation>
    </message>
    <message>
        <source>passwort eingeben</source>
        <translation>введи пароль</translation>
    </message>
    <message>
        <source>p: passwort: </source>
        <translation>p: пароль: </translation>
    </message>
    <message>
        <source>p: passwort</source>
        <translation>p: пароль</translation>
    </message>
    <message>
        <source>wieder beitreten</source>
        <translation>войти снова</translation>
    </message>
    <message>
        <source>r: wieder beitreten: </source>
        <translation>r: войти снова: </translation>
    </message>
    <message>
        <source>name</source>
        <translation>имя</translation>
    </message>
    <message>
        <source>adresse</source>
        <translation>адрес</translation>
    </message>
    <message>
        <source>ping</source>
        <translation>пинг</translation>
    </message>
    <message>
        <source> (du)</source>
        <translation> (ты)</translation>
    </message>
    <message>
        <source>host</source>
        <translation>хост</translation>
    </message>
    <message>
        <source>tal nummer %1</source>
        <translation>долина номер %1</translation>
    </message>
    <message>
        <source>tal: %1</source>
        <translation>долина: %1</translation>
    </message>
    <message>
        <source>wind: leicht</source>
        <translation>ветер: слабый</translation>
    </message>
    <message>
        <source>wind: stark</source>
        <translation>ветер: сильный</translation>
    </message>
    <message>
        <source>waffen: alle</source>
        <translation>оружие: всё</translation>
    </message>
    <message>
        <source>zufall %1</source>
        <translation>случайная %1</translation>
    </message>
    <message>
        <source>standard</source>
        <translation>обычная</translation>
    </message>
    <message>
        <source>stark</source>
        <translation>сильный</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>всё</translation>
    </message>
    <message>
        <source>wind %1</source>
        <translation>ветер %1</translation>
    </message>
    <message>
        <source>granate</source>
        <translation>граната</translation>
    </message>
    <message>
        <source>return: starten</source>
        <translation>return: старт</translation>
    </message>
    <message>
        <source>t: tal: </source>
        <translation>t: долина: </translation>
    </message>
    <message>
        <source>z: neue zahl, 0 - 9: zahl</source>
        <translation>z: новое число, 0 - 9: число</translation>
    </message>
    <message>
        <source>w: wind: </source>
        <translation>w: ветер: </translation>
    </message>
    <message>
        <source>a: waffen: </source>
        <translation>a: оружие: </translation>
    </message>
    <message>
        <source>spiel starten</source>
        <translation>начать игру</translation>
    </message>
    <message>
        <source>tal: standard, zufall, eigene bilder</source>
        <translation>долина: обычная, случайная, свои картинки</translation>
    </message>
    <message>
        <source>neue talnummer</source>
        <translation>новый номер долины</translation>
    </message>
    <message>
        <source>talnummer eintippen</source>
        <translation>введи номер долины</translation>
    </message>
    <message>
        <source>wind: aus, leicht, stark</source>
        <translation>ветер: нет, слабый, сильный</translation>
    </message>
    <message>
        <source>waffen: granate, alle</source>
        <translation>оружие: граната, всё</translation>
    </message>
    <message>
        <source>streubombe</source>
        <translation>кассетная бомба</translation>
    </message>
    <message>
        <source>grossgranate</source>
        <translation>тяжёлый снаряд</translation>
    </message>
    <message>
        <source>buddler</source>
        <translation>копатель</translation>
    </message>
    <message>
        <source>huepfgranate</source>
        <translation>прыгунья</translation>
    </message>
    <message>
        <source>waffe</source>
        <translation>оружие</translation>
    </message>
    <message>
        <source>optionen</source>
        <translation>опции</translation>
    </message>
    <message>
        <source>o / esc</source>
        <translation>o / esc</translation>
    </message>
    <message>
        <source>nacht</source>
        <translation>ночь</translation>
    </message>
    <message>
        <source>klassisch</source>
        <translation>обычный</translation>
    </message>
    <message>
        <source>hell</source>
        <translation>яркий</translation>
    </message>
    <message>
        <source>dreht immer</source>
        <translation>вращает всегда</translation>
    </message>
    <message>
        <source>nur mit rechter taste</source>
        <translation>только с правой кнопкой</translation>
    </message>
    <message>
        <source>licht: </source>
        <translation>свет: </translation>
    </message>
    <message>
        <source>licht: nacht, klassisch, hell</source>
        <translation>свет: ночь, обычный, яркий</translation>
    </message>
    <message>
        <source>maus: </source>
        <translation>мышь: </translation>
    </message>
    <message>
        <source>maus: dreht immer, nur mit rechter taste</source>
        <translation>мышь: вращает всегда, только с правой кнопкой</translation>
    </message>
    <message>
        <source>effekte: </source>
        <translation>эффекты: </translation>
    </message>
    <message>
        <source>effekte leiser, lauter</source>
        <translation>эффекты тише, громче</translation>
    </message>
    <message>
        <source>musik: </source>
        <translation>музыка: </translation>
    </message>
    <message>
        <source>musik leiser, lauter</source>
        <translation>музыка тише, громче</translation>
    </message>
    <message>
        <source>vollbild: </source>
        <translation>весь экран: </translation>
    </message>
    <message>
        <source>vollbild an / aus</source>
        <translation>весь экран вкл. / выкл.</translation>
    </message>
    <message>
        <source>an</source>
        <translation>вкл.</translation>
    </message>
    <message>
        <source>aufloesung: </source>
        <translation>разрешение: </translation>
    </message>
    <message>
        <source>aufloesung: auto, 100 % bis 25 %</source>
        <translation>разрешение: авто, от 100 % до 25 %</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>авто</translation>
    </message>
    <message>
        <source>o: optionen</source>
        <translation>o: опции</translation>
    </message>
    <message>
        <source>o / esc: zurueck</source>
        <translation>o / esc: назад</translation>
    </message>
    <message>
        <source>rechte taste + maus</source>
        <translation>правая кнопка + мышь</translation>
    </message>
    <message>
        <source>wie zuletzt</source>
        <translation>как в прошлый раз</translation>
    </message>
    <message>
        <source>return: %1</source>
        <translation>return: %1</translation>
    </message>
    <message>
        <source>l: spiele im netz</source>
        <translation>l: игры в сети</translation>
    </message>
    <message>
        <source>spiele im netz</source>
        <translation>игры в сети</translation>
    </message>
    <message>
        <source>keine gefunden</source>
        <translation>ничего не найдено</translation>
    </message>
    <message>
        <source>andere version: %1</source>
        <translation>другая версия: %1</translation>
    </message>
    <message>
        <source>return: beitreten, s: neu suchen</source>
        <translation>return: войти, s: искать снова</translation>
    </message>
    <message>
        <source>spiel waehlen</source>
        <translation>выбрать игру</translation>
    </message>
    <message>
        <source>neu suchen</source>
        <translation>искать снова</translation>
    </message>
    <message>
        <source>s: statistik</source>
        <translation>s: статистика</translation>
    </message>
    <message>
        <source>statistik / sieger</source>
        <translation>статистика / победитель</translation>
    </message>
    <message>
        <source>s: sieger</source>
        <translation>s: победитель</translation>
    </message>
    <message>
        <source>return: zum hauptmenue</source>
        <translation>return: в главное меню</translation>
    </message>
    <message>
        <source>esc: spiel verlassen</source>
        <translation>esc: покинуть игру</translation>
    </message>
    <message>
        <source>statistik</source>
        <translation>статистика</translation>
    </message>
    <message>
        <source>ausgeteilt</source>
        <translation>нанесено</translation>
    </message>
    <message>
        <source>eingesteckt</source>
        <translation>получено</translation>
    </message>
    <message>
        <source>selbst</source>
        <translation>себе</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>потеряно</translation>
    </message>
    <message>
        <source>bester wurf</source>
        <translation>лучший бросок</translation>
    </message>
    <message>
        <source>%1 (zug %2)</source>
        <translation>%1 (ход %2)</translation>
    </message>
    <message>
        <source>lebenspunkte</source>
        <translation>очки жизни</translation>
    </message>
    <message>
        <source>zug</source>
        <translation>ход</translation>
    </message>
    <message>
        <source>ende</source>
        <translation>конец</translation>
    </message>
    <message>
        <source>einladungslink kopieren</source>
        <translation>копировать ссылку-приглашение</translation>
    </message>
    <message>
        <source>upnp: router leitet den port weiter, an / aus</source>
        <translation>upnp: роутер пробрасывает порт, вкл. / выкл.</translation>
    </message>
    <message>
        <source>erreichbar unter %1</source>
        <translation>доступен по %1</translation>
    </message>
    <message>
        <source>erreichbar unter %1, router erneuert nicht</source>
        <translation>доступен по %1, роутер не продлевает</translation>
    </message>
    <message>
        <source>kein router fuer upnp gefunden</source>
        <translation>роутер для upnp не найден</translation>
    </message>
    <message>
        <source>dieses spiel ist ohne upnp gebaut</source>
        <translation>игра собрана без upnp</translation>
    </message>
    <message>
        <source>router leitet nicht weiter: %1</source>
        <translation>роутер не пробрасывает: %1</translation>
    </message>
    <message>
        <source>upnp: frage den router ...</source>
        <translation>upnp: спрашиваю роутер ...</translation>
    </message>
    <message>
        <source>k: link kopiert</source>
        <translation>k: ссылка скопирована</translation>
    </message>
    <message>
        <source>k: link kopieren</source>
        <translation>k: копировать ссылку</translation>
    </message>
    <message>
        <source>u: upnp: an</source>
        <translation>u: upnp: вкл.</translation>
    </message>
    <message>
        <source>u: upnp: aus</source>
        <translation>u: upnp: выкл.</translation>
    </message>
    <message>
        <source>automatisch</source>
        <translation>авто</translation>
    </message>
    <message>
        <source>sprache: </source>
        <translation>язык: </translation>
    </message>
    <message>
        <source>sprache der texte</source>
        <translation>язык текстов</translation>
    </message>
    <message>
        <source>wiederholung unvollstaendig</source>
        <translation>повтор неполный</translation>
    </message>
    <message>
        <source>wiederholung beschaedigt</source>
        <translation>повтор повреждён</translation>
    </message>
    <message>
        <source>wiederholung zu gross</source>
        <translation>повтор слишком большой</translation>
    </message>
    <message>
        <source>keine wiederholung</source>
        <translation>это не повтор</translation>
    </message>
    <message>
        <source>wiederholung der version %1 wird nicht unterstuetzt</source>
        <translation>повторы версии %1 не поддерживаются</translation>
    </message>
    <message>
        <source>%1: wiederholung nicht geschrieben (%2)</source>
        <translation>%1: повтор не записан (%2)</translation>
    </message>
    <message>
        <source>ordner nicht anlegbar</source>
        <translation>папку не создать</translation>
    </message>
    <message>
        <source>leertaste</source>
        <translation>пробел</translation>
    </message>
    <message>
        <source>tempo</source>
        <translation>скорость</translation>
    </message>
    <message>
        <source>bild auf / ab</source>
        <translation>page up / down</translation>
    </message>
    <message>
        <source>zug davor / danach</source>
        <translation>ход до / после</translation>
    </message>
    <message>
        <source>dem zug folgen</source>
        <translation>следить за ходом</translation>
    </message>
    <message>
        <source>wiederholungen</source>
        <translation>повторы</translation>
    </message>
    <message>
        <source>wiederholung waehlen</source>
        <translation>выбрать повтор</translation>
    </message>
    <message>
        <source>ansehen</source>
        <translation>смотреть</translation>
    </message>
    <message>
        <source>w: wiederholungen</source>
        <translation>w: повторы</translation>
    </message>
    <message>
        <source>nicht beendet</source>
        <translation>не окончен</translation>
    </message>
    <message>
        <source>sieger: %1</source>
        <translation>победитель: %1</translation>
    </message>
    <message>
        <source>return: ansehen</source>
        <translation>return: смотреть</translation>
    </message>
    <message>
        <source>wiederholung: zug %1/%2, %3</source>
        <translation>повтор: ход %1/%2, %3</translation>
    </message>
    <message>
        <source>, pause</source>
        <translation>, пауза</translation>
    </message>
    <message>
        <source>leertaste: pause, +/-: tempo</source>
        <translation>пробел: пауза, +/-: скорость</translation>
    </message>
    <message>
        <source>bild auf/ab: zug, f: folgen</source>
        <translation>page up/down: ход, f: следить</translation>
    </message>
    <message>
        <source>training</source>
        <translation>тренировка</translation>
    </message>
    <message>
        <source>tipp: pfeiltasten fahren</source>
        <translation>совет: стрелки ведут</translation>
    </message>
    <message>
        <source>tipp: return: feuermodus</source>
        <translation>совет: return: огонь</translation>
    </message>
    <message>
        <source>tipp: links / rechts zielen</source>
        <translation>совет: влево / вправо целиться</translation>
    </message>
    <message>
        <source>tipp: hoch / runter: staerke</source>
        <translation>совет: вверх / вниз: сила</translation>
    </message>
    <message>
        <source>tipp: der wind treibt die granate</source>
        <translation>совет: ветер сносит гранату</translation>
    </message>
    <message>
        <source>tipp: return wirft</source>
        <translation>совет: return бросает</translation>
    </message>
    <message>
        <source>noch %1 ziele</source>
        <translation>осталось целей: %1</translation>
    </message>
    <message>
        <source>geschafft: %1 s</source>
        <translation>готово: %1 с</translation>
    </message>
    <message>
        <source>verloren</source>
        <translation>проиграно</translation>
    </message>
    <message>
        <source>t: training</source>
        <translation>t: тренинг</translation>
    </message>
</context>
</TS>
