<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>Installe le firmware sur le flash branché. Les touches Entrée et Espace actionnent ce bouton.</translation>
    </message>
</context>
<context>
    <name>LogWindowDialog</name>
    <message>
        <source>Velmora Firmware Upgrade Tool – Log</source>
        <translation>Mise à jour du firmware Velmora – Journal</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>The program&apos;s messages, one a line, the latest last</source>
        <translation>Les messages du programme, un par ligne, le plus récent en dernier</translation>
    </message>
    <message>
        <source>Save Log Output</source>
        <translation>Enregistrer le journal</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation>Enregistrer le journal…</translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation>Masquer le journal</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Velmora Firmware Upgrade Tool</source>
        <translation>Mise à jour du firmware Velmora</translation>
    </message>
    <message>
        <source>The product this tool upgrades</source>
        <translation>Le produit que cet outil met à jour</translation>
    </message>
    <message>
        <source>The firmware version this tool installs</source>
        <translation>La version du firmware que cet outil installe</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
    <message>
        <source>Step %1 of 4</source>
        <translation>Étape %1 sur 4</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
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
        <translation>Utilisation : velmora-fw-upgrade [-s | --use-simulator]
                                 [-S | --no-use-simulator]
                                 [-l | --use-log-window]
              velmora-fw-upgrade -b | --batch [--jobs N] [--units N]
                                 [--timeout SECONDS] [--json] [--verbose]
                                 [-s | -S]
              velmora-fw-upgrade -h | --help | --version
Met à jour le firmware d’un flash Velmora branché en USB et en mode DFU.

  -s, --use-simulator      utiliser le script simulateur au lieu d’un flash
  -S, --no-use-simulator   utiliser le flash réel (l’emporte sur -s)
  -l, --use-log-window     réunir tous les messages dans la fenêtre du journal
                           (Ctrl+L), qui peut les enregistrer pour le service
                           après-vente ; aussi sur la sortie d’erreur standard
  -b, --batch              sans fenêtre : traiter depuis un terminal tous les
                           flashs du hub USB ; chacun est lu et évalué comme
                           dans la fenêtre, écrit si son firmware diffère, puis
                           relu et comparé ; un flash d’un autre produit, ou
                           deux flashs de même numéro de série, sont refusés
      --jobs N             traiter jusqu’à N flashs à la fois (4 par défaut)
      --units N            terminer après N flashs (1 par défaut) ; 0 : jusqu’à
                           l’arrêt
      --timeout SECONDS    terminer si, pendant ce délai, aucun flash n’est
                           branché ni traité (par défaut : attendre)
      --json               un objet JSON par flash sur la sortie standard, dès
                           qu’il est terminé (serial, product, revision_before,
                           revision_after, written, result, reason, seconds),
                           puis un avec &quot;summary&quot;: true et le nombre de chaque
                           résultat ; rien d’autre
      --verbose            tout le journal sur la sortie d’erreur standard
                           (au lieu de -l)
  -h, --help               ce texte, sur la sortie standard
      --version            la version du programme, sur la sortie standard

Touches de la fenêtre : Entrée ou Espace lance la mise à jour quand le bouton
est actif ; Échap ou Q arrête la communication avec le flash (un transfert en
cours est d’abord terminé) ; Ctrl+L affiche ou masque la fenêtre du journal.
La fenêtre du journal propose d’enregistrer le journal sous ~/logfile.txt.
En mode par lots, les messages vont sur la sortie standard (sur la sortie
d’erreur standard avec --json) : sur un terminal, une ligne mise à jour par
flash en cours de traitement, sinon des lignes horodatées qui donnent le numéro
de série du flash. Le résultat d’un flash est upgraded, verified, refused,
unreadable, failed, interrupted ou stopped. Ctrl+C, SIGTERM et SIGHUP
n’interrompent jamais un transfert : le programme termine d’abord tous ceux en
cours.

Code de sortie : 0 la fenêtre a été fermée, ou chaque flash a été vérifié avec
succès ; 1 ligne de commande erronée ; 2 un flash est en échec, illisible ou
interrompu, ou dfu-util ne peut pas s’exécuter ; 3 un flash a été refusé (et
aucun n’est en échec) ; 4 aucun flash n’a été branché dans le délai --timeout ;
128+n arrêté par le signal n. --help et --version : 0.
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
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;Mise à jour du firmware&lt;/span&gt;
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
Version du&lt;br&gt;firmware&#xa0;:
&lt;br&gt;
%1
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Follow the steps below
to upgrade your product.</source>
        <comment>5</comment>
        <translation>Suivez les étapes ci-dessous
pour mettre à jour le flash.</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. Éteignez le flash</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. Sous l’écran, maintenez le
    bouton tout à droite enfoncé
    en appuyant 1 seconde sur
    le bouton TEST</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. Branchez en USB</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. Cliquez ici pour mettre à jour</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1.&lt;/span&gt;</source>
        <comment>status_devConn</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with firmware version %2&lt;/span&gt;</source>
        <comment>status_devRev</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché, version du firmware %2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché, version du firmware inconnue.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Fin du transfert en cours&#xa0;: laissez le câble USB branché.&lt;br&gt;Le programme reprend dès que le transfert est terminé.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Arrêté. Pour continuer, fermez la fenêtre et relancez le programme.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Impossible de créer un dossier de travail dans %1.&lt;br&gt;Faites pointer TMPDIR vers un dossier accessible en écriture avec de l’espace libre, puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’outil USB ne peut pas être extrait dans %1 (le disque est-il plein&#x202f;?).&lt;br&gt;Libérez de l’espace ou faites pointer TMPDIR vers un autre dossier, puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’outil USB ne peut pas s’exécuter depuis %1&#xa0;: %2.&lt;br&gt;Faites pointer TMPDIR vers un autre dossier, puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware écrit. Pour le vérifier, redémarrez le flash en mode DFU&#xa0;: refaites les étapes 1 à 3.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché. Cet outil ne met à jour que les flashs %2&lt;br&gt;et ne peut donc pas mettre à jour celui-ci.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Ce flash ne peut pas être identifié (sa fiche produit est vide ou inconnue).&lt;br&gt;Il ne peut pas être mis à jour ici&#xa0;: veuillez contacter le service après-vente.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Plusieurs flashs sont branchés.&lt;br&gt;Débranchez-les tous sauf celui à mettre à jour.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Les informations du flash ne peuvent pas être lues.&lt;br&gt;Débranchez-le, redémarrez-le en mode DFU (étapes 1 à 3) et rebranchez-le.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’outil USB ne répond pas depuis 30 secondes.&lt;br&gt;Débranchez le flash, attendez un instant et rebranchez-le.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>il ne peut pas y être lancé (dossier «&#x202f;noexec&#x202f;»&#x202f;?)</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>il s’est arrêté avec le code %1</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>ce n’est pas la version attendue</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>Mise à jour du firmware&#xa0;: effacement %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>Mise à jour du firmware&#xa0;: écriture %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>Mise à jour du firmware</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>Terminé. Débranchez le câble USB.</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>de type inconnu</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>Cette fenêtre recueille le journal du programme lorsqu’il est lancé avec -l, par exemple&#xa0;: velmora-fw-upgrade -l</translation>
    </message>
    <message>
        <source>Simulator mode</source>
        <comment>sim_mode</comment>
        <translation>Mode simulateur</translation>
    </message>
    <message>
        <source>Debug mode</source>
        <comment>debug_mode</comment>
        <translation>Mode débogage</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Waiting for a unit in DFU mode: do steps 1 to 3.&lt;br&gt;The USB cable must have a &apos;Micro B&apos; plug and a &apos;Type A&apos; plug.&lt;/span&gt;</source>
        <comment>status_noDev</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;En attente d’un flash en mode DFU&#xa0;: suivez les étapes 1 à 3.&lt;br&gt;Le câble USB doit avoir une fiche «&#x202f;Micro B&#x202f;» et une fiche «&#x202f;Type A&#x202f;».&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Un flash est branché&#xa0;: lecture du produit et du firmware qu’il contient.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Un périphérique DFU est branché, mais ce n’est pas un flash en mode DFU.&lt;br&gt;Débranchez-le, puis suivez les étapes 1 à 3 avec le flash.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le flash ne répondait plus&#xa0;: l’écriture a été interrompue avant la fin.&lt;br&gt;Redémarrez le flash en mode DFU (étapes 1 à 3) et relancez l’installation.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le firmware n’a pas pu être vérifié&#xa0;: %1.&lt;br&gt;Débranchez le flash, redémarrez-le en mode DFU (étapes 1 à 3) et rebranchez-le.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 Le programme s’est arrêté.&lt;br&gt;Pour continuer, fermez la fenêtre et relancez le programme.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>L’écriture du firmware a échoué.</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>L’écriture a été interrompue&#xa0;: le flash ne répondait plus.</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>Le flash contient ce firmware.</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>Le flash ne contient pas ce firmware.</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>Le firmware n’a pas pu être vérifié.</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>l’outil USB s’est arrêté avec le code %1</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>le disque de %1 est plein, libérez-y de l’espace</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>le flash ne répondait plus</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>le flash n’a envoyé que %1 octets du firmware</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>la copie du firmware intégrée au programme est illisible</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>Flash %1&#xa0;: contient déjà la version %2 du firmware, vérifié sans écriture.</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>Flash %1&#xa0;: refusé. %2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>Flash %1&#xa0;: échec. %2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>Flash %1&#xa0;: arrêté. %2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>Débranchez le flash, puis branchez le suivant.</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>Aucun flash n’a été branché dans un délai de %1 secondes.</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>Le flash n’est pas revenu en mode DFU après l’écriture du firmware.</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>Le flash a été débranché avant la vérification de son firmware.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le dossier %1 peut être modifié par un autre utilisateur.&lt;br&gt;Faites pointer TMPDIR vers un dossier qui vous appartient, puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le simulateur (option -s) nécessite python3, qui n’est pas installé.&lt;br&gt;Installez python3, puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’outil USB %1 ne peut pas s’exécuter&#xa0;: %2.&lt;br&gt;Réinstallez le paquet velmora-fw-upgrade, puis relancez le programme.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>il est absent ou ne peut pas être lancé</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;«&#x202f;%1&#x202f;»&lt;br/&gt;n’est pas un fichier ordinaire.&lt;br/&gt;&lt;br/&gt;Le journal n’a &lt;b&gt;pas&lt;/b&gt; été enregistré et rien n’a été remplacé.&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;Le fichier «&#x202f;%1&#x202f;»&lt;br/&gt;ne peut pas être ouvert en écriture.&lt;br/&gt;&lt;br/&gt;Le journal n’a &lt;b&gt;pas&lt;/b&gt; pu être enregistré&#x202f;!&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Les programmes ne peuvent pas s’exécuter depuis %1 (monté avec «&#x202f;noexec&#x202f;»).&lt;br&gt;Faites pointer TMPDIR vers un dossier d’un système de fichiers sans «&#x202f;noexec&#x202f;», puis relancez.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Checking firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation>Vérification du firmware&#xa0;: relecture %p%</translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation>Vérification du firmware</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s USB serial number (“%1”) cannot be read for certain.&lt;br&gt;It is not read or written: disconnect it.&lt;/span&gt;</source>
        <comment>status_serialUnsafe</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le numéro de série USB du flash («&#x202f;%1&#x202f;») ne peut pas être lu avec certitude.&lt;br&gt;Le flash n’est ni lu ni écrit&#xa0;: débranchez-le.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Unit %1: firmware version %2 replaced by version %3 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>Flash %1&#xa0;: version %2 du firmware remplacée par la version %3 et vérifiée.</translation>
    </message>
    <message>
        <source>Unit %1: unreadable, nothing written. %2</source>
        <comment>batch_unreadable</comment>
        <translation>Flash %1&#xa0;: illisible, rien n’a été écrit. %2</translation>
    </message>
    <message>
        <source>Unit %1: interrupted. %2</source>
        <comment>batch_interrupted</comment>
        <translation>Flash %1&#xa0;: interrompu. %2</translation>
    </message>
    <message>
        <source>Upgraded %1, verified %2, refused %3, not done %4; serving %5, waiting %6</source>
        <comment>batch_counter</comment>
        <translation>Mis à jour %1, vérifiés %2, refusés %3, non traités %4&#x202f;; en cours %5, en attente %6</translation>
    </message>
    <message>
        <source>%1 units: %2 upgraded, %3 verified, %4 refused, %5 unreadable, %6 failed, %7 interrupted, %8 stopped.</source>
        <comment>batch_summary</comment>
        <translation>%1 flashs&#xa0;: %2 mis à jour, %3 vérifiés, %4 refusés, %5 illisibles, %6 en échec, %7 interrompus, %8 arrêtés.</translation>
    </message>
    <message>
        <source>Waiting for units in DFU mode: restart each unit in its USB boot mode and connect it to the hub.</source>
        <comment>batch_waiting</comment>
        <translation>En attente de flashs en mode DFU&#xa0;: redémarrez chaque flash en mode DFU et branchez-le sur le hub.</translation>
    </message>
    <message>
        <source>Another unit on the hub reports the same serial, so the two cannot be told apart; nothing was written.</source>
        <comment>reason_sameSerial</comment>
        <translation>Un autre flash du hub indique le même numéro de série&#xa0;: impossible de les distinguer&#x202f;; rien n’a été écrit.</translation>
    </message>
    <message>
        <source>The unit reports no serial, so it cannot be told apart from others; nothing was written.</source>
        <comment>reason_noSerial</comment>
        <translation>Le flash n’indique aucun numéro de série&#xa0;: impossible de le distinguer des autres&#x202f;; rien n’a été écrit.</translation>
    </message>
    <message>
        <source>The run serving this unit ended without a result (%1).</source>
        <comment>reason_childEnded</comment>
        <translation>Le processus qui traitait ce flash s’est terminé sans résultat (%1).</translation>
    </message>
    <message>
        <source>The unit was disconnected before it could be read.</source>
        <comment>reason_goneBeforeRead</comment>
        <translation>Le flash a été débranché avant d’avoir pu être lu.</translation>
    </message>
    <message>
        <source>The unit was disconnected while its firmware was written. Restart it in its USB boot mode and serve it again.</source>
        <comment>reason_goneWriting</comment>
        <translation>Le flash a été débranché pendant l’écriture de son firmware. Redémarrez-le en mode DFU et relancez son traitement.</translation>
    </message>
    <message>
        <source>the file read back (%1) cannot be read</source>
        <comment>reason_readBackUnreadable</comment>
        <translation>le fichier relu (%1) est illisible</translation>
    </message>
    <message>
        <source>A DFU device is connected, but it is not a flash unit in DFU mode.</source>
        <comment>bench_unknownDevice</comment>
        <translation>Un périphérique DFU est branché, mais ce n’est pas un flash en mode DFU.</translation>
    </message>
    <message>
        <source>Firmware written. To check it, restart the unit in its USB boot mode.</source>
        <comment>bench_written</comment>
        <translation>Firmware écrit. Pour le vérifier, redémarrez le flash en mode DFU.</translation>
    </message>
    <message>
        <source>Writing the firmware failed (the log tells why). Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_downloadFailed</comment>
        <translation>L’écriture du firmware a échoué (le journal indique pourquoi). Redémarrez le flash en mode DFU et relancez son traitement.</translation>
    </message>
    <message>
        <source>The unit&apos;s information cannot be read. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_readFailed</comment>
        <translation>Les informations du flash ne peuvent pas être lues. Redémarrez-le en mode DFU et rebranchez-le.</translation>
    </message>
    <message>
        <source>The unit stopped answering, so the write was ended before it was complete. Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_writeInterrupted</comment>
        <translation>Le flash ne répondait plus&#xa0;: l’écriture a été interrompue avant la fin. Redémarrez-le en mode DFU et relancez son traitement.</translation>
    </message>
    <message>
        <source>The firmware could not be checked: %1. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_checkNotMade</comment>
        <translation>Le firmware n’a pas pu être vérifié&#xa0;: %1. Redémarrez le flash en mode DFU et rebranchez-le.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’écriture du firmware a échoué&#xa0;: %1.&lt;br&gt;Laissez le flash en mode DFU (étapes 1 à 3) et relancez l’installation.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;L’écriture du firmware a échoué&#xa0;: %1 (détails dans la fenêtre du journal).&lt;br&gt;Laissez le flash en mode DFU (étapes 1 à 3) et relancez l’installation.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le flash a été débranché pendant l’écriture&#xa0;: son firmware est incomplet.&lt;br&gt;Refaites les étapes 1 à 3, puis relancez l’installation.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: it already holds this firmware, nothing was written.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_alreadyCurrent</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché&#xa0;: il contient déjà ce firmware, rien n’a été écrit.&lt;br&gt;Terminé. Débranchez le câble USB.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: the firmware was written and checked.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_upgradedDone</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Flash %1 branché&#xa0;: le firmware a été écrit et vérifié.&lt;br&gt;Terminé. Débranchez le câble USB.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware was written, but the check found it differs from the one in this program.&lt;br&gt;Click the button to install it again.&lt;/span&gt;</source>
        <comment>status_writtenDiffers</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le firmware a été écrit, mais la vérification montre qu’il diffère de celui de ce programme.&lt;br&gt;Cliquez sur le bouton pour le réinstaller.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le firmware du flash diffère de celui de ce programme, bien que la version soit la même.&lt;br&gt;Cliquez sur le bouton pour installer le firmware de ce programme.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Un flash est branché, mais cet utilisateur ne peut pas l’utiliser (droits USB).&lt;br&gt;Installez la règle udev (voir «&#x202f;man velmora-fw-upgrade&#x202f;»), puis rebranchez le flash.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Le flash ne répond plus depuis %1&#xa0;s&#xa0;: laissez le câble USB branché.&lt;br&gt;S’il reste muet pendant une minute, le transfert est arrêté.&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>Le firmware a été écrit, mais pas encore vérifié.</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>le flash a été débranché pendant la lecture</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <comment>product_either</comment>
        <extracomment>Joins two product names that the program upgrades alike, e.g. &apos;N20 or N20S&apos;. The names stay as they are.</extracomment>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>Saved to &apos;%1&apos;.</source>
        <comment>log_saved</comment>
        <translation>Enregistré dans «&#x202f;%1&#x202f;».</translation>
    </message>
</context>
</TS>
