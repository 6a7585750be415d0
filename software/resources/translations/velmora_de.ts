<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>Installiert die Firmware auf dem angeschlossenen Blitzgerät. Eingabe- oder Leertaste löst die Schaltfläche aus.</translation>
    </message>
</context>
<context>
    <name>LogWindowDialog</name>
    <message>
        <source>Velmora Firmware Upgrade Tool – Log</source>
        <translation>Velmora Firmware-Update – Protokoll</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Protokoll</translation>
    </message>
    <message>
        <source>The program&apos;s messages, one a line, the latest last</source>
        <translation>Die Meldungen des Programms, eine pro Zeile, die neueste zuletzt</translation>
    </message>
    <message>
        <source>Save Log Output</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation>Protokoll speichern…</translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation>Protokoll ausblenden</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Velmora Firmware Upgrade Tool</source>
        <translation>Velmora Firmware-Update</translation>
    </message>
    <message>
        <source>The product this tool upgrades</source>
        <translation>Das Produkt, das dieses Programm aktualisiert</translation>
    </message>
    <message>
        <source>The firmware version this tool installs</source>
        <translation>Die Firmware-Version, die dieses Programm installiert</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Anleitung</translation>
    </message>
    <message>
        <source>Step %1 of 4</source>
        <translation>Schritt %1 von 4</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
<context>
    <name>command_line</name>
    <message>
        <source>Usage: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                          [-l | --use-log-window]
       velmora-fw-upgrade -b | --batch [--jobs N] [--units N] [--timeout SECONDS]
                          [--json] [--verbose] [-s | -S]
       velmora-fw-upgrade -h | --help | --version
Upgrades the firmware of a Velmora flash unit connected over USB in DFU mode.

  -s, --use-simulator      talk to the simulator script instead of a unit
  -S, --no-use-simulator   use the real unit (wins over -s)
  -l, --use-log-window     collect every diagnostic in the log window (Ctrl-L),
                           which can save it for service; also on standard error
  -b, --batch              no window: serve every unit on the USB hub from a terminal;
                           each is read and judged as in the window, written when its
                           firmware differs, then read back and compared; a unit of
                           another product, or two units of one serial, are refused
      --jobs N             serve up to N units at the same time (default 4)
      --units N            end after N units (default 1); 0: until stopped
      --timeout SECONDS    end when no unit is connected or served for that time
                           (default: wait)
      --json               one JSON object per unit on standard output as it ends
                           (serial, product, revision_before, revision_after, written,
                           result, reason, seconds), then one with &quot;summary&quot;: true
                           and the count of each result; nothing else there
      --verbose            the whole log on standard error (instead of -l)
  -h, --help               this text, on standard output
      --version            the program&apos;s version, on standard output

Window keys: Return, Enter or Space starts the upgrade when the button is offered;
Escape or Q stops talking to the unit (a running transfer is finished first);
Ctrl-L shows or hides the log window.
The log window proposes to save the log as ~/logfile.txt.
In batch mode what is said goes to standard output (standard error with --json), as
one updating line per unit being served on a terminal, else as time-stamped lines
that name the unit&apos;s serial. A unit&apos;s result is upgraded, verified, refused,
unreadable, failed, interrupted or stopped. Ctrl-C, SIGTERM and SIGHUP never cut a
transfer short: the program finishes every running one first.

Exit status: 0 the window was closed, or every unit was verified; 1 wrong command
line; 2 a unit failed, was unreadable or interrupted, or dfu-util cannot run; 3 a
unit was refused (and none failed); 4 no unit came within --timeout; 128+n ended
by signal n. --help and --version: 0.
</source>
        <translation>Aufruf: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                           [-l | --use-log-window]
        velmora-fw-upgrade -b | --batch [--jobs N] [--units N]
                           [--timeout SECONDS] [--json] [--verbose] [-s | -S]
        velmora-fw-upgrade -h | --help | --version
Aktualisiert die Firmware eines Velmora-Blitzgeräts, das im DFU-Modus über USB
angeschlossen ist.

  -s, --use-simulator      das Simulator-Skript statt eines Blitzgeräts nutzen
  -S, --no-use-simulator   das echte Blitzgerät verwenden (hat Vorrang vor -s)
  -l, --use-log-window     alle Meldungen im Protokollfenster sammeln (Strg+L),
                           das sie für den Kundendienst speichern kann; auch
                           auf der Standardfehlerausgabe
  -b, --batch              ohne Fenster: alle Blitzgeräte am USB-Hub im
                           Terminal bearbeiten; jedes wird wie im Fenster
                           ausgelesen und beurteilt, beschrieben, wenn seine
                           Firmware abweicht, dann zurückgelesen und
                           verglichen; ein Blitzgerät eines anderen Produkts
                           und zwei Blitzgeräte mit derselben Seriennummer
                           werden abgelehnt
      --jobs N             bis zu N Blitzgeräte gleichzeitig bearbeiten
                           (Standard: 4)
      --units N            nach N Blitzgeräten enden (Standard: 1); 0: bis zum
                           Abbruch
      --timeout SECONDS    enden, wenn in dieser Zeit kein Blitzgerät
                           angeschlossen oder bearbeitet wird (Standard: warten)
      --json               ein JSON-Objekt pro Blitzgerät auf der
                           Standardausgabe, sobald es fertig ist (serial,
                           product, revision_before, revision_after, written,
                           result, reason, seconds), dann eines mit
                           &quot;summary&quot;: true und der Anzahl jedes Ergebnisses;
                           sonst nichts dort
      --verbose            das ganze Protokoll auf der Standardfehlerausgabe
                           (statt -l)
  -h, --help               dieser Text, auf der Standardausgabe
      --version            die Version des Programms, auf der Standardausgabe

Tasten im Fenster: Eingabe- oder Leertaste startet das Update, wenn die
Schaltfläche aktiv ist; Esc oder Q beendet die Kommunikation mit dem Blitzgerät
(eine laufende Übertragung wird zuerst abgeschlossen); Strg+L blendet das
Protokollfenster ein oder aus.
Das Protokollfenster schlägt vor, das Protokoll als ~/logfile.txt zu speichern.
Im Batch-Modus gehen die Meldungen auf die Standardausgabe (mit --json auf die
Standardfehlerausgabe), auf einem Terminal als eine laufend aktualisierte Zeile
je Blitzgerät in Bearbeitung, sonst als Zeilen mit Zeitstempel, die die
Seriennummer des Blitzgeräts nennen. Das Ergebnis eines Blitzgeräts ist
upgraded, verified, refused, unreadable, failed, interrupted oder stopped.
Strg+C, SIGTERM und SIGHUP brechen nie eine Übertragung ab: Das Programm
schließt zuerst jede laufende ab.

Rückgabewert: 0 das Fenster wurde geschlossen oder jedes Blitzgerät hat die
Prüfung bestanden; 1 fehlerhafte Befehlszeile; 2 ein Blitzgerät ist
fehlgeschlagen, nicht lesbar oder unterbrochen, oder dfu-util kann nicht laufen;
3 ein Blitzgerät wurde abgelehnt (und bei keinem ist etwas fehlgeschlagen);
4 innerhalb von --timeout wurde kein Blitzgerät angeschlossen; 128+n durch
Signal n beendet. --help und --version: 0.
</translation>
    </message>
</context>
<context>
    <name>settings_GUI</name>
    <message>
        <source>&lt;span style=&quot;font-size:20pt&quot;&gt;
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;Firmware upgrade&lt;/span&gt;
&lt;br&gt;
&lt;span style=&quot;font-weight:bold&quot;&gt;%1&lt;/span&gt;
&lt;/span&gt;</source>
        <comment>2</comment>
        <translation>&lt;span style=&quot;font-size:20pt&quot;&gt;
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;Firmware-Update&lt;/span&gt;
&lt;br&gt;
&lt;span style=&quot;font-weight:bold&quot;&gt;%1&lt;/span&gt;
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;font-size:20pt&quot;&gt;
Firmware version:
&lt;br&gt;
%1
&lt;/span&gt;</source>
        <comment>4</comment>
        <translation>&lt;span style=&quot;font-size:20pt&quot;&gt;
Firmware-Version:
&lt;br&gt;
%1
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Follow the steps below
to upgrade your product.</source>
        <comment>5</comment>
        <translation>So aktualisieren Sie
Ihr Blitzgerät:</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. Blitzgerät ausschalten</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. Die ganz rechte Taste unter
    dem Display gedrückt halten
    und dabei die TEST-Taste
    1 Sekunde lang drücken</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. Per USB anschließen</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. Hier klicken: Update starten</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1.&lt;/span&gt;</source>
        <comment>status_devConn</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1 angeschlossen.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with firmware version %2&lt;/span&gt;</source>
        <comment>status_devRev</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1 angeschlossen, Firmware-Version %2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1 angeschlossen, Firmware-Version unbekannt.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die Übertragung wird abgeschlossen: Lassen Sie das USB-Kabel angeschlossen.&lt;br&gt;Das Programm fährt fort, sobald sie beendet ist.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Angehalten. Um fortzufahren, schließen Sie das Fenster und starten Sie das Programm neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;In %1 kann kein Arbeitsordner angelegt werden.&lt;br&gt;Setzen Sie TMPDIR auf einen beschreibbaren Ordner mit freiem Speicherplatz und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das USB-Werkzeug kann nicht nach %1 entpackt werden (ist der Datenträger voll?).&lt;br&gt;Geben Sie Speicherplatz frei oder setzen Sie TMPDIR auf einen anderen Ordner und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das USB-Werkzeug kann in %1 nicht ausgeführt werden: %2.&lt;br&gt;Setzen Sie TMPDIR auf einen anderen Ordner und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware geschrieben. Starten Sie das Blitzgerät zum Prüfen im DFU-Modus neu (Schritte 1 bis 3).&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1 angeschlossen. Dieses Programm aktualisiert&lt;br&gt;nur Blitzgeräte vom Typ %2, dieses also nicht.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Dieses Blitzgerät lässt sich nicht erkennen (sein Produkteintrag ist leer oder unbekannt).&lt;br&gt;Es kann hier nicht aktualisiert werden: Bitte wenden Sie sich an den Kundendienst.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Es ist mehr als ein Blitzgerät angeschlossen.&lt;br&gt;Trennen Sie alle bis auf das zu aktualisierende.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die Daten des Blitzgeräts lassen sich nicht lesen.&lt;br&gt;Trennen Sie es und schließen Sie es im DFU-Modus wieder an (Schritte 1 bis 3).&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das USB-Werkzeug antwortet seit 30 Sekunden nicht.&lt;br&gt;Trennen Sie das Blitzgerät, warten Sie einen Moment und schließen Sie es wieder an.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>es lässt sich dort nicht starten (ein „noexec“-Ordner?)</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>es wurde mit Code %1 beendet</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>es ist nicht die erwartete Version</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>Firmware-Update: Löschen %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>Firmware-Update: Schreiben %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>Firmware wird aktualisiert</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>Fertig. Trennen Sie das USB-Kabel.</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>unbekannten Typs</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>Dieses Fenster sammelt das Protokoll, wenn das Programm mit -l gestartet wird, zum Beispiel: velmora-fw-upgrade -l</translation>
    </message>
    <message>
        <source>Simulator mode</source>
        <comment>sim_mode</comment>
        <translation>Simulatormodus</translation>
    </message>
    <message>
        <source>Debug mode</source>
        <comment>debug_mode</comment>
        <translation>Debugmodus</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Waiting for a unit in DFU mode: do steps 1 to 3.&lt;br&gt;The USB cable must have a &apos;Micro B&apos; plug and a &apos;Type A&apos; plug.&lt;/span&gt;</source>
        <comment>status_noDev</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Warten auf ein Blitzgerät im DFU-Modus: Führen Sie die Schritte 1 bis 3 aus.&lt;br&gt;Das USB-Kabel muss einen Micro-B-Stecker und einen Typ-A-Stecker haben.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Ein Blitzgerät ist angeschlossen: Produkt und Firmware werden ausgelesen.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Ein DFU-Gerät ist angeschlossen, aber es ist kein Blitzgerät im DFU-Modus.&lt;br&gt;Trennen Sie es und führen Sie dann die Schritte 1 bis 3 mit dem Blitzgerät aus.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das Blitzgerät antwortete nicht mehr, daher wurde das Schreiben vorzeitig abgebrochen.&lt;br&gt;Starten Sie das Blitzgerät im DFU-Modus neu (Schritte 1 bis 3) und installieren Sie erneut.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die Firmware konnte nicht geprüft werden: %1.&lt;br&gt;Trennen Sie das Blitzgerät und schließen Sie es im DFU-Modus wieder an (Schritte 1 bis 3).&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 Das Programm wurde angehalten.&lt;br&gt;Um fortzufahren, schließen Sie das Fenster und starten Sie das Programm neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>Das Schreiben der Firmware ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>Das Schreiben wurde abgebrochen: Das Blitzgerät antwortete nicht mehr.</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>Das Blitzgerät enthält diese Firmware.</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>Das Blitzgerät enthält diese Firmware nicht.</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>Die Firmware konnte nicht geprüft werden.</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>das USB-Werkzeug wurde mit Code %1 beendet</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>der Datenträger von %1 ist voll, geben Sie dort Platz frei</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>das Blitzgerät antwortete nicht mehr</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>das Blitzgerät hat nur %1 Bytes der Firmware gesendet</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>die Firmware-Kopie im Programm ist nicht lesbar</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>Blitzgerät %1: enthält bereits Firmware-Version %2, ohne Schreiben geprüft.</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>Blitzgerät %1: abgelehnt. %2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>Blitzgerät %1: fehlgeschlagen. %2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>Blitzgerät %1: angehalten. %2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>Trennen Sie das Blitzgerät und schließen Sie dann das nächste an.</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>Innerhalb von %1 Sekunden wurde kein Blitzgerät angeschlossen.</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>Das Blitzgerät hat sich nach dem Schreiben der Firmware nicht wieder im DFU-Modus gemeldet.</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>Das Blitzgerät wurde getrennt, bevor seine Firmware geprüft wurde.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Der Ordner %1 kann von einem anderen Benutzer geändert werden.&lt;br&gt;Setzen Sie TMPDIR auf einen eigenen Ordner und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Der Simulator (Option -s) benötigt python3, das nicht installiert ist.&lt;br&gt;Installieren Sie python3 und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das USB-Werkzeug %1 kann nicht ausgeführt werden: %2.&lt;br&gt;Installieren Sie das Paket velmora-fw-upgrade erneut und starten Sie das Programm neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>es fehlt oder lässt sich nicht starten</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;„%1“&lt;br/&gt;ist keine normale Datei.&lt;br/&gt;&lt;br/&gt;Das Protokoll wurde &lt;b&gt;nicht&lt;/b&gt; gespeichert, und es wurde nichts ersetzt.&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;Die Datei „%1“&lt;br/&gt;kann nicht zum Schreiben geöffnet werden.&lt;br/&gt;&lt;br/&gt;Das Protokoll konnte &lt;b&gt;nicht&lt;/b&gt; gespeichert werden!&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Aus %1 können keine Programme ausgeführt werden (mit „noexec“ eingehängt).&lt;br&gt;Setzen Sie TMPDIR auf einen Ordner in einem Dateisystem ohne „noexec“ und starten Sie neu.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Checking firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation>Firmware-Prüfung: Zurücklesen %p%</translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation>Firmware wird geprüft</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s USB serial number (“%1”) cannot be read for certain.&lt;br&gt;It is not read or written: disconnect it.&lt;/span&gt;</source>
        <comment>status_serialUnsafe</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die USB-Seriennummer des Blitzgeräts („%1“) lässt sich nicht sicher lesen.&lt;br&gt;Das Blitzgerät wird weder ausgelesen noch beschrieben: Trennen Sie es.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Unit %1: firmware version %2 replaced by version %3 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>Blitzgerät %1: Firmware-Version %2 durch Version %3 ersetzt und geprüft.</translation>
    </message>
    <message>
        <source>Unit %1: unreadable, nothing written. %2</source>
        <comment>batch_unreadable</comment>
        <translation>Blitzgerät %1: nicht lesbar, nichts geschrieben. %2</translation>
    </message>
    <message>
        <source>Unit %1: interrupted. %2</source>
        <comment>batch_interrupted</comment>
        <translation>Blitzgerät %1: unterbrochen. %2</translation>
    </message>
    <message>
        <source>Upgraded %1, verified %2, refused %3, not done %4; serving %5, waiting %6</source>
        <comment>batch_counter</comment>
        <translation>Aktualisiert %1, geprüft %2, abgelehnt %3, nicht erledigt %4; in Arbeit %5, wartend %6</translation>
    </message>
    <message>
        <source>%1 units: %2 upgraded, %3 verified, %4 refused, %5 unreadable, %6 failed, %7 interrupted, %8 stopped.</source>
        <comment>batch_summary</comment>
        <translation>%1 Blitzgeräte: %2 aktualisiert, %3 geprüft, %4 abgelehnt, %5 nicht lesbar, %6 fehlgeschlagen, %7 unterbrochen, %8 angehalten.</translation>
    </message>
    <message>
        <source>Waiting for units in DFU mode: restart each unit in its USB boot mode and connect it to the hub.</source>
        <comment>batch_waiting</comment>
        <translation>Warten auf Blitzgeräte im DFU-Modus: Starten Sie jedes im DFU-Modus neu und schließen Sie es an den Hub an.</translation>
    </message>
    <message>
        <source>Another unit on the hub reports the same serial, so the two cannot be told apart; nothing was written.</source>
        <comment>reason_sameSerial</comment>
        <translation>Ein anderes Blitzgerät am Hub meldet dieselbe Seriennummer, daher lassen sich die beiden nicht unterscheiden; nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>The unit reports no serial, so it cannot be told apart from others; nothing was written.</source>
        <comment>reason_noSerial</comment>
        <translation>Das Blitzgerät meldet keine Seriennummer und lässt sich daher nicht von anderen unterscheiden; nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>The run serving this unit ended without a result (%1).</source>
        <comment>reason_childEnded</comment>
        <translation>Der Prozess, der dieses Blitzgerät bearbeitete, endete ohne Ergebnis (%1).</translation>
    </message>
    <message>
        <source>The unit was disconnected before it could be read.</source>
        <comment>reason_goneBeforeRead</comment>
        <translation>Das Blitzgerät wurde getrennt, bevor es ausgelesen werden konnte.</translation>
    </message>
    <message>
        <source>The unit was disconnected while its firmware was written. Restart it in its USB boot mode and serve it again.</source>
        <comment>reason_goneWriting</comment>
        <translation>Das Blitzgerät wurde beim Schreiben seiner Firmware getrennt. Starten Sie es im DFU-Modus neu und lassen Sie es erneut bearbeiten.</translation>
    </message>
    <message>
        <source>the file read back (%1) cannot be read</source>
        <comment>reason_readBackUnreadable</comment>
        <translation>die zurückgelesene Datei (%1) lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>A DFU device is connected, but it is not a flash unit in DFU mode.</source>
        <comment>bench_unknownDevice</comment>
        <translation>Ein DFU-Gerät ist angeschlossen, aber es ist kein Blitzgerät im DFU-Modus.</translation>
    </message>
    <message>
        <source>Firmware written. To check it, restart the unit in its USB boot mode.</source>
        <comment>bench_written</comment>
        <translation>Firmware geschrieben. Starten Sie das Blitzgerät zum Prüfen im DFU-Modus neu.</translation>
    </message>
    <message>
        <source>Writing the firmware failed (the log tells why). Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_downloadFailed</comment>
        <translation>Das Schreiben der Firmware ist fehlgeschlagen (Grund im Protokoll). Starten Sie das Blitzgerät im DFU-Modus neu und lassen Sie es erneut bearbeiten.</translation>
    </message>
    <message>
        <source>The unit&apos;s information cannot be read. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_readFailed</comment>
        <translation>Die Daten des Blitzgeräts lassen sich nicht lesen. Starten Sie es im DFU-Modus neu und schließen Sie es wieder an.</translation>
    </message>
    <message>
        <source>The unit stopped answering, so the write was ended before it was complete. Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_writeInterrupted</comment>
        <translation>Das Blitzgerät antwortete nicht mehr, daher wurde das Schreiben vorzeitig abgebrochen. Starten Sie es im DFU-Modus neu und lassen Sie es erneut bearbeiten.</translation>
    </message>
    <message>
        <source>The firmware could not be checked: %1. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_checkNotMade</comment>
        <translation>Die Firmware konnte nicht geprüft werden: %1. Starten Sie das Blitzgerät im DFU-Modus neu und schließen Sie es wieder an.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das Schreiben der Firmware ist fehlgeschlagen: %1.&lt;br&gt;Lassen Sie das Blitzgerät im DFU-Modus (Schritte 1 bis 3) und installieren Sie erneut.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das Schreiben der Firmware ist fehlgeschlagen: %1 (Näheres im Protokollfenster).&lt;br&gt;Lassen Sie das Blitzgerät im DFU-Modus (Schritte 1 bis 3) und installieren Sie erneut.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das Blitzgerät wurde beim Schreiben getrennt, daher ist seine Firmware unvollständig.&lt;br&gt;Wiederholen Sie die Schritte 1 bis 3 und installieren Sie dann erneut.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: it already holds this firmware, nothing was written.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_alreadyCurrent</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1: Diese Firmware ist bereits installiert, nichts wurde geschrieben.&lt;br&gt;Fertig. Trennen Sie das USB-Kabel.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: the firmware was written and checked.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_upgradedDone</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Blitzgerät %1: Die Firmware wurde geschrieben und geprüft.&lt;br&gt;Fertig. Trennen Sie das USB-Kabel.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware was written, but the check found it differs from the one in this program.&lt;br&gt;Click the button to install it again.&lt;/span&gt;</source>
        <comment>status_writtenDiffers</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die Firmware wurde geschrieben, weicht laut Prüfung aber von der dieses Programms ab.&lt;br&gt;Klicken Sie auf die Schaltfläche, um sie erneut zu installieren.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Die Firmware des Blitzgeräts weicht trotz gleicher Version von der dieses Programms ab.&lt;br&gt;Klicken Sie auf die Schaltfläche, um die Firmware dieses Programms zu installieren.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Ein Blitzgerät ist angeschlossen, doch diesem Benutzer fehlt die USB-Berechtigung.&lt;br&gt;Installieren Sie die udev-Regel („man velmora-fw-upgrade“) und schließen Sie es wieder an.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Das Blitzgerät antwortet seit %1 s nicht: Lassen Sie das USB-Kabel angeschlossen.&lt;br&gt;Bleibt es eine Minute lang stumm, wird die Übertragung beendet.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>Die Firmware wurde geschrieben, aber noch nicht geprüft.</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>das Blitzgerät wurde beim Auslesen getrennt</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <comment>product_either</comment>
        <extracomment>Joins two product names that the program upgrades alike, e.g. &apos;N20 or N20S&apos;. The names stay as they are.</extracomment>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>Saved to &apos;%1&apos;.</source>
        <comment>log_saved</comment>
        <translation>Gespeichert unter „%1“.</translation>
    </message>
</context>
</TS>
