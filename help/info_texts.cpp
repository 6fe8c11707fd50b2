#include "help/info_texts.h"

namespace {
const InfoLine kEmpty{};
} // namespace

QString assembleInfoText(const std::vector<InfoLine>& lines, bool endLastLine)
{
    QString text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += QString::fromUtf8(lines[i].first);
        text += QString(lines[i].tabs, QLatin1Char('\t'));
        text += QString::fromUtf8(lines[i].after);
        if (endLastLine || i + 1 < lines.size())
            text += QStringLiteral("\r\n");
    }
    return text;
}

const std::vector<InfoLine>& aboutLines()
{
    static const std::vector<InfoLine> lines{
        kEmpty,
        {" 'RayLore' ist ein Computerlernsystem zur geometrischen Optik."},
        {"  Es umfaßt drei Simulationsprogramme:"},
        kEmpty,
        {" 'Spiegel':    ", 2, "Reflexion an sphärischen und parabolischen Spiegeln"},
        kEmpty,
        {" 'Reale Linsen':", 2, "Brechung an gekrümmten Grenzflächen"},
        kEmpty,
        {" 'Optischer Baukasten':", 1, "Strahlenverlauf durch Systeme idealisierter Linsen"},
        kEmpty,
        {" Die Programme lassen sich durch Doppelklick auf die entsprechenden Symbole starten."},
        kEmpty,
        kEmpty,
        {" Für den Unterricht in Schule und Hochschule, am Bildschirm oder mit dem Projektor."},
        {" Alle Längen werden in Längeneinheiten (LE) angegeben."},
        kEmpty,
        {" RayLore, Version 1.0"},
    };
    return lines;
}

const std::vector<InfoLine>& mirrorHelpLines()
{
    static const std::vector<InfoLine> lines{
        kEmpty,
        {"Das Programm 'Spiegel' simuliert die Reflexion von Lichtstrahlen an sphärisch oder"},
        {"parabolisch gekrümmten Spiegeln. Die Strahlen können von einem Objektpunkt ausgehen"},
        {"oder parallel verlaufen. Die Krümmung des Spiegels ist variabel."},
        kEmpty,
        kEmpty,
        {"Einfallsstrahlen festlegen:", 1, "linker Mausklick im Bereich zwischen Objekt und Spiegel; "},
        {"", 3, "ggf. Ziehen mit der Maus"},
        kEmpty,
        {"Spiegel verschieben:       ", 1, "linker Mausklick auf den Spiegelscheitel"},
        {"", 3, "und Ziehen mit der Maus"},
        kEmpty,
        {"Löschen:", 3, "Doppelklick löscht alle Lichtstrahlen und Objektpunkte."},
        kEmpty,
        {"Winkelskala einblenden:    ", 1, "Zum Überprüfen des Reflexionsgesetzes "},
        {"", 3, "Drücken der Shift-Taste und linker Mausklick auf "},
        {"", 3, "den Auftreffpunkt eines Lichtstrahls am Spiegel!"},
        kEmpty,
        {"Objektpunkt verschieben:   ", 1, "linker Mausklick auf den Objektpunkt"},
        {"(Modus 'Punktraster')      ", 1, "und Ziehen mit der Maus"},
        kEmpty,
        {"Bildpunkt markieren:       ", 1, "Rechter Mausklick. Ist ein Bildpunkt markiert, wird"},
        {"(Modus 'Punktraster')      ", 1, "der zugehörige Objektpunkt gespeichert und weiter angezeigt!"},
        kEmpty,
        {"schräger Parallellichteinfall:     ", 1, "rechter Mausklick auf das Parallellichtbündel"},
        {"(Modus 'Parallellicht')    ", 1, "und Ziehen mit der Maus"},
        kEmpty,
        kEmpty,
        {"Die Form des Mauszeigers weist darauf hin, welche Funktion beim Klicken mit der Maus "},
        {"aufgerufen wird. Koordinaten und Längenangaben sind in Längeneinheiten (LE) angegeben."},
    };
    return lines;
}

const std::vector<InfoLine>& lensHelpLines()
{
    static const std::vector<InfoLine> lines{
        kEmpty,
        {"Das Programm 'Reale Linsen' veranschaulicht die Ablenkung von Lichtstrahlen durch unterschiedlich "},
        {"gekrümmte Linsen. Die Berechnung des Strahlenverlaufs erfolgt allein anhand des Brechungsgesetzes."},
        {"Um das Verhalten von Strahlen an den Grenzflächen zu untersuchen, kann im Bedienungsmodus 'Lupe' "},
        {"ein kleiner Bereich um den Mauszeiger herum vergrößert dargestellt werden. Der Querschnitt eines "},
        {"Strahlenbündels kann durch eine Blende begrenzt werden. Die Strahlen können von einem Objektpunkt"},
        {"ausgehen (Bedienungsmodus 'Punktraster') oder parallel verlaufen (Bedienungsmodus 'Parallellicht')."},
        kEmpty,
        kEmpty,
        {" - Modus 'Punktraster':"},
        kEmpty,
        {"Einfallsstrahlen festlegen:    ", 1, "linker Mausklick im Bereich zwischen Objekt und Linse; "},
        {"", 3, "ggf. Ziehen mit der Maus"},
        kEmpty,
        {"Linse verschieben:             ", 1, "linker Mausklick auf die Linse"},
        {"", 3, "und Ziehen mit der Maus"},
        kEmpty,
        {"Objektpunkt verschieben:       ", 1, "linker Mausklick auf den Objektpunkt"},
        {"", 3, "Ziehen mit der Maus"},
        kEmpty,
        {"Bildpunkt markieren:           ", 1, "Linker Mausklick. Ist ein Bildpunkt markiert, wird"},
        {"", 3, "der zugehörige Objektpunkt gespeichert und weiter angezeigt!"},
        kEmpty,
        {"Löschen:", 3, "Doppelklick löscht alle Lichtstrahlen und alle Bild- und Objektpunkte."},
        {"", 3, "Rechter Mausklick löscht nur den letzten gezeichneten Strahl."},
        kEmpty,
        kEmpty,
        {" - Modus 'Parallellicht':"},
        kEmpty,
        {"schräger Lichteinfall:        ", 1, "linker Mausklick auf das Parallellichtbündel"},
        {"", 3, "und Ziehen mit der Maus"},
        kEmpty,
        {"Querschnitt des Licht-        ", 1, "Bei Doppelklick auf das Parallellichtbündel wird eine "},
        {"bündels verengen:             ", 1, "Schaltfläche eingeblendet, über die der Querschnitt des "},
        {"", 3, "Lichtbündels verändert werden kann."},
        kEmpty,
        {"Linse verschieben:            ", 1, "siehe Modus 'Punktraster'"},
        kEmpty,
        {"Bildpunkt markieren:          ", 1, "siehe Modus 'Punktraster'"},
        kEmpty,
        kEmpty,
        {" - Modus 'Lupe': (Die 'Lupe' wird über die gleichnamige Schaltfläche aktiviert)"},
        kEmpty,
        {"'Lupe' einblenden:           ", 1, "linker Mausklick "},
        kEmpty,
        {"'Lupe' ausblenden:           ", 1, "linker Mausklick außerhalb des vergrößerten Bereichs ('Lupe')"},
        kEmpty,
        {"Einfallslot/Winkelskala      ", 1, "Bei rechtem/linkem Mausklick innerhalb des vergrößerten Bereichs "},
        {"einblenden:", 2, "wird eine Senkrechte auf den rechten/linken Rand der Linse "},
        {"", 3, "eingeblendet. Bei erneutem Mausklick und gleichzeitigem Drücken"},
        {"", 3, "der Umschalttaste erscheint zusätzlich eine Winkelskala zum Überprüfen"},
        {"", 3, "des Brechungsgesetzes in den Durchstoßpunkten. "},
        kEmpty,
        kEmpty,
        {"Die Form des Mauszeigers weist darauf hin, welche Funktion beim Klicken mit der Maus "},
        {"aufgerufen wird. Koordinaten und Längenangaben sind in Längeneinheiten (LE) angegeben."},
    };
    return lines;
}

const std::vector<InfoLine>& kitHelpLines()
{
    static const std::vector<InfoLine> lines{
        kEmpty,
        {"Das Programm 'Optischer Baukasten' ermöglicht es, verschiedene Linsen - Konvexlinsen,"},
        {"Konkavlinsen und ein Modell des Auges - miteinander zu kombinieren. Das Abbildungsverhalten "},
        {"der Linsen ist idealisiert: alle Lichtstrahlen, die von einem Punkt ausgehend auf die"},
        {"Linse treffen, werden wieder in einem Punkt vereinigt, alle Punkte einer zur optischen Achse "},
        {"senkrechten Ebene werden wieder in eine Ebene abgebildet."},
        kEmpty,
        {"Um die Linsen auf der optischen Achse anzuordnen, werden die entsprechenden Symbole  "},
        {"im geöffneten Baukasten angeklickt. Bei Doppelklick auf eine Linse erscheint ein "},
        {"Kontrollfeld, in dem sich die Brennweite der Linse über eine Schaltfläche oder durch "},
        {"direkte Eingabe in einem Wertefeld festlegen läßt. Außerdem enthält das Kontrollfeld eine"},
        {"Schaltfläche zum Entfernen der Linse(n), über Optionsfelder kann im Kontrollfeld des "},
        {"Augenmodells zwischen weit-, kurz- und normalsichtigem Auge gewählt werden."},
        kEmpty,
        kEmpty,
        {"Linse verschieben:         ", 1, "linker Mausklick auf die Linse und Ziehen mit der Maus"},
        kEmpty,
        {"Objekt verschieben:        ", 1, "linker Mausklick auf die Objektspitze und Ziehen mit der Maus "},
        {"(Modus Pfeilsymbol/Kerze) "},
        kEmpty,
        {"Einfallsstrahlen festlegen:", 1, "linker Mausklick im Bereich zwischen Objekt und erster Linse,"},
        {"(Modus Pfeilsymbol/Kerze) ", 1, "ggf. Ziehen mit der Maus"},
        kEmpty,
        {"schräger Parallellichteinfall:", 1, "linker Mausklick auf das Parallellichtbündel und Ziehen"},
        {"(Modus Parallellicht)", 2, "mit der Maus"},
        kEmpty,
        {"Objektpunkte markieren:    ", 1, "linker Mausklick auf das Punktraster: ein definiertes Lichtbündel"},
        {"(Modus Punktraster)        ", 1, "wird vom Objektpunkt ausgesandt."},
        kEmpty,
        {"Löschen:", 3, "Doppelklick außerhalb der Linsen löscht alle Lichtstrahlen"},
        {"", 3, "und Objektpunkte."},
        kEmpty,
        {"Messen:", 3, "Linker Mausklick und Ziehen mit der Maus: Das Maßband "},
        {"(Modus Maßband)            ", 1, "kann horizontal und vertikal 'ausgerollt' werden."},
        kEmpty,
        {"Löschen des Maßbandes:     ", 1, "erneuter linker Mausklick"},
        {"(Modus Maßband)"},
        kEmpty,
        kEmpty,
        {"Die Form des Mauszeigers weist darauf hin, welche Funktion beim Klicken mit der Maus "},
        {"aufgerufen wird. Koordinaten und Längenangaben sind in Längeneinheiten (LE) angegeben."},
    };
    return lines;
}
