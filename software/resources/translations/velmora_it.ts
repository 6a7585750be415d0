<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>Installa il firmware sul dispositivo collegato. Si preme con Invio o con la barra spaziatrice.</translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation type="unfinished"></translation>
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
       velmora-fw-upgrade -b | --batch [--units N] [--timeout SECONDS] [--json]
                          [--verbose] [-s | -S]
       velmora-fw-upgrade -h | --help | --version
Upgrades the firmware of a Velmora flash unit connected over USB in DFU mode.

  -s, --use-simulator      talk to the simulator script instead of a unit
  -S, --no-use-simulator   use the real unit (wins over -s)
  -l, --use-log-window     collect every diagnostic in the log window (Ctrl-L),
                           which can save it for service; also on standard error
  -b, --batch              no window: serve units one after another from a terminal;
                           each is read and judged as in the window, written when its
                           firmware differs, then read back and compared; a unit of
                           another product is refused
      --units N            end after N units (default 1); 0: until stopped
      --timeout SECONDS    end when no unit comes within that time (default: wait)
      --json               one JSON object per unit on standard output as it ends
                           (serial, product, revision_before, revision_after, result,
                           reason, seconds), and nothing else there
      --verbose            the whole log on standard error (instead of -l)
  -h, --help               this text, on standard output
      --version            the program&apos;s version, on standard output

Window keys: Return, Enter or Space starts the upgrade when the button is offered;
Escape or Q stops talking to the unit (a running transfer is finished first);
Ctrl-L shows or hides the log window.
The log window proposes to save the log as ~/logfile.txt.
In batch mode what is said goes to standard output (standard error with --json), as
one updating line per transfer on a terminal, else as time-stamped lines. Ctrl-C,
SIGTERM and SIGHUP never cut a transfer short: the program finishes it first.

Exit status: 0 the window was closed, or every unit was verified; 1 wrong command
line; 2 a write or verification failed, or dfu-util cannot run; 3 a unit was
refused (and none failed); 4 no unit came within --timeout; 128+n ended by
signal n. --help and --version: 0.
</source>
        <translation>Uso: velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                        [-l | --use-log-window]
     velmora-fw-upgrade -b | --batch [--units N] [--timeout SECONDS] [--json]
                        [--verbose] [-s | -S]
     velmora-fw-upgrade -h | --help | --version
Aggiorna il firmware di un flash Velmora collegato via USB in modalità DFU.

  -s, --use-simulator      usa lo script simulatore invece di un dispositivo
  -S, --no-use-simulator   usa il dispositivo reale (prevale su -s)
  -l, --use-log-window     raccoglie tutti i messaggi nella finestra del log
                           (Ctrl+L), che può salvarli per l&apos;assistenza; anche
                           sullo standard error
  -b, --batch              senza finestra: serve i dispositivi uno dopo l&apos;altro
                           da un terminale; ognuno viene letto e valutato come
                           nella finestra, scritto se il suo firmware è diverso,
                           poi riletto e confrontato; un dispositivo di un altro
                           prodotto viene rifiutato
      --units N            termina dopo N dispositivi (predefinito 1); 0: finché
                           non viene fermato
      --timeout SECONDS    termina se nessun dispositivo viene collegato entro
                           quel tempo (predefinito: attende)
      --json               un oggetto JSON per dispositivo sullo standard output
                           al suo termine (serial, product, revision_before,
                           revision_after, result, reason, seconds), nient&apos;altro
      --verbose            tutto il log sullo standard error (invece di -l)
  -h, --help               questo testo, sullo standard output
      --version            la versione del programma, sullo standard output

Tasti della finestra: Invio o Spazio avvia l&apos;aggiornamento quando il pulsante è
disponibile; Esc o Q interrompe la comunicazione con il dispositivo (un
trasferimento in corso viene prima completato); Ctrl+L mostra o nasconde la
finestra del log.
La finestra del log propone di salvare il log come ~/logfile.txt.
In modalità batch i messaggi vanno sullo standard output (sullo standard error
con --json): su un terminale una riga aggiornata per trasferimento, altrimenti
righe con data e ora. Ctrl+C, SIGTERM e SIGHUP non interrompono mai un
trasferimento: il programma lo completa prima.

Codici di uscita: 0 la finestra è stata chiusa, o ogni dispositivo è stato
verificato; 1 riga di comando errata; 2 una scrittura o una verifica non è
riuscita, o dfu-util non può essere eseguito; 3 un dispositivo è stato rifiutato
(e nessuno ha avuto errori); 4 nessun dispositivo collegato entro --timeout;
128+n terminato dal segnale n. --help e --version: 0.
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
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;Aggiorna il firmware&lt;/span&gt;
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
        <translation>Segui i passi qui sotto per
aggiornare il prodotto.</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. Spegni il dispositivo</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. Tieni premuto il tasto più
    a destra sotto il display
    mentre premi il tasto
    TEST per 1 secondo</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. Collega il cavo USB</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. Fai clic qui per iniziare</translation>
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
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1 con firmware versione %2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1 con versione del firmware sconosciuta.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Completamento del trasferimento: tieni collegato il cavo USB.&lt;br&gt;Il programma prosegue appena ha finito.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Fermato. Per continuare, chiudi la finestra e riavvia il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile creare una cartella di lavoro in %1.&lt;br&gt;Imposta TMPDIR su una cartella scrivibile con spazio libero, poi riavvia.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Lo strumento USB non può essere estratto in %1 (il disco è pieno?).&lt;br&gt;Libera spazio o imposta TMPDIR su un&apos;altra cartella, poi riavvia.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Lo strumento USB non può essere eseguito da %1: %2.&lt;br&gt;Imposta TMPDIR su un&apos;altra cartella, poi riavvia.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware scritto. Per verificarlo, riavvia il dispositivo in modalità DFU: ripeti i passi da 1 a 3.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Collegato a %1. Questo strumento aggiorna solo dispositivi %2,&lt;br&gt;quindi non può aggiornare questo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Questo dispositivo non può essere identificato (il suo record di prodotto è vuoto o sconosciuto).&lt;br&gt;Non può essere aggiornato qui: contatta l&apos;assistenza.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato più di un dispositivo.&lt;br&gt;Scollega tutti tranne quello da aggiornare.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossibile leggere le informazioni del dispositivo.&lt;br&gt;Scollegalo, riavvialo in modalità DFU (passi da 1 a 3) e ricollegalo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Lo strumento USB non risponde da 30 secondi.&lt;br&gt;Scollega il dispositivo, attendi un momento e ricollegalo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>non può essere avviato lì (una cartella &quot;noexec&quot;?)</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>si è fermato con il codice %1</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>non è la versione prevista</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>Firmware: cancellazione %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>Firmware: scrittura %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>Aggiornamento del firmware</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>Fatto. Scollega il cavo USB.</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>un dispositivo di tipo sconosciuto</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>Questa finestra raccoglie il log del programma quando viene avviato con -l, così: velmora-fw-upgrade -l</translation>
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
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;In attesa di un dispositivo in modalità DFU: esegui i passi da 1 a 3.&lt;br&gt;Il cavo USB deve avere un connettore &quot;Micro B&quot; e un connettore &quot;Tipo A&quot;.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un dispositivo: lettura del prodotto e del firmware installato.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un dispositivo DFU, ma non è un flash in modalità DFU.&lt;br&gt;Scollegalo, poi esegui i passi da 1 a 3 con il flash.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il dispositivo ha smesso di rispondere, quindi la scrittura è stata interrotta prima della fine.&lt;br&gt;Riavvia il dispositivo in modalità DFU (passi da 1 a 3) e installa di nuovo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Non è stato possibile verificare il firmware: %1.&lt;br&gt;Scollega il dispositivo, riavvialo in modalità DFU (passi da 1 a 3) e ricollegalo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 Il programma si è fermato.&lt;br&gt;Per continuare, chiudi la finestra e riavvia il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>La scrittura del firmware non è riuscita.</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>La scrittura è stata interrotta: il dispositivo ha smesso di rispondere.</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>Il dispositivo contiene questo firmware.</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>Il dispositivo non contiene questo firmware.</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>Non è stato possibile verificare il firmware.</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>lo strumento USB si è fermato con il codice %1</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>il disco di %1 è pieno, libera un po&apos; di spazio</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>il dispositivo ha smesso di rispondere</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>il dispositivo ha inviato solo %1 byte del firmware</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>la copia del firmware del programma non è leggibile</translation>
    </message>
    <message>
        <source>Unit %1: upgraded to firmware version %2 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>Dispositivo %1: aggiornato alla versione del firmware %2 e verificato.</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>Dispositivo %1: contiene già la versione del firmware %2, verificato senza scrittura.</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>Dispositivo %1: rifiutato. %2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>Dispositivo %1: non riuscito. %2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>Dispositivo %1: interrotto. %2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>Scollega il dispositivo, poi collega il successivo.</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>Nessun dispositivo collegato entro %1 secondi.</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>Il dispositivo non è tornato in modalità DFU dopo la scrittura del firmware.</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>Il dispositivo è stato scollegato prima della verifica del suo firmware.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La cartella %1 può essere modificata da un altro utente.&lt;br&gt;Imposta TMPDIR su una cartella tua, poi riavvia.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il simulatore (opzione -s) richiede python3, che non è installato.&lt;br&gt;Installa python3, poi riavvia.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Lo strumento USB %1 non può essere eseguito: %2.&lt;br&gt;Reinstalla il pacchetto velmora-fw-upgrade, poi riavvia il programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>manca o non può essere avviato</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;&quot;%1&quot;&lt;br/&gt;non è un file normale.&lt;br/&gt;&lt;br/&gt;Il log &lt;b&gt;non&lt;/b&gt; è stato salvato e non è stato sostituito nulla.&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;Il file &quot;%1&quot;&lt;br/&gt;non può essere aperto in scrittura.&lt;br/&gt;&lt;br/&gt;Il log &lt;b&gt;non&lt;/b&gt; è stato salvato!&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La scrittura del firmware non è riuscita: %1.&lt;br&gt;Lasci il dispositivo in modalità DFU (passi da 1 a 3) e installi di nuovo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;La scrittura del firmware non è riuscita: %1 (dettagli nella finestra del log).&lt;br&gt;Lasci il dispositivo in modalità DFU (passi da 1 a 3) e installi di nuovo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il dispositivo è stato scollegato durante la scrittura, quindi il suo firmware è incompleto.&lt;br&gt;Ripeta i passi da 1 a 3, poi installi di nuovo.&lt;/span&gt;</translation>
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
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il firmware è stato scritto, ma la verifica ha rilevato che differisce da quello di questo programma.&lt;br&gt;Faccia clic sul pulsante per installarlo di nuovo.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il firmware del dispositivo differisce da quello di questo programma, anche se la versione è la stessa.&lt;br&gt;Faccia clic sul pulsante per installare il firmware di questo programma.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Il dispositivo non risponde da %1 s: tenga collegato il cavo USB.&lt;br&gt;Se resta in silenzio per un minuto, il trasferimento viene interrotto.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>Il firmware è stato scritto, ma non ancora verificato.</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>il dispositivo è stato scollegato durante la lettura</translation>
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
        <translation>Salvato in &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;È collegato un dispositivo, ma questo utente non può usarlo (permessi USB).&lt;br&gt;Installi la regola udev (veda &quot;man velmora-fw-upgrade&quot;), poi ricolleghi il dispositivo.&lt;/span&gt;</translation>
    </message>
</context>
</TS>
