<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Brain</name>
    <message>
        <source>Spielbrett</source>
        <translation>Game board</translation>
    </message>
    <message>
        <source>Farbe wählen</source>
        <translation>Pick this colour</translation>
    </message>
    <message>
        <source>Reihe %1, Spalte %2</source>
        <translation>Row %1, column %2</translation>
    </message>
    <message>
        <source>leer</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>Ziffer 1 bis 6 setzt eine Farbe</source>
        <translation>Keys 1 to 6 place a colour</translation>
    </message>
    <message>
        <source>Reihe %1, %2</source>
        <extracomment>A row&apos;s lamp group; then what it counts, and how many lamps are lit</extracomment>
        <translation>Row %1, %2</translation>
    </message>
    <message>
        <source>richtige Positionen und Farben</source>
        <translation>right colour and place</translation>
    </message>
    <message>
        <source>richtige Farben</source>
        <translation>right colour</translation>
    </message>
    <message>
        <source>Richtige Positionen und Farben</source>
        <extracomment>Heading over the left lamps, three short lines at most</extracomment>
        <translation>Right colour and place</translation>
    </message>
    <message>
        <source>Richtige Farben</source>
        <extracomment>Heading over the right lamps, two short lines at most</extracomment>
        <translation>Right colour</translation>
    </message>
    <message>
        <source>Abdeckung</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source> &amp;Nächster Versuch</source>
        <extracomment>The button that opens the next row; the blank before it is the design&apos;s</extracomment>
        <translation> &amp;Next try</translation>
    </message>
    <message>
        <source>&amp;Zeigen</source>
        <extracomment>The button that evaluates the row; its access key must differ from the menus&apos; and the other button&apos;s</extracomment>
        <translation>&amp;Check</translation>
    </message>
    <message>
        <source>&amp;Spiel</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Schwierigkeitsgrad</source>
        <translation>Difficulty</translation>
    </message>
    <message>
        <source>Einfach</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>Schwer</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>Superbrain</source>
        <translation>Superbrain</translation>
    </message>
    <message>
        <source>Highscore</source>
        <translation>High Scores</translation>
    </message>
    <message>
        <source>Lösung anzeigen</source>
        <translation>Show Solution</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Anleitung</source>
        <translation>&amp;How to Play</translation>
    </message>
    <message>
        <source>&amp;Über</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>&amp;Softwarekatalog</source>
        <translation>&amp;Software Catalogue</translation>
    </message>
    <message>
        <source>&amp;Spiel beginnen</source>
        <translation>&amp;Start game</translation>
    </message>
    <message>
        <source>Reihe %1: richtige Positionen und Farben %2, richtige Farben %3</source>
        <extracomment>Said after a row is evaluated: the row, the lit lamps on the left, those on the right</extracomment>
        <translation>Row %1: right colour and place %2, right colour %3</translation>
    </message>
    <message>
        <source>keine Reihe abgedeckt</source>
        <translation>no rows covered</translation>
    </message>
    <message>
        <source>Reihe %1 abgedeckt</source>
        <translation>row %1 covered</translation>
    </message>
    <message>
        <source>Reihen %1 bis %2 abgedeckt</source>
        <translation>rows %1 to %2 covered</translation>
    </message>
    <message>
        <source>%1 gewählt, %2</source>
        <extracomment>A level just checked (&quot;Schwer&quot;) and the rows its masks cover</extracomment>
        <translation>%1 selected, %2</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 gewählt</source>
        <extracomment>Said when a colour is picked from the palette</extracomment>
        <translation>%1 picked</translation>
    </message>
    <message>
        <source>Nächster Versuch</source>
        <extracomment>The same caption as &quot; &amp;Nächster Versuch&quot;, now without its blank and access key</extracomment>
        <translation>Next try</translation>
    </message>
    <message>
        <source>Das klappt !</source>
        <translation>That works!</translation>
    </message>
    <message>
        <source>Vier verschiedene Farben auswählen !</source>
        <translation>Choose four different colours!</translation>
    </message>
    <message>
        <source>Code geknackt !</source>
        <translation>Code cracked!</translation>
    </message>
    <message>
        <source>Code leider nicht geknackt !</source>
        <translation>Sorry, the code is not cracked!</translation>
    </message>
    <message>
        <source>Probier es nochmal !</source>
        <translation>Try again!</translation>
    </message>
    <message>
        <source>Code nicht geknackt !</source>
        <translation>Code not cracked!</translation>
    </message>
    <message>
        <source>Code nicht geknackt!</source>
        <translation>Code not cracked!</translation>
    </message>
    <message>
        <source>Probier es nochmal!</source>
        <translation>Try again!</translation>
    </message>
    <message>
        <source>Farbrix v. 1.0 – © 2026 Die Farbrix-Entwickler – freie Software (MIT)</source>
        <extracomment>The credits along the board&apos;s bottom edge, one line</extracomment>
        <translation>Farbrix v. 1.0 – © 2026 The Farbrix developers – free software (MIT)</translation>
    </message>
    <message>
        <source>Spalte %1: %2</source>
        <translation>Column %1: %2</translation>
    </message>
    <message>
        <source>Spalte %1 leer.</source>
        <translation>Column %1 empty.</translation>
    </message>
    <message>
        <source>Erst Spiel beginnen</source>
        <translation>Start the game first</translation>
    </message>
    <message>
        <source>Reihe %1 ist voll</source>
        <translation>Row %1 is full</translation>
    </message>
    <message>
        <source>Zeigen erst mit einer Kugel in Spalte 4</source>
        <translation>Check needs a ball in column 4 first</translation>
    </message>
    <message>
        <source>Reihe %1 ist gezeigt, weiter mit Nächster Versuch</source>
        <translation>Row %1 is checked; go on with Next try</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Diese Superhirne brauchten nur sehr wenige Versuche , um den Code zu  knacken:</source>
        <extracomment>Heading of the highscore table, two lines</extracomment>
        <translation>These superbrains needed only very few attempts to crack the code:</translation>
    </message>
    <message>
        <source>1 Versuch</source>
        <extracomment>The captions before the five names are narrower than the names&apos; boxes</extracomment>
        <translation>1 attempt</translation>
    </message>
    <message>
        <source>2 Versuche</source>
        <translation>2 attempts</translation>
    </message>
    <message>
        <source>3 Versuche</source>
        <translation>3 attempts</translation>
    </message>
    <message>
        <source>4 Versuche</source>
        <translation>4 attempts</translation>
    </message>
    <message>
        <source>5 Versuche</source>
        <translation>5 attempts</translation>
    </message>
    <message>
        <source>Highscores</source>
        <translation>High Scores</translation>
    </message>
    <message>
        <source>Name für 1 Versuch</source>
        <translation>Name for 1 attempt</translation>
    </message>
    <message>
        <source>Name für %1 Versuche</source>
        <translation>Name for %1 attempts</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>1 Versuch: %1.</source>
        <translation>1 attempt: %1.</translation>
    </message>
    <message>
        <source>%1 Versuche: %2.</source>
        <translation>%1 attempts: %2.</translation>
    </message>
    <message>
        <source>Bisher: %1</source>
        <translation>Held by: %1</translation>
    </message>
</context>
<context>
    <name>FrmAbout</name>
    <message>
        <source>Die Farbrix-Entwickler – Programm und Bilder: das Farbrix-Team – Quelltext: apt source farbrix</source>
        <extracomment>The line that scrolls through the about window</extracomment>
        <translation>The Farbrix developers – program and pictures: the Farbrix team – source code: apt source farbrix</translation>
    </message>
    <message>
        <source>Die Farbrix-Entwickler</source>
        <translation>The Farbrix Developers</translation>
    </message>
    <message>
        <source>© 2026 Die Farbrix-Entwickler                                        Programm und Bilder: das Farbrix-Team                                    Mitarbeit: alle, die Fehler melden</source>
        <extracomment>Three lines, each ended by a run of blanks long enough to push the next item onto a line of its own</extracomment>
        <translation>© 2026 The Farbrix developers                                        Program and pictures: the Farbrix team                                    With help from all who report bugs</translation>
    </message>
    <message>
        <source>Farbrix ist freie Software unter der MIT-Lizenz: Sie dürfen es spielen, verändern, weitergeben und auch verkaufen, solange der Lizenztext dabei bleibt. Gefällt Ihnen das Spiel, oder haben Sie einen Fehler gefunden? Schreiben Sie uns!</source>
        <translation>Farbrix is free software under the MIT licence: you may play it, change it, share it and even sell it, as long as the licence text goes with it. Do you like the game, or have you found a bug? Write to us!</translation>
    </message>
    <message>
        <source>Die Farbrix-Entwickler – Farbrix v. 1.0                                               Lizenz: MIT (Expat)                                                                        Quelltext: apt source farbrix                                                                      Fehler melden: reportbug farbrix</source>
        <extracomment>Four lines, each ended by a run of blanks long enough to push the next item onto a line of its own</extracomment>
        <translation>The Farbrix developers – Farbrix v. 1.0                                               Licence: MIT (Expat)                                                                        Source code: apt source farbrix                                                                      Report a bug: reportbug farbrix</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FrmAnleitung</name>
    <message>
        <source>                                                                         Finden Sie die richtige Kombination von Farbkugeln  heraus, um zu gewinnen !                                               Ziel des Spiels ist es, eine Kombination von farbigen Kugeln, die per Zufall zusammengestellt wird, zu erraten. Eine Spielrunde besteht aus 10 Versuchen.  Die zu erratende Kombination kann besteht aus vier verschiedenen Farbkugeln. Es können rote, grüne, orange, gelbe, blaue und  weiße Kugeln eingesetzt werden.  Das Spiel können Sie mit einen Mausklick auf &quot;Spiel starten&quot; beginnen. Klicken Sie die Kugel Ihrer Wahl an. Die gewünschte  Kugel  können Sie nun per Mausklick in einen Ring Ihrer Wahl bringen. Dazu fahren Sie mit der Maus in die oberste freie Ringreihe.  Haben Sie vier Kugeln ausgewählt, so klicken Sie auf &quot;Zeigen&quot;.Die Lämpchen auf der linken Seite zeigen  nun die Anzahl  der richtigen Farbpositionen an, die Lämpchen auf der rechten Seite zeigen die Anzahl der richtigen Farben an. Das Spiel ist gewonnen, wenn alle Lämpchen leuchten!    In der Menüleiste können Sie den 2-Spielermodus und 3 Schwierigkeitsgrade anwählen. Außerdem kann man sich die Lösung anzeigen lassen.</source>
        <extracomment>The label breaks lines at blanks only and swallows a run of blanks at a break. Pad the first line with blanks so that the heading stands alone on it, and the first sentence so that the rules start on a fresh line; the whole text must fit above the OK button.</extracomment>
        <translation>                                                                         Find the right combination of coloured balls to win!                                               The aim of the game is to guess a combination of coloured balls put together at random. A round has 10 attempts. The combination is made of four balls of different colours: red, green, orange, yellow, blue and white balls can be used. Start the game with a click on &quot;Start game&quot;. Click the ball of your choice, then click a ring of your choice to put the ball into it: move the mouse to the topmost free row of rings. Once you have placed four balls, click &quot;Check&quot;. The lamps on the left now show how many balls have the right colour in the right place, the lamps on the right how many have the right colour. You win when all the lamps light up!    In the menu bar you can choose the two-player mode and 3 levels of difficulty. You can also have the solution shown.</translation>
    </message>
    <message>
        <source>Spielanleitung</source>
        <translation>How to Play</translation>
    </message>
    <message>
        <source>Spielregeln</source>
        <translation>Rules</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Mit Tab zu den Spielregeln</source>
        <translation>Tab goes to the rules</translation>
    </message>
</context>
<context>
    <name>FrmSoftware</name>
    <message>
        <source>Farbrix zum Selberbauen – der Quelltext der Farbrix-Entwickler</source>
        <translation>Build Your Own Farbrix – the Farbrix developers&apos; source code</translation>
    </message>
    <message>
        <source>Farbrix zum Selberbauen ist der vollständige Quelltext dieses Spiels: C++ und Qt, die Spielregeln ohne ein einziges Fenster, jedes Fenster nach seinem Entwurf gebaut, alle Bilder mit QPainter gezeichnet, und dazu Tests, die jeden Klick und jede Taste nachspielen.

Ändern Sie die Regeln, malen Sie neue Kugeln, übersetzen Sie die Texte in Ihre Sprache oder bauen Sie ein ganz neues Knobelspiel daraus. Die MIT-Lizenz erlaubt es: spielen, verändern, weitergeben und verkaufen, solange der Lizenztext dabei bleibt.

Farbrix zum Selberbauen kostet nichts. Sie brauchen nur einen Rechner mit Debian und einem C++-Compiler.</source>
        <translation>Build Your Own Farbrix is the complete source code of this game: C++ and Qt, the rules without a single window, every window built to its design, every picture drawn with QPainter, and tests that replay every click and every key.

Change the rules, paint new balls, translate the texts into your language or turn it into a whole new puzzle game. The MIT licence allows it: play, change, share and sell, as long as the licence text goes with it.

Build Your Own Farbrix costs nothing. All you need is a computer with Debian and a C++ compiler.</translation>
    </message>
    <message>
        <source>Den Quelltext holen Sie sich unter Debian mit:</source>
        <translation>On Debian, get the source code with:</translation>
    </message>
    <message>
        <source>„Permission is hereby granted, free of charge, to any person …“ (aus der MIT-Lizenz)</source>
        <translation>“Permission is hereby granted, free of charge, to any person …” (from the MIT licence)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FrmSplash</name>
    <message>
        <source>Den Quelltext holen Sie sich unter Debian mit: apt source farbrix</source>
        <translation>On Debian, get the source code with: apt source farbrix</translation>
    </message>
    <message>
        <source>© 2026 Farbrix-Team</source>
        <translation>© 2026 Farbrix team</translation>
    </message>
    <message>
        <source>Neugierig, wie Farbrix denkt? Sein Quelltext gehört auch Ihnen!</source>
        <translation>Curious how Farbrix thinks? Its source code is yours too!</translation>
    </message>
    <message>
        <source>programmiert von den Farbrix-Entwicklern</source>
        <translation>programmed by the Farbrix developers</translation>
    </message>
    <message>
        <source>Farbrix ist freie Software unter der MIT-Lizenz: Sie dürfen es spielen, verändern, weitergeben und auch verkaufen, solange der Lizenztext dabei bleibt. Quelltext unter Debian: apt source farbrix</source>
        <translation>Farbrix is free software under the MIT licence: you may play it, change it, share it and even sell it, as long as the licence text goes with it. Source code on Debian: apt source farbrix</translation>
    </message>
    <message>
        <source>Das Farbcode-Knobelspiel</source>
        <translation>The Colour Code Puzzle</translation>
    </message>
    <message>
        <source>&amp;Quelltext ?</source>
        <extracomment>Its access key must differ from that of &quot;&amp;Start&quot;, on the same window</extracomment>
        <translation>Source &amp;code?</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
</context>
<context>
    <name>Shape</name>
    <message>
        <source>keine Lampe leuchtet</source>
        <translation>no lamp lit</translation>
    </message>
    <message>
        <source>1 Lampe leuchtet</source>
        <translation>1 lamp lit</translation>
    </message>
    <message>
        <source>%1 Lampen leuchten</source>
        <translation>%1 lamps lit</translation>
    </message>
</context>
<context>
    <name>WinorLose</name>
    <message>
        <source>Die richtige Kombination :</source>
        <extracomment>Heading over the four balls of the hidden combination, one line</extracomment>
        <translation>The right combination:</translation>
    </message>
    <message>
        <source>Stelle %1</source>
        <translation>Position %1</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>leer</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>Die richtige Kombination: %1</source>
        <extracomment>What a screen reader hears with the OK button: the four colours, by commas</extracomment>
        <translation>The right combination: %1</translation>
    </message>
</context>
<context>
    <name>board</name>
    <message>
        <source>Rot</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Gelb</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Blau</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Weiß</source>
        <translation>White</translation>
    </message>
</context>
<context>
    <name>highscore</name>
    <message>
        <source>Ein Name hat kein schließendes Anführungszeichen.</source>
        <translation>A name has no closing quotation mark.</translation>
    </message>
    <message>
        <source>Ein Name enthält Zeichen, die kein Windows-1252-Text sind.</source>
        <translation>A name holds characters that are not Windows-1252 text.</translation>
    </message>
    <message>
        <source>Sie enthält weniger als fünf Namen.</source>
        <translation>It holds fewer than five names.</translation>
    </message>
    <message>
        <source>Die Verknüpfung unter diesem Namen führt zu keiner Datei.</source>
        <translation>The link of that name leads to no file.</translation>
    </message>
    <message>
        <source>Die Verknüpfung unter diesem Namen gehört einem anderen Benutzer.</source>
        <translation>The link of that name belongs to another user.</translation>
    </message>
    <message>
        <source>Unter diesem Namen liegt ein Ordner.</source>
        <translation>That name is a folder.</translation>
    </message>
    <message>
        <source>Unter diesem Namen liegt keine gewöhnliche Datei.</source>
        <translation>That name is not an ordinary file.</translation>
    </message>
    <message>
        <source>Die Verknüpfung unter diesem Namen führt zur Datei eines anderen Benutzers.</source>
        <translation>The link of that name leads to another user&apos;s file.</translation>
    </message>
    <message>
        <source>Der Zugriff auf die Datei ist nicht erlaubt.</source>
        <translation>Access to the file is not allowed.</translation>
    </message>
    <message>
        <source>Das Betriebssystem meldet: %1</source>
        <translation>The operating system reports: %1</translation>
    </message>
    <message>
        <source>Der Ordner existiert nicht.</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>Der Ordner ist schreibgeschützt.</source>
        <translation>The folder is read-only.</translation>
    </message>
    <message>
        <source>Die Datei ist schreibgeschützt.</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>Der Datenträger ist voll.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>Auf dem Datenträger ist kein Platz für eine weitere Datei.</source>
        <translation>The disk has no room for another file.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste konnte nicht in „%1“ gespeichert werden. %2</source>
        <translation>The high score list could not be saved in “%1”. %2</translation>
    </message>
    <message>
        <source>Die Datei lässt sich nicht sperren. Das Betriebssystem meldet: %1</source>
        <translation>The file cannot be locked. The operating system reports: %1</translation>
    </message>
    <message>
        <source>Ein Name enthält Zeichen, die die Datei nicht aufnehmen kann.</source>
        <translation>A name holds characters the file cannot store.</translation>
    </message>
    <message>
        <source> Eine Liste, die nicht gelesen werden kann, wird nicht überschrieben.</source>
        <translation> A list that cannot be read is not overwritten.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste „%1“ konnte nicht gelesen werden. %2</source>
        <translation>The high score list “%1” could not be read. %2</translation>
    </message>
    <message>
        <source>Ein anderes Spiel speichert sie gerade.</source>
        <translation>Another game is saving it right now.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste „%1“ ist beschädigt. %2</source>
        <translation>The high score list “%1” is damaged. %2</translation>
    </message>
    <message>
        <source> Sie ist als „%1“ aufbewahrt; OK schreibt die Liste neu.</source>
        <translation> It has been kept as “%1”; OK writes the list afresh.</translation>
    </message>
    <message>
        <source>Es liegen schon %1 aufbewahrte Kopien neben ihr.</source>
        <translation>%1 kept copies already lie beside it.</translation>
    </message>
    <message>
        <source> Sie kann nicht beiseitegelegt werden: %1 Da ihr nur das Ende fehlt, schreibt OK sie mit jedem vollständigen Namen neu.</source>
        <translation> It cannot be put aside: %1 As only its end is missing, OK writes it afresh with every complete name.</translation>
    </message>
    <message>
        <source> Sie kann nicht beiseitegelegt werden: %1 Darum wird sie nicht überschrieben.</source>
        <translation> It cannot be put aside: %1 So it is not overwritten.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste „%1“ wird gerade von einem anderen Spiel gespeichert. Bitte gleich noch einmal OK drücken.</source>
        <translation>Another game is saving the high score list “%1” right now. Please press OK again in a moment.</translation>
    </message>
    <message>
        <source> Darum wird sie nicht überschrieben.</source>
        <translation> So it is not overwritten.</translation>
    </message>
    <message>
        <source>Ein Name ist länger als die %1 Zeichen, die ein Name haben kann.</source>
        <translation>A name is longer than the %1 characters a name can have.</translation>
    </message>
    <message>
        <source>Die Datei hat noch einen anderen Namen (eine harte Verknüpfung), der außerhalb des Spielordners liegen kann. Darum wird sie nicht überschrieben.</source>
        <translation>The file has another name as well (a hard link), which may lie outside the play folder. So it is not overwritten.</translation>
    </message>
    <message>
        <source>Die Datei enthält mehr, als eine Highscore-Liste enthalten kann, und ohne eine Kopie würde das verloren gehen.</source>
        <translation>The file holds more than a high score list can hold, and without a copy that would be lost.</translation>
    </message>
    <message>
        <source>Die Datei der Highscore-Liste „%1“ enthält mehr als die fünf Namen der Liste.</source>
        <translation>The file of the high score list “%1” holds more than the list’s five names.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste „%1“ ist gerade von einem anderen Programm gesperrt. Bitte gleich noch einmal OK drücken.</source>
        <translation>Another program has locked the high score list “%1” right now. Please press OK again in a moment.</translation>
    </message>
    <message>
        <source>Die Highscore-Liste „%1“ ist gerade vom Programm „%2“ (Prozess %3) gesperrt. Bitte noch einmal OK drücken, wenn es sie freigegeben hat.</source>
        <translation>The program “%2” (process %3) has locked the high score list “%1”. Please press OK again once it has let go of it.</translation>
    </message>
    <message>
        <source>Ein Programm des Benutzers „%1“ (Prozess %2) hält die Highscore-Liste „%3“ gesperrt.</source>
        <translation>A program of the user “%1” (process %2) holds the high score list “%3” locked.</translation>
    </message>
    <message>
        <source>Ein Programm, dessen Benutzer sich nicht feststellen lässt, hält die Highscore-Liste „%1“ gesperrt; andere Benutzer dürfen sie öffnen.</source>
        <translation>A program whose user cannot be told holds the high score list “%1” locked; other users may open it.</translation>
    </message>
    <message>
        <source>Farbrix hat sie darum durch eine neue Datei ersetzt, die andere Benutzer nicht öffnen können, und die Namen darin gespeichert.</source>
        <translation>So Farbrix has replaced it with a new file that other users cannot open, and saved the names in it.</translation>
    </message>
    <message>
        <source>Der Name bleibt im Fenster; bitte noch einmal OK drücken, wenn die Sperre aufgehoben ist.</source>
        <translation>The name stays in the window; please press OK again once the lock is gone.</translation>
    </message>
</context>
<context>
    <name>picture</name>
    <message>
        <source>Die Datei ist nicht vorhanden.</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>Unter diesem Namen liegt ein Ordner, keine Bilddatei.</source>
        <translation>That name is a folder, not a picture file.</translation>
    </message>
    <message>
        <source>Unter diesem Namen liegt keine gewöhnliche Datei, keine Bilddatei.</source>
        <translation>That name is not an ordinary file, not a picture file.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden (keine Berechtigung).</source>
        <translation>The file cannot be read (no permission).</translation>
    </message>
    <message>
        <source>Die Datei ist leer, beschädigt oder kein Bild.</source>
        <translation>The file is empty, damaged or not a picture.</translation>
    </message>
    <message>
        <source>Das Bild „%1“ konnte nicht geladen werden.

Gesucht im Ordner:
%2

%3</source>
        <translation>The picture “%1” could not be loaded.

Looked for in the folder:
%2

%3</translation>
    </message>
</context>
</TS>
