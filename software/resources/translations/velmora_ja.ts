<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>接続されたストロボにファームウェアをインストールします。Return、Enter、Space キーで押せます。</translation>
    </message>
</context>
<context>
    <name>LogWindowDialog</name>
    <message>
        <source>Velmora Firmware Upgrade Tool – Log</source>
        <translation>Velmora ファームウェア更新ツール – ログ</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>ログ</translation>
    </message>
    <message>
        <source>The program&apos;s messages, one a line, the latest last</source>
        <translation>プログラムのメッセージ（1 行に 1 件、最新のものが最後）</translation>
    </message>
    <message>
        <source>Save Log Output</source>
        <translation>ログの保存</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>テキスト ファイル (*.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation>ログを保存…</translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation>ログを非表示</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Velmora Firmware Upgrade Tool</source>
        <translation>Velmora ファームウェア更新ツール</translation>
    </message>
    <message>
        <source>The product this tool upgrades</source>
        <translation>このツールが更新する製品</translation>
    </message>
    <message>
        <source>The firmware version this tool installs</source>
        <translation>このツールがインストールするファームウェア バージョン</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>手順の説明</translation>
    </message>
    <message>
        <source>Step %1 of 4</source>
        <translation>手順 %1 / 4</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状態</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
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
        <translation>使い方：velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                           [-l | --use-log-window]
        velmora-fw-upgrade -b | --batch [--jobs N] [--units N]
                           [--timeout SECONDS] [--json] [--verbose] [-s | -S]
        velmora-fw-upgrade -h | --help | --version
DFU モードで USB 接続された Velmora ストロボのファームウェアを更新します。

  -s, --use-simulator      ストロボの代わりにシミュレーター スクリプトと通信する
  -S, --no-use-simulator   実際のストロボを使う（-s より優先）
  -l, --use-log-window     すべての診断メッセージをログ ウィンドウ（Ctrl+L）に
                           集める。サービス窓口に送るために保存できる。
                           標準エラー出力にも出す
  -b, --batch              ウィンドウなしで、端末から USB ハブ上のすべての
                           ストロボを処理する。各ストロボをウィンドウと同様に
                           読み取って判定し、ファームウェアが異なれば書き込んで
                           から読み戻して比較する。別の製品のストロボと、
                           シリアル番号が同じ 2 台は拒否する
      --jobs N             最大 N 台のストロボを同時に処理する（既定値 4）
      --units N            N 台で終了する（既定値 1）。0 なら停止まで続ける
      --timeout SECONDS    接続中・処理中のストロボがない状態がこの時間続くと
                           終了する（既定値：待ち続ける）
      --json               ストロボごとに、終わった時点で JSON オブジェクトを
                           1 つ標準出力に出す（serial, product, revision_before,
                           revision_after, written, result, reason, seconds）。
                           最後に &quot;summary&quot;: true と結果ごとの台数を持つ
                           オブジェクトを 1 つ出す。標準出力には他に何も出さない
      --verbose            ログ全体を標準エラー出力に出す（-l の代わり）
  -h, --help               このテキストを標準出力に出す
      --version            プログラムのバージョンを標準出力に出す

ウィンドウのキー：ボタンが有効なとき、Return、Enter、Space キーで更新を
開始します。Escape または Q でストロボとの通信を止めます（実行中の転送は
先に完了させます）。Ctrl+L でログ ウィンドウを表示または非表示にします。
ログ ウィンドウでの保存先の既定値は ~/logfile.txt です。
バッチ モードでは、メッセージは標準出力（--json のときは標準エラー出力）に
出ます。端末では処理中のストロボごとに更新される 1 行として、それ以外では
ストロボのシリアル番号を示すタイムスタンプ付きの行として出ます。ストロボの
結果は upgraded、verified、refused、unreadable、failed、interrupted、
stopped のいずれかです。Ctrl+C、SIGTERM、SIGHUP で転送が途中で切れることは
ありません。プログラムは実行中の転送をすべて先に完了させます。

終了ステータス：0 ウィンドウが閉じられた、またはすべてのストロボの検証に
成功した。1 コマンドラインの誤り。2 失敗、読み取り不可、中断のいずれかに
なったストロボがある、または dfu-util を実行できない。
3 拒否したストロボがある（失敗はない）。4 --timeout 以内にストロボが
接続されなかった。128+n シグナル n で終了した。--help と --version：0。
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
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;ファームウェア更新&lt;/span&gt;
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
バージョン：
&lt;br&gt;
%1
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Follow the steps below
to upgrade your product.</source>
        <comment>5</comment>
        <translation>以下の手順で製品を
更新してください。</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. ストロボの電源を切る</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. 画面下の右端のボタンを
    押したまま、TEST ボタンを
    1 秒間押す</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. USB ケーブルを接続</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. ここをクリックして更新を開始</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1.&lt;/span&gt;</source>
        <comment>status_devConn</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with firmware version %2&lt;/span&gt;</source>
        <comment>status_devRev</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました（ファームウェア バージョン %2）&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました（ファームウェア バージョン不明）。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;転送を完了しています。USB ケーブルを抜かないでください。&lt;br&gt;完了しだい、プログラムは先に進みます。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;停止しました。続けるには、ウィンドウを閉じてプログラムを起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に作業フォルダーを作成できません。&lt;br&gt;TMPDIR を空き容量のある書き込み可能なフォルダーに設定して、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB ツールを %1 に展開できません（ディスクがいっぱいではありませんか？）。&lt;br&gt;空き容量を確保するか、TMPDIR を別のフォルダーに設定して、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB ツールを %1 から実行できません：%2。&lt;br&gt;TMPDIR を別のフォルダーに設定して、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ファームウェアを書き込みました。&lt;br&gt;検証するには、手順 1～3 をもう一度行い、ストロボを DFU モードで起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました。このツールで更新できるのは %2 のみのため、&lt;br&gt;このストロボは更新できません。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;このストロボを識別できません（製品情報が空か不明です）。&lt;br&gt;ここでは更新できません。サービス窓口にお問い合わせください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;複数のストロボが接続されています。&lt;br&gt;更新するストロボ以外はすべて取り外してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボの情報を読み取れません。&lt;br&gt;ストロボを取り外し、DFU モードで起動し直して（手順 1～3）、もう一度接続してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB ツールが 30 秒間応答していません。&lt;br&gt;ストロボを取り外し、少し待ってから接続し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>そこでは起動できません（「noexec」のフォルダーではありませんか？）</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>コード %1 で終了しました</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>このプログラムのビルドに使われたバージョンではありません</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>更新中：消去 %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>更新中：書き込み %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>ファームウェアを更新中</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>完了。USB ケーブルを抜いてください。</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>機種不明のストロボ</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>このウィンドウには、-l を付けて起動したときのプログラムのログが集まります。例：velmora-fw-upgrade -l</translation>
    </message>
    <message>
        <source>Simulator mode</source>
        <comment>sim_mode</comment>
        <translation>シミュレーター モード</translation>
    </message>
    <message>
        <source>Debug mode</source>
        <comment>debug_mode</comment>
        <translation>デバッグ モード</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Waiting for a unit in DFU mode: do steps 1 to 3.&lt;br&gt;The USB cable must have a &apos;Micro B&apos; plug and a &apos;Type A&apos; plug.&lt;/span&gt;</source>
        <comment>status_noDev</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;DFU モードのストロボを待っています。手順 1～3 を行ってください。&lt;br&gt;USB ケーブルには「Micro B」プラグと「Type A」プラグが必要です。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボが接続されています。製品とファームウェアを読み取っています。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;DFU デバイスが接続されていますが、DFU モードのストロボではありません。&lt;br&gt;そのデバイスを取り外してから、ストロボで手順 1～3 を行ってください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボが応答しなくなったため、書き込みは完了前に中断されました。&lt;br&gt;ストロボを DFU モードで起動し直して（手順 1～3）、もう一度インストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ファームウェアを検証できませんでした：%1。&lt;br&gt;ストロボを取り外し、DFU モードで起動し直して（手順 1～3）、もう一度接続してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1プログラムは停止しました。&lt;br&gt;続けるには、ウィンドウを閉じてプログラムを起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>ファームウェアの書き込みに失敗しました。</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>ストロボが応答しなくなったため、書き込みを中断しました。</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>ストロボにこのファームウェアが入っています。</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>ストロボにこのファームウェアが入っていません。</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>ファームウェアを検証できませんでした。</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>USB ツールがコード %1 で終了しました</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>%1 のディスクがいっぱいです。空き容量を確保してください</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>ストロボが応答しなくなりました</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>ストロボから送られたファームウェアは %1 バイトだけでした</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>プログラム内蔵のファームウェアを読み取れません</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>ストロボ %1：すでにファームウェア バージョン %2 が入っているため、書き込まずに検証しました。</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>ストロボ %1：拒否しました。%2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>ストロボ %1：失敗しました。%2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>ストロボ %1：停止しました。%2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>ストロボを取り外してから、次のストロボを接続してください。</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>%1 秒以内にストロボが接続されませんでした。</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>ファームウェアの書き込み後、ストロボが DFU モードで再接続されませんでした。</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>ファームウェアを検証する前にストロボが取り外されました。</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;フォルダー %1 は他のユーザーが変更できます。&lt;br&gt;TMPDIR を自分のフォルダーに設定して、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;シミュレーター（オプション -s）には python3 が必要ですが、インストールされていません。&lt;br&gt;python3 をインストールして、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB ツール %1 を実行できません：%2。&lt;br&gt;velmora-fw-upgrade パッケージを再インストールして、プログラムを起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>見つからないか、起動できません</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;「%1」は&lt;br/&gt;通常のファイルではありません。&lt;br/&gt;&lt;br/&gt;ログは保存&lt;b&gt;されませんでした&lt;/b&gt;。何も置き換えられていません。&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;ファイル「%1」を&lt;br/&gt;書き込み用に開けません。&lt;br/&gt;&lt;br/&gt;ログは保存&lt;b&gt;されませんでした&lt;/b&gt;。&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 からはプログラムを実行できません（「noexec」でマウントされています）。&lt;br&gt;プログラムを実行できるファイル システム上のフォルダーを TMPDIR に設定し、起動し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Checking firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation>検証中：読み戻し %p%</translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation>ファームウェアを検証中</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s USB serial number (“%1”) cannot be read for certain.&lt;br&gt;It is not read or written: disconnect it.&lt;/span&gt;</source>
        <comment>status_serialUnsafe</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボの USB シリアル番号（「%1」）を確実に読み取れません。&lt;br&gt;読み取りも書き込みも行いません。ストロボを取り外してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Unit %1: firmware version %2 replaced by version %3 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>ストロボ %1：ファームウェア バージョン %2 をバージョン %3 に置き換え、検証しました。</translation>
    </message>
    <message>
        <source>Unit %1: unreadable, nothing written. %2</source>
        <comment>batch_unreadable</comment>
        <translation>ストロボ %1：読み取れないため、何も書き込んでいません。%2</translation>
    </message>
    <message>
        <source>Unit %1: interrupted. %2</source>
        <comment>batch_interrupted</comment>
        <translation>ストロボ %1：中断しました。%2</translation>
    </message>
    <message>
        <source>Upgraded %1, verified %2, refused %3, not done %4; serving %5, waiting %6</source>
        <comment>batch_counter</comment>
        <translation>更新 %1、検証 %2、拒否 %3、未完了 %4／処理中 %5、待機中 %6</translation>
    </message>
    <message>
        <source>%1 units: %2 upgraded, %3 verified, %4 refused, %5 unreadable, %6 failed, %7 interrupted, %8 stopped.</source>
        <comment>batch_summary</comment>
        <translation>ストロボ %1 台：更新 %2、検証 %3、拒否 %4、読み取り不可 %5、失敗 %6、中断 %7、停止 %8。</translation>
    </message>
    <message>
        <source>Waiting for units in DFU mode: restart each unit in its USB boot mode and connect it to the hub.</source>
        <comment>batch_waiting</comment>
        <translation>DFU モードのストロボを待っています。各ストロボを DFU モードで起動し直し、ハブに接続してください。</translation>
    </message>
    <message>
        <source>Another unit on the hub reports the same serial, so the two cannot be told apart; nothing was written.</source>
        <comment>reason_sameSerial</comment>
        <translation>ハブ上の別のストロボが同じシリアル番号を報告しているため、2 台を区別できません。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>The unit reports no serial, so it cannot be told apart from others; nothing was written.</source>
        <comment>reason_noSerial</comment>
        <translation>ストロボがシリアル番号を報告しないため、他のストロボと区別できません。何も書き込んでいません。</translation>
    </message>
    <message>
        <source>The run serving this unit ended without a result (%1).</source>
        <comment>reason_childEnded</comment>
        <translation>このストロボを処理していたプロセスが、結果を出さずに終了しました（%1）。</translation>
    </message>
    <message>
        <source>The unit was disconnected before it could be read.</source>
        <comment>reason_goneBeforeRead</comment>
        <translation>読み取る前にストロボが取り外されました。</translation>
    </message>
    <message>
        <source>The unit was disconnected while its firmware was written. Restart it in its USB boot mode and serve it again.</source>
        <comment>reason_goneWriting</comment>
        <translation>ファームウェアの書き込み中にストロボが取り外されました。ストロボを DFU モードで起動し直して、処理をやり直してください。</translation>
    </message>
    <message>
        <source>the file read back (%1) cannot be read</source>
        <comment>reason_readBackUnreadable</comment>
        <translation>読み戻したファイル（%1）を読み取れません</translation>
    </message>
    <message>
        <source>A DFU device is connected, but it is not a flash unit in DFU mode.</source>
        <comment>bench_unknownDevice</comment>
        <translation>DFU デバイスが接続されていますが、DFU モードのストロボではありません。</translation>
    </message>
    <message>
        <source>Firmware written. To check it, restart the unit in its USB boot mode.</source>
        <comment>bench_written</comment>
        <translation>ファームウェアを書き込みました。検証するには、ストロボを DFU モードで起動し直してください。</translation>
    </message>
    <message>
        <source>Writing the firmware failed (the log tells why). Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_downloadFailed</comment>
        <translation>ファームウェアの書き込みに失敗しました（理由はログにあります）。ストロボを DFU モードで起動し直して、処理をやり直してください。</translation>
    </message>
    <message>
        <source>The unit&apos;s information cannot be read. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_readFailed</comment>
        <translation>ストロボの情報を読み取れません。ストロボを DFU モードで起動し直して、もう一度接続してください。</translation>
    </message>
    <message>
        <source>The unit stopped answering, so the write was ended before it was complete. Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_writeInterrupted</comment>
        <translation>ストロボが応答しなくなったため、書き込みは完了前に中断されました。ストロボを DFU モードで起動し直して、処理をやり直してください。</translation>
    </message>
    <message>
        <source>The firmware could not be checked: %1. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_checkNotMade</comment>
        <translation>ファームウェアを検証できませんでした：%1。ストロボを DFU モードで起動し直して、もう一度接続してください。</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ファームウェアの書き込みに失敗しました：%1。&lt;br&gt;ストロボを DFU モードのままにして（手順 1～3）、もう一度インストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ファームウェアの書き込みに失敗しました：%1（詳しくはログ ウィンドウを参照）。&lt;br&gt;ストロボを DFU モードのままにして（手順 1～3）、もう一度インストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;書き込み中にストロボが取り外されたため、ファームウェアが不完全です。&lt;br&gt;手順 1～3 をもう一度行ってから、もう一度インストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: it already holds this firmware, nothing was written.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_alreadyCurrent</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました。すでにこのファームウェアが入っているため、何も書き込んでいません。&lt;br&gt;完了。USB ケーブルを抜いてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: the firmware was written and checked.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_upgradedDone</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 に接続しました。ファームウェアを書き込み、検証しました。&lt;br&gt;完了。USB ケーブルを抜いてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware was written, but the check found it differs from the one in this program.&lt;br&gt;Click the button to install it again.&lt;/span&gt;</source>
        <comment>status_writtenDiffers</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ファームウェアを書き込みましたが、検証の結果、このプログラムのものと異なっています。&lt;br&gt;ボタンをクリックして、もう一度インストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボのファームウェアは、バージョンは同じですが、このプログラムのものと異なっています。&lt;br&gt;ボタンをクリックして、このプログラムのファームウェアをインストールしてください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボは接続されていますが、このユーザーには USB の使用権限がありません。&lt;br&gt;udev ルールを導入し（man velmora-fw-upgrade 参照）、接続し直してください。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;ストロボから %1 秒間応答がありません。USB ケーブルを抜かないでください。&lt;br&gt;このまま 1 分間応答がなければ、転送を中断します。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>ファームウェアを書き込みましたが、まだ検証していません。</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>読み取り中にストロボが取り外されました</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <comment>product_either</comment>
        <extracomment>Joins two product names that the program upgrades alike, e.g. &apos;N20 or N20S&apos;. The names stay as they are.</extracomment>
        <translation>%1 または %2</translation>
    </message>
    <message>
        <source>Saved to &apos;%1&apos;.</source>
        <comment>log_saved</comment>
        <translation>「%1」に保存しました。</translation>
    </message>
</context>
</TS>
