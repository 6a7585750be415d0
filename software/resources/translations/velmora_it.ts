<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>Installa il firmware sul flash collegato. Si attiva con Invio o con la barra spaziatrice.</translation>
    </message>
</context>
<context>
    <name>LogWindowDialog</name>
    <message>
        <source>Velmora Firmware Upgrade Tool – Log</source>
        <translation>Aggiornamento firmware Velmora – Log</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>The program&apos;s messages, one a line, the latest last</source>
        <translation>I messaggi del programma, uno per riga, il più recente in fondo</translation>
    </message>
    <message>
        <source>Save Log Output</source>
        <translation>Salva il log</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>File di testo (*.txt);;Tutti i file (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Errore</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Svuota</translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation>Salva log…</translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation>Nascondi log</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Velmora Firmware Upgrade Tool</source>
        <translation>Aggiornamento firmware Velmora</translation>
    </message>
    <message>
        <source>The product this tool upgrades</source>
        <translation>Il prodotto che questo strumento aggiorna</translation>
    </message>
    <message>
        <source>The firmware version this tool installs</source>
        <translation>La versione del firmware che questo strumento installa</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Istruzioni</translation>
    </message>
    <message>
        <source>Step %1 of 4</source>
        <translation>Passo %1 di 4</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stato</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>Avanzamento</translation>
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
        <translation>Uso: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                        [-l | --use-log-window]
     velmora-fw-upgrade -b | --batch [--jobs N] [--units N] [--timeout SECONDS]
                        [--json] [--verbose] [-s | -S]
     velmora-fw-upgrade -h | --help | --version
Aggiorna il firmware di un flash Velmora collegato via USB in modalità DFU.

  -s, --use-simulator      usa lo script simulatore invece di un flash
  -S, --no-use-simulator   usa il flash reale (prevale su -s)
  -l, --use-log-window     raccoglie tutti i messaggi nella finestra del log
                           (Ctrl+L), che può salvarli per l&apos;assistenza; anche
                           sullo standard error
  -b, --batch              senza finestra: gestisce da un terminale tutti i
                           flash dell&apos;hub USB; ognuno viene letto e valutato
                           come nella finestra, scritto se il suo firmware è
                           diverso, poi riletto e confrontato; vengono
                           rifiutati i flash di un altro prodotto e due flash
                           con lo stesso numero di serie
      --jobs N             gestisce fino a N flash alla volta (predefinito 4)
      --units N            termina dopo N flash (predefinito 1); 0: finché non
                           viene arrestato
      --timeout SECONDS    termina se per quel tempo nessun flash è collegato
                           né in corso (predefinito: attende)
      --json               un oggetto JSON per flash sullo standard output
                           al suo termine (serial, product, revision_before,
                           revision_after, written, result, reason, seconds),
                           poi uno con &quot;summary&quot;: true e il numero di ogni
                           risultato; nient&apos;altro
      --verbose            tutto il log sullo standard error (invece di -l)
  -h, --help               questo testo, sullo standard output
      --version            la versione del programma, sullo standard output

Tasti della finestra: Invio o Spazio avvia l&apos;aggiornamento quando il pulsante è
disponibile; Esc o Q termina la comunicazione con il flash (un trasferimento in
corso viene prima completato); Ctrl+L mostra o nasconde la finestra del log.
La finestra del log propone di salvare il log come ~/logfile.txt.
In modalità batch i messaggi vanno sullo standard output (sullo standard error
con --json): su un terminale una riga aggiornata per ogni flash in corso,
altrimenti righe con data e ora che indicano il numero di serie del flash. Il
risultato di un flash è upgraded, verified, refused, unreadable, failed,
interrupted o stopped. Ctrl+C, SIGTERM e SIGHUP non interrompono mai un
trasferimento: il programma completa prima tutti quelli in corso.

Codici di uscita: 0 la finestra è stata chiusa, o ogni flash è stato
verificato; 1 riga di comando errata; 2 un flash ha avuto un errore, era
illeggibile o è stato interrotto, o dfu-util non può essere eseguito; 3 un
flash è stato rifiutato (e nessuno ha avuto errori); 4 nessun flash collegato
entro --timeout; 128+n terminato dal segnale n. --help e --version: 0.
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
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;Aggiorna firmware&lt;/span&gt;
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
Versione del&lt;br&gt;firmware:
&lt;br&gt;
%1
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Follow the steps below
to upgrade your product.</source>
        <comment>5</comment>
        <translation>Segua i passi qui sotto per
aggiornare il prodotto.</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. Spenga il flash</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. Tenga premuto il tasto più
    a destra sotto il display
    mentre preme il tasto
    TEST per 1 secondo</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. Colleghi il cavo USB</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. Faccia clic qui per iniziare</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1.&lt;/span&gt;</source>
        <comment>status_devConn</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with firmware version %2&lt;/span&gt;</source>
        <comment>status_devRev</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1 con la versione del firmware %2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1 con una versione del firmware sconosciuta.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Completamento del trasferimento: tenga collegato il cavo USB.&lt;br&gt;Il programma proseguirà al termine del trasferimento.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Arrestato. Per continuare, chiuda la finestra e riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile creare una cartella di lavoro in %1.&lt;br&gt;Imposti TMPDIR su una cartella scrivibile con spazio libero, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile estrarre lo strumento USB in %1 (il disco è pieno?).&lt;br&gt;Liberi spazio o imposti TMPDIR su un&apos;altra cartella, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile eseguire lo strumento USB da %1: %2.&lt;br&gt;Imposti TMPDIR su un&apos;altra cartella, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware scritto. Per verificarlo, riavvii il flash in modalità DFU: ripeta i passi da 1 a 3.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1. Questo strumento aggiorna solo i flash %2,&lt;br&gt;quindi non può aggiornarlo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile identificare questo flash (i dati del prodotto sono vuoti o sconosciuti).&lt;br&gt;Non è possibile aggiornarlo qui: contatti l&apos;assistenza.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato più di un flash.&lt;br&gt;Scolleghi tutti tranne quello da aggiornare.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile leggere le informazioni del flash.&lt;br&gt;Lo scolleghi, lo riavvii in modalità DFU (passi da 1 a 3) e lo ricolleghi.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Lo strumento USB non risponde da 30 secondi.&lt;br&gt;Scolleghi il flash, attenda un momento e lo ricolleghi.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>non può essere avviato lì (una cartella «noexec»?)</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>è terminato con il codice %1</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>non è la versione richiesta dal programma</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>Aggiornamento: cancellazione %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>Aggiornamento: scrittura %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>Aggiornamento del firmware</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>Fatto. Scolleghi il cavo USB.</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>un flash di tipo sconosciuto</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>Questa finestra raccoglie il log del programma quando viene avviato con -l, ad esempio: velmora-fw-upgrade -l</translation>
    </message>
    <message>
        <source>Simulator mode</source>
        <comment>sim_mode</comment>
        <translation>Modalità simulatore</translation>
    </message>
    <message>
        <source>Debug mode</source>
        <comment>debug_mode</comment>
        <translation>Modalità debug</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Waiting for a unit in DFU mode: do steps 1 to 3.&lt;br&gt;The USB cable must have a &apos;Micro B&apos; plug and a &apos;Type A&apos; plug.&lt;/span&gt;</source>
        <comment>status_noDev</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;In attesa di un flash in modalità DFU: esegua i passi da 1 a 3.&lt;br&gt;Il cavo USB deve avere un connettore «Micro B» e un connettore «Tipo A».&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un flash: lettura del prodotto e del firmware installato.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un dispositivo DFU, ma non è un flash in modalità DFU.&lt;br&gt;Lo scolleghi, quindi esegua i passi da 1 a 3 con il flash.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il flash ha smesso di rispondere, quindi la scrittura è stata interrotta prima di essere completata.&lt;br&gt;Riavvii il flash in modalità DFU (passi da 1 a 3) e ripeta l&apos;installazione.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Non è stato possibile verificare il firmware: %1.&lt;br&gt;Scolleghi il flash, lo riavvii in modalità DFU (passi da 1 a 3) e lo ricolleghi.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 Il programma è stato arrestato.&lt;br&gt;Per continuare, chiuda la finestra e riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>La scrittura del firmware non è riuscita.</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>La scrittura è stata interrotta: il flash ha smesso di rispondere.</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>Il flash contiene questo firmware.</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>Il flash non contiene questo firmware.</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>Non è stato possibile verificare il firmware.</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>lo strumento USB è terminato con il codice %1</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>il disco di %1 è pieno; liberi un po&apos; di spazio</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>il flash ha smesso di rispondere</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>il flash ha inviato solo %1 byte del firmware</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>la copia del firmware inclusa nel programma non è leggibile</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>Flash %1: contiene già la versione del firmware %2; verificato senza scrittura.</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>Flash %1: rifiutato. %2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>Flash %1: non riuscito. %2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>Flash %1: arrestato. %2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>Scolleghi il flash, quindi colleghi il successivo.</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>Nessun flash collegato entro %1 secondi.</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>Il flash non è tornato in modalità DFU dopo la scrittura del firmware.</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>Il flash è stato scollegato prima della verifica del suo firmware.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La cartella %1 può essere modificata da un altro utente.&lt;br&gt;Imposti TMPDIR su una cartella di sua proprietà, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il simulatore (opzione -s) richiede python3, che non è installato.&lt;br&gt;Installi python3, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile eseguire lo strumento USB %1: %2.&lt;br&gt;Reinstalli il pacchetto velmora-fw-upgrade, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>manca o non può essere avviato</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;«%1»&lt;br/&gt;non è un file normale.&lt;br/&gt;&lt;br/&gt;Il log &lt;b&gt;non&lt;/b&gt; è stato salvato e non è stato sostituito nulla.&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;Il file «%1»&lt;br/&gt;non può essere aperto in scrittura.&lt;br/&gt;&lt;br/&gt;Il log &lt;b&gt;non&lt;/b&gt; è stato salvato!&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile eseguire programmi da %1 (è montata con «noexec»).&lt;br&gt;Imposti TMPDIR su una cartella di un file system che lo consenta, quindi riavvii il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Checking firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation>Verifica: rilettura %p%</translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation>Verifica del firmware</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s USB serial number (“%1”) cannot be read for certain.&lt;br&gt;It is not read or written: disconnect it.&lt;/span&gt;</source>
        <comment>status_serialUnsafe</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il numero di serie USB del flash («%1») non si può leggere con certezza.&lt;br&gt;Non viene letto né scritto: lo scolleghi.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Unit %1: firmware version %2 replaced by version %3 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>Flash %1: versione del firmware %2 sostituita con la versione %3 e verificata.</translation>
    </message>
    <message>
        <source>Unit %1: unreadable, nothing written. %2</source>
        <comment>batch_unreadable</comment>
        <translation>Flash %1: illeggibile, non è stato scritto nulla. %2</translation>
    </message>
    <message>
        <source>Unit %1: interrupted. %2</source>
        <comment>batch_interrupted</comment>
        <translation>Flash %1: interrotto. %2</translation>
    </message>
    <message>
        <source>Upgraded %1, verified %2, refused %3, not done %4; serving %5, waiting %6</source>
        <comment>batch_counter</comment>
        <translation>Aggiornati %1, verificati %2, rifiutati %3, non completati %4; in corso %5, in attesa %6</translation>
    </message>
    <message>
        <source>%1 units: %2 upgraded, %3 verified, %4 refused, %5 unreadable, %6 failed, %7 interrupted, %8 stopped.</source>
        <comment>batch_summary</comment>
        <translation>%1 flash: %2 aggiornati, %3 verificati, %4 rifiutati, %5 illeggibili, %6 non riusciti, %7 interrotti, %8 arrestati.</translation>
    </message>
    <message>
        <source>Waiting for units in DFU mode: restart each unit in its USB boot mode and connect it to the hub.</source>
        <comment>batch_waiting</comment>
        <translation>In attesa di flash in modalità DFU: riavvii ciascun flash in questa modalità e lo colleghi all&apos;hub.</translation>
    </message>
    <message>
        <source>Another unit on the hub reports the same serial, so the two cannot be told apart; nothing was written.</source>
        <comment>reason_sameSerial</comment>
        <translation>Un altro flash sull&apos;hub ha lo stesso numero di serie, quindi i due non si possono distinguere; non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>The unit reports no serial, so it cannot be told apart from others; nothing was written.</source>
        <comment>reason_noSerial</comment>
        <translation>Il flash non riporta alcun numero di serie, quindi non si può distinguere dagli altri; non è stato scritto nulla.</translation>
    </message>
    <message>
        <source>The run serving this unit ended without a result (%1).</source>
        <comment>reason_childEnded</comment>
        <translation>Il processo che gestiva questo flash è terminato senza risultato (%1).</translation>
    </message>
    <message>
        <source>The unit was disconnected before it could be read.</source>
        <comment>reason_goneBeforeRead</comment>
        <translation>Il flash è stato scollegato prima che potesse essere letto.</translation>
    </message>
    <message>
        <source>The unit was disconnected while its firmware was written. Restart it in its USB boot mode and serve it again.</source>
        <comment>reason_goneWriting</comment>
        <translation>Il flash è stato scollegato durante la scrittura del firmware. Lo riavvii in modalità DFU e ripeta l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>the file read back (%1) cannot be read</source>
        <comment>reason_readBackUnreadable</comment>
        <translation>il file della rilettura (%1) non è leggibile</translation>
    </message>
    <message>
        <source>A DFU device is connected, but it is not a flash unit in DFU mode.</source>
        <comment>bench_unknownDevice</comment>
        <translation>È collegato un dispositivo DFU, ma non è un flash in modalità DFU.</translation>
    </message>
    <message>
        <source>Firmware written. To check it, restart the unit in its USB boot mode.</source>
        <comment>bench_written</comment>
        <translation>Firmware scritto. Per verificarlo, riavvii il flash in modalità DFU.</translation>
    </message>
    <message>
        <source>Writing the firmware failed (the log tells why). Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_downloadFailed</comment>
        <translation>La scrittura del firmware non è riuscita (il motivo è nel log). Riavvii il flash in modalità DFU e ripeta l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>The unit&apos;s information cannot be read. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_readFailed</comment>
        <translation>Impossibile leggere le informazioni del flash. Lo riavvii in modalità DFU e lo ricolleghi.</translation>
    </message>
    <message>
        <source>The unit stopped answering, so the write was ended before it was complete. Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_writeInterrupted</comment>
        <translation>Il flash ha smesso di rispondere, quindi la scrittura è stata interrotta prima di essere completata. Lo riavvii in modalità DFU e ripeta l&apos;aggiornamento.</translation>
    </message>
    <message>
        <source>The firmware could not be checked: %1. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_checkNotMade</comment>
        <translation>Non è stato possibile verificare il firmware: %1. Riavvii il flash in modalità DFU e lo ricolleghi.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La scrittura del firmware non è riuscita: %1.&lt;br&gt;Tenga il flash in modalità DFU (passi da 1 a 3) e ripeta l&apos;installazione.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La scrittura del firmware non è riuscita: %1 (dettagli nella finestra del log).&lt;br&gt;Tenga il flash in modalità DFU (passi da 1 a 3) e ripeta l&apos;installazione.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il flash è stato scollegato durante la scrittura, quindi il suo firmware è incompleto.&lt;br&gt;Esegua di nuovo i passi da 1 a 3, poi ripeta l&apos;installazione.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: it already holds this firmware, nothing was written.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_alreadyCurrent</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1: contiene già questo firmware, non è stato scritto nulla.&lt;br&gt;Fatto. Scolleghi il cavo USB.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: the firmware was written and checked.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_upgradedDone</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1: il firmware è stato scritto e verificato.&lt;br&gt;Fatto. Scolleghi il cavo USB.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware was written, but the check found it differs from the one in this program.&lt;br&gt;Click the button to install it again.&lt;/span&gt;</source>
        <comment>status_writtenDiffers</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il firmware è stato scritto, ma alla verifica non corrisponde a quello di questo programma.&lt;br&gt;Faccia clic sul pulsante per ripetere l&apos;installazione.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il firmware del flash non corrisponde a quello di questo programma, anche se la versione è la stessa.&lt;br&gt;Faccia clic sul pulsante per installare il firmware di questo programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un flash, ma questo utente non può usarlo (permessi USB).&lt;br&gt;Installi la regola udev (veda «man velmora-fw-upgrade»), quindi ricolleghi il flash.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il flash non risponde da %1 s: tenga collegato il cavo USB.&lt;br&gt;Se non risponde per un minuto, il trasferimento verrà interrotto.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>Il firmware è stato scritto, ma non ancora verificato.</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>il flash è stato scollegato durante la lettura</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <comment>product_either</comment>
        <extracomment>Joins two product names that the program upgrades alike, e.g. &apos;N20 or N20S&apos;. The names stay as they are.</extracomment>
        <translation>%1 o %2</translation>
    </message>
    <message>
        <source>Saved to &apos;%1&apos;.</source>
        <comment>log_saved</comment>
        <translation>Salvato in «%1».</translation>
    </message>
</context>
</TS>
