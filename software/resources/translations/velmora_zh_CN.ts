<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>InstallButton</name>
    <message>
        <source>Installs the firmware on the connected unit. Return, Enter or Space presses it.</source>
        <translation>将固件安装到已连接的闪光灯。按回车键、Enter 键或空格键即可按下此按钮。</translation>
    </message>
</context>
<context>
    <name>LogWindowDialog</name>
    <message>
        <source>Velmora Firmware Upgrade Tool – Log</source>
        <translation>Velmora 固件升级工具 – 日志</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>日志</translation>
    </message>
    <message>
        <source>The program&apos;s messages, one a line, the latest last</source>
        <translation>程序的消息，每行一条，最新的在最后</translation>
    </message>
    <message>
        <source>Save Log Output</source>
        <translation>保存日志</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>文本文件 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Save Log…</source>
        <translation>保存日志…</translation>
    </message>
    <message>
        <source>Hide Log</source>
        <translation>隐藏日志</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Velmora Firmware Upgrade Tool</source>
        <translation>Velmora 固件升级工具</translation>
    </message>
    <message>
        <source>The product this tool upgrades</source>
        <translation>本工具升级的产品</translation>
    </message>
    <message>
        <source>The firmware version this tool installs</source>
        <translation>本工具安装的固件版本</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>操作说明</translation>
    </message>
    <message>
        <source>Step %1 of 4</source>
        <translation>第 %1 步，共 4 步</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
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
        <translation>用法：velmora-fw-upgrade [-s | --use-simulator] [-S | --no-use-simulator]
                         [-l | --use-log-window]
      velmora-fw-upgrade -b | --batch [--jobs N] [--units N] [--timeout SECONDS]
                         [--json] [--verbose] [-s | -S]
      velmora-fw-upgrade -h | --help | --version
升级以 DFU 模式通过 USB 连接的 Velmora 闪光灯的固件。

  -s, --use-simulator      与模拟器脚本通信，而不是与闪光灯通信
  -S, --no-use-simulator   使用真实的闪光灯（优先于 -s）
  -l, --use-log-window     将所有诊断消息收集到日志窗口（Ctrl+L），
                           可保存下来供售后服务使用；同时输出到标准错误
  -b, --batch              不打开窗口：在终端中处理 USB 集线器上的所有闪光灯；
                           每台都像在窗口中一样读取并判断，固件不同时写入，
                           然后读回并比对；其他产品的闪光灯，以及序列号相同的
                           两台闪光灯，会被拒绝
      --jobs N             同时最多处理 N 台闪光灯（默认 4）
      --units N            处理 N 台闪光灯后结束（默认 1）；0：直到被停止
      --timeout SECONDS    在此时间内既没有闪光灯连接、也没有闪光灯在处理时
                           结束（默认：一直等待）
      --json               每台闪光灯结束时在标准输出上输出一个 JSON 对象
                           （serial, product, revision_before, revision_after,
                           written, result, reason, seconds），最后输出一个带有
                           &quot;summary&quot;: true 和各结果数量的对象；标准输出上
                           不输出其他内容
      --verbose            将完整日志输出到标准错误（代替 -l）
  -h, --help               在标准输出上显示此文本
      --version            在标准输出上显示程序版本

窗口按键：安装按钮可用时，按回车键、Enter 键或空格键开始升级；
Esc 或 Q 停止与闪光灯通信（正在进行的传输会先完成）；
Ctrl+L 显示或隐藏日志窗口。
日志窗口默认将日志保存为 ~/logfile.txt。
批处理模式下，消息输出到标准输出（使用 --json 时输出到标准错误）：在终端上
每台正在处理的闪光灯显示为一行并不断更新，否则显示为注明闪光灯序列号、带有
时间戳的行。闪光灯的结果为 upgraded、verified、refused、unreadable、failed、
interrupted 或 stopped。Ctrl+C、SIGTERM 和 SIGHUP 绝不会中断传输：程序会先
完成所有正在进行的传输。

退出状态：0 窗口已关闭，或每台闪光灯都已校验通过；1 命令行有误；2 有闪光灯
失败、无法读取或被中止，或 dfu-util 无法运行；3 有闪光灯被拒绝（且没有失败）；
4 在 --timeout 内没有闪光灯连接；128+n 被信号 n 终止。--help 和 --version：0。
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
&lt;span style=&quot;color:#FFFFFF; font-weight:bold;&quot;&gt;固件升级&lt;/span&gt;
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
固件版本：
&lt;br&gt;
%1
&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Follow the steps below
to upgrade your product.</source>
        <comment>5</comment>
        <translation>请按照以下步骤
升级您的产品。</translation>
    </message>
    <message>
        <source>1. Turn off the device</source>
        <comment>7a</comment>
        <translation>1. 关闭闪光灯电源</translation>
    </message>
    <message>
        <source>2. Hold the rightmost button
    under the display while
    pushing the TEST button
    for 1 second</source>
        <comment>7b</comment>
        <translation>2. 按住显示屏下方最右边的
    按钮，同时按 TEST
    按钮 1 秒钟</translation>
    </message>
    <message>
        <source>3. Connect USB cable</source>
        <comment>9</comment>
        <translation>3. 连接 USB 数据线</translation>
    </message>
    <message>
        <source>4. Click here to start upgrade</source>
        <comment>8b2</comment>
        <translation>4. 点击此处开始升级</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1.&lt;/span&gt;</source>
        <comment>status_devConn</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with firmware version %2&lt;/span&gt;</source>
        <comment>status_devRev</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1，固件版本 %2&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1 with unknown firmware version.&lt;/span&gt;</source>
        <comment>status_devRevUnknown</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1，固件版本未知。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Finishing the transfer: keep the USB cable connected.&lt;br&gt;The program goes on as soon as it is done.&lt;/span&gt;</source>
        <comment>status_finishing</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;正在完成传输：请保持 USB 数据线连接。&lt;br&gt;传输完成后程序将继续。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Stopped. To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stopped</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已停止。如需继续，请关闭窗口并重新启动程序。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No working folder can be made in %1.&lt;br&gt;Set TMPDIR to a folder with free space that you can write to, then start again.&lt;/span&gt;</source>
        <comment>status_noWorkDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法在 %1 中创建工作文件夹。&lt;br&gt;请将 TMPDIR 设为一个有可用空间且可写入的文件夹，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot be unpacked into %1 (is the disk full?).&lt;br&gt;Free some space or set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_noExtract</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法将 USB 工具解压到 %1（磁盘已满？）。&lt;br&gt;请释放一些空间，或将 TMPDIR 设为其他文件夹，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool cannot run from %1: %2.&lt;br&gt;Set TMPDIR to another folder, then start again.&lt;/span&gt;</source>
        <comment>status_toolBroken</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB 工具无法从 %1 运行：%2。&lt;br&gt;请将 TMPDIR 设为其他文件夹，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Firmware written. To check it, restart the unit in DFU mode: do steps 1 to 3 again.&lt;/span&gt;</source>
        <comment>status_written</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;固件已写入。如需校验，请让闪光灯重新进入 DFU 模式：再次执行步骤 1 至 3。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1. This tool upgrades %2 units only,&lt;br&gt;so it cannot upgrade this one.&lt;/span&gt;</source>
        <comment>status_otherProduct</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1。本工具只能升级 %2 闪光灯，&lt;br&gt;因此无法升级此闪光灯。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;This unit cannot be identified (its product record is blank or unknown).&lt;br&gt;It cannot be upgraded here: please contact service.&lt;/span&gt;</source>
        <comment>status_unidentified</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法识别此闪光灯（其产品记录为空或未知）。&lt;br&gt;无法在此升级：请联系售后服务。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;More than one unit is connected.&lt;br&gt;Disconnect all but the one to upgrade.&lt;/span&gt;</source>
        <comment>status_severalUnits</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接多台闪光灯。&lt;br&gt;请只保留要升级的那一台，断开其他闪光灯。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s information cannot be read.&lt;br&gt;Disconnect it, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_readFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法读取闪光灯的信息。&lt;br&gt;请断开闪光灯，让其重新进入 DFU 模式（步骤 1 至 3），然后重新连接。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool has not answered for 30 seconds.&lt;br&gt;Disconnect the unit, wait a moment and connect it again.&lt;/span&gt;</source>
        <comment>status_notAnswering</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB 工具已有 30 秒没有响应。&lt;br&gt;请断开闪光灯，稍等片刻后重新连接。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it cannot be started there (a &apos;noexec&apos; folder?)</source>
        <comment>reason_cannotStart</comment>
        <translation>无法在那里启动（是“noexec”文件夹吗？）</translation>
    </message>
    <message>
        <source>it stopped with code %1</source>
        <comment>reason_exitCode</comment>
        <translation>以代码 %1 退出</translation>
    </message>
    <message>
        <source>it is not the version this program was built with</source>
        <comment>reason_wrongVersion</comment>
        <translation>不是构建本程序时所用的版本</translation>
    </message>
    <message>
        <source>Upgrading firmware: erasing %p%</source>
        <comment>bar_erasing</comment>
        <translation>升级中：擦除 %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware: writing %p%</source>
        <comment>bar_writing</comment>
        <translation>升级中：写入 %p%</translation>
    </message>
    <message>
        <source>Upgrading firmware</source>
        <comment>bar_upgrading</comment>
        <translation>正在升级固件</translation>
    </message>
    <message>
        <source>Done. Disconnect USB cable.</source>
        <comment>bar_done</comment>
        <translation>完成。请拔下 USB 数据线。</translation>
    </message>
    <message>
        <source>a unit of unknown type</source>
        <comment>product_unknown</comment>
        <extracomment>Stands for a product name in the status texts.</extracomment>
        <translation>未知型号的闪光灯</translation>
    </message>
    <message>
        <source>This window collects the program&apos;s log when it is started with -l, as in: velmora-fw-upgrade -l</source>
        <comment>log_hint</comment>
        <translation>以 -l 选项启动程序时，此窗口会收集程序的日志，例如：velmora-fw-upgrade -l</translation>
    </message>
    <message>
        <source>Simulator mode</source>
        <comment>sim_mode</comment>
        <translation>模拟器模式</translation>
    </message>
    <message>
        <source>Debug mode</source>
        <comment>debug_mode</comment>
        <translation>调试模式</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Waiting for a unit in DFU mode: do steps 1 to 3.&lt;br&gt;The USB cable must have a &apos;Micro B&apos; plug and a &apos;Type A&apos; plug.&lt;/span&gt;</source>
        <comment>status_noDev</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;正在等待处于 DFU 模式的闪光灯：请执行步骤 1 至 3。&lt;br&gt;USB 数据线须带有“Micro B”插头和“Type A”插头。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected: reading which product and firmware it has.&lt;/span&gt;</source>
        <comment>status_reading</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接闪光灯：正在读取其产品型号和固件。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A DFU device is connected, but it is not a flash unit in DFU mode.&lt;br&gt;Disconnect it, then do steps 1 to 3 with the unit.&lt;/span&gt;</source>
        <comment>status_unknownDevice</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接一个 DFU 设备，但它不是处于 DFU 模式的闪光灯。&lt;br&gt;请断开该设备，然后对闪光灯执行步骤 1 至 3。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit stopped answering, so the write was ended before it was complete.&lt;br&gt;Restart the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_writeInterrupted</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;闪光灯停止了响应，因此写入在完成前被中止。&lt;br&gt;请让闪光灯重新进入 DFU 模式（步骤 1 至 3），然后重新安装。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware could not be checked: %1.&lt;br&gt;Disconnect the unit, restart it in DFU mode (steps 1 to 3) and connect it again.&lt;/span&gt;</source>
        <comment>status_checkNotMade</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法校验固件：%1。&lt;br&gt;请断开闪光灯，让其重新进入 DFU 模式（步骤 1 至 3），然后重新连接。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1 The program has stopped.&lt;br&gt;To go on, close the window and start the program again.&lt;/span&gt;</source>
        <comment>status_stoppedAfter</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;%1程序已停止。&lt;br&gt;如需继续，请关闭窗口并重新启动程序。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Writing the firmware failed.</source>
        <comment>result_writeFailed</comment>
        <translation>固件写入失败。</translation>
    </message>
    <message>
        <source>The write was ended: the unit stopped answering.</source>
        <comment>result_writeInterrupted</comment>
        <translation>写入已中止：闪光灯停止了响应。</translation>
    </message>
    <message>
        <source>The unit holds this firmware.</source>
        <comment>result_verified</comment>
        <translation>闪光灯中已是此固件。</translation>
    </message>
    <message>
        <source>The unit does not hold this firmware.</source>
        <comment>result_verifyFailed</comment>
        <translation>闪光灯中的固件与此固件不一致。</translation>
    </message>
    <message>
        <source>The firmware could not be checked.</source>
        <comment>result_checkNotMade</comment>
        <translation>无法校验固件。</translation>
    </message>
    <message>
        <source>the USB tool stopped with code %1</source>
        <comment>reason_uploadFailed</comment>
        <translation>USB 工具以代码 %1 退出</translation>
    </message>
    <message>
        <source>the disk of %1 is full, free some space there</source>
        <comment>reason_noSpace</comment>
        <translation>%1 所在的磁盘已满，请释放一些空间</translation>
    </message>
    <message>
        <source>the unit stopped answering</source>
        <comment>reason_silent</comment>
        <translation>闪光灯停止了响应</translation>
    </message>
    <message>
        <source>the unit sent only %1 bytes of the firmware</source>
        <comment>reason_shortUpload</comment>
        <translation>闪光灯只发送了固件的 %1 个字节</translation>
    </message>
    <message>
        <source>the program&apos;s own copy of the firmware cannot be read</source>
        <comment>reason_noImage</comment>
        <translation>无法读取程序自带的固件副本</translation>
    </message>
    <message>
        <source>Unit %1: it already holds firmware version %2, checked without writing.</source>
        <comment>batch_verified</comment>
        <translation>闪光灯 %1：已是固件版本 %2，未写入，校验通过。</translation>
    </message>
    <message>
        <source>Unit %1: refused. %2</source>
        <comment>batch_refused</comment>
        <translation>闪光灯 %1：已拒绝。%2</translation>
    </message>
    <message>
        <source>Unit %1: failed. %2</source>
        <comment>batch_failed</comment>
        <translation>闪光灯 %1：失败。%2</translation>
    </message>
    <message>
        <source>Unit %1: stopped. %2</source>
        <comment>batch_stopped</comment>
        <translation>闪光灯 %1：已停止。%2</translation>
    </message>
    <message>
        <source>Disconnect the unit, then connect the next one.</source>
        <comment>batch_next</comment>
        <translation>请断开此闪光灯，然后连接下一台。</translation>
    </message>
    <message>
        <source>No unit came within %1 seconds.</source>
        <comment>batch_timeout</comment>
        <translation>%1 秒内没有闪光灯连接。</translation>
    </message>
    <message>
        <source>The unit did not come back in DFU mode after the firmware was written.</source>
        <comment>reason_notBack</comment>
        <translation>写入固件后，闪光灯没有以 DFU 模式重新连接。</translation>
    </message>
    <message>
        <source>The unit was disconnected before its firmware was checked.</source>
        <comment>reason_gone</comment>
        <translation>校验固件之前，闪光灯已被断开。</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The folder %1 can be changed by another user.&lt;br&gt;Set TMPDIR to a folder of your own, then start again.&lt;/span&gt;</source>
        <comment>status_unsafeTmpDir</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;文件夹 %1 可被其他用户更改。&lt;br&gt;请将 TMPDIR 设为您自己的文件夹，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The simulator (option -s) needs python3, which is not installed.&lt;br&gt;Install python3, then start again.&lt;/span&gt;</source>
        <comment>status_noPython</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;模拟器（选项 -s）需要 python3，但尚未安装。&lt;br&gt;请安装 python3，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The USB tool %1 cannot run: %2.&lt;br&gt;Install the velmora-fw-upgrade package again, then start the program again.&lt;/span&gt;</source>
        <comment>status_toolBrokenInstalled</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;USB 工具 %1 无法运行：%2。&lt;br&gt;请重新安装 velmora-fw-upgrade 软件包，然后重新启动程序。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>it is missing or cannot be started</source>
        <comment>reason_cannotStartInstalled</comment>
        <translation>文件缺失或无法启动</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;&apos;%1&apos;&lt;br/&gt;is not a plain file.&lt;br/&gt;&lt;br/&gt;The log output was &lt;b&gt;not&lt;/b&gt; saved, and nothing was replaced.&lt;/nobr&gt;</source>
        <comment>log_notPlainFile</comment>
        <translation>&lt;nobr&gt;“%1”&lt;br/&gt;不是普通文件。&lt;br/&gt;&lt;br/&gt;日志&lt;b&gt;未&lt;/b&gt;保存，也没有替换任何内容。&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;nobr&gt;File &apos;%1&apos;&lt;br/&gt;cannot be opened for writing.&lt;br/&gt;&lt;br/&gt;The log output could &lt;b&gt;not&lt;/b&gt; be saved!&lt;/nobr&gt;</source>
        <comment>log_cannotWrite</comment>
        <translation>&lt;nobr&gt;文件“%1”&lt;br/&gt;无法以写入方式打开。&lt;br/&gt;&lt;br/&gt;日志&lt;b&gt;未能&lt;/b&gt;保存。&lt;/nobr&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Programs cannot run from %1 (it is mounted &apos;noexec&apos;).&lt;br&gt;Set TMPDIR to a folder on a file system that allows programs to run, then start again.&lt;/span&gt;</source>
        <comment>status_noExec</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法从 %1 运行程序（它以“noexec”方式挂载）。&lt;br&gt;请将 TMPDIR 设为允许运行程序的文件系统上的文件夹，然后重新启动。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Checking firmware: reading back %p%</source>
        <comment>bar_reading</comment>
        <translation>校验中：回读 %p%</translation>
    </message>
    <message>
        <source>Checking the firmware</source>
        <comment>bar_verifying</comment>
        <translation>正在校验固件</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit&apos;s USB serial number (“%1”) cannot be read for certain.&lt;br&gt;It is not read or written: disconnect it.&lt;/span&gt;</source>
        <comment>status_serialUnsafe</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;无法可靠地读取该闪光灯的 USB 序列号（“%1”）。&lt;br&gt;不会对其进行读取或写入：请断开该闪光灯。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Unit %1: firmware version %2 replaced by version %3 and checked.</source>
        <comment>batch_upgraded</comment>
        <translation>闪光灯 %1：固件版本 %2 已替换为版本 %3，校验通过。</translation>
    </message>
    <message>
        <source>Unit %1: unreadable, nothing written. %2</source>
        <comment>batch_unreadable</comment>
        <translation>闪光灯 %1：无法读取，未写入任何内容。%2</translation>
    </message>
    <message>
        <source>Unit %1: interrupted. %2</source>
        <comment>batch_interrupted</comment>
        <translation>闪光灯 %1：已中止。%2</translation>
    </message>
    <message>
        <source>Upgraded %1, verified %2, refused %3, not done %4; serving %5, waiting %6</source>
        <comment>batch_counter</comment>
        <translation>已升级 %1，已校验 %2，已拒绝 %3，未完成 %4；处理中 %5，等待中 %6</translation>
    </message>
    <message>
        <source>%1 units: %2 upgraded, %3 verified, %4 refused, %5 unreadable, %6 failed, %7 interrupted, %8 stopped.</source>
        <comment>batch_summary</comment>
        <translation>共 %1 台闪光灯：已升级 %2，已校验 %3，已拒绝 %4，无法读取 %5，失败 %6，已中止 %7，已停止 %8。</translation>
    </message>
    <message>
        <source>Waiting for units in DFU mode: restart each unit in its USB boot mode and connect it to the hub.</source>
        <comment>batch_waiting</comment>
        <translation>正在等待处于 DFU 模式的闪光灯：请让每台闪光灯重新进入 DFU 模式，并连接到集线器。</translation>
    </message>
    <message>
        <source>Another unit on the hub reports the same serial, so the two cannot be told apart; nothing was written.</source>
        <comment>reason_sameSerial</comment>
        <translation>集线器上另一台闪光灯报告了相同的序列号，无法区分这两台闪光灯；未写入任何内容。</translation>
    </message>
    <message>
        <source>The unit reports no serial, so it cannot be told apart from others; nothing was written.</source>
        <comment>reason_noSerial</comment>
        <translation>闪光灯未报告序列号，无法与其他闪光灯区分；未写入任何内容。</translation>
    </message>
    <message>
        <source>The run serving this unit ended without a result (%1).</source>
        <comment>reason_childEnded</comment>
        <translation>处理此闪光灯的进程未给出结果便已结束（%1）。</translation>
    </message>
    <message>
        <source>The unit was disconnected before it could be read.</source>
        <comment>reason_goneBeforeRead</comment>
        <translation>读取之前，闪光灯已被断开。</translation>
    </message>
    <message>
        <source>The unit was disconnected while its firmware was written. Restart it in its USB boot mode and serve it again.</source>
        <comment>reason_goneWriting</comment>
        <translation>写入固件时闪光灯被断开。请让闪光灯重新进入 DFU 模式，以便重新处理。</translation>
    </message>
    <message>
        <source>the file read back (%1) cannot be read</source>
        <comment>reason_readBackUnreadable</comment>
        <translation>无法读取回读所得的文件（%1）</translation>
    </message>
    <message>
        <source>A DFU device is connected, but it is not a flash unit in DFU mode.</source>
        <comment>bench_unknownDevice</comment>
        <translation>已连接一个 DFU 设备，但它不是处于 DFU 模式的闪光灯。</translation>
    </message>
    <message>
        <source>Firmware written. To check it, restart the unit in its USB boot mode.</source>
        <comment>bench_written</comment>
        <translation>固件已写入。如需校验，请让闪光灯重新进入 DFU 模式。</translation>
    </message>
    <message>
        <source>Writing the firmware failed (the log tells why). Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_downloadFailed</comment>
        <translation>固件写入失败（原因见日志）。请让闪光灯重新进入 DFU 模式，以便重新处理。</translation>
    </message>
    <message>
        <source>The unit&apos;s information cannot be read. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_readFailed</comment>
        <translation>无法读取闪光灯的信息。请让闪光灯重新进入 DFU 模式，然后重新连接。</translation>
    </message>
    <message>
        <source>The unit stopped answering, so the write was ended before it was complete. Restart the unit in its USB boot mode and serve it again.</source>
        <comment>bench_writeInterrupted</comment>
        <translation>闪光灯停止了响应，因此写入在完成前被中止。请让闪光灯重新进入 DFU 模式，以便重新处理。</translation>
    </message>
    <message>
        <source>The firmware could not be checked: %1. Restart the unit in its USB boot mode and connect it again.</source>
        <comment>bench_checkNotMade</comment>
        <translation>无法校验固件：%1。请让闪光灯重新进入 DFU 模式，然后重新连接。</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1.&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;固件写入失败：%1。&lt;br&gt;请让闪光灯保持在 DFU 模式（步骤 1 至 3），然后重新安装。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Writing the firmware failed: %1 (the log window tells more).&lt;br&gt;Keep the unit in DFU mode (steps 1 to 3) and install again.&lt;/span&gt;</source>
        <comment>status_downloadFailedLog</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;固件写入失败：%1（详情见日志窗口）。&lt;br&gt;请让闪光灯保持在 DFU 模式（步骤 1 至 3），然后重新安装。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The unit was disconnected during the write, so its firmware is incomplete.&lt;br&gt;Do steps 1 to 3 again, then install again.&lt;/span&gt;</source>
        <comment>status_writeUnplugged</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;写入过程中闪光灯被断开，因此其固件不完整。&lt;br&gt;请再次执行步骤 1 至 3，然后重新安装。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: it already holds this firmware, nothing was written.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_alreadyCurrent</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1：闪光灯中已是此固件，未写入任何内容。&lt;br&gt;完成。请拔下 USB 数据线。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;Connected to %1: the firmware was written and checked.&lt;br&gt;Done. Disconnect USB cable.&lt;/span&gt;</source>
        <comment>status_upgradedDone</comment>
        <extracomment>%1 is the product name, e.g. R12. Only English puts an article before it (&apos;an R12&apos;): write the sentence for the bare name.</extracomment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接到 %1：固件已写入并通过校验。&lt;br&gt;完成。请拔下 USB 数据线。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware was written, but the check found it differs from the one in this program.&lt;br&gt;Click the button to install it again.&lt;/span&gt;</source>
        <comment>status_writtenDiffers</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;固件已写入，但校验发现它与本程序中的固件不一致。&lt;br&gt;请点击按钮重新安装。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;The firmware on the unit differs from the one in this program, although its version is the same.&lt;br&gt;Click the button to install this program&apos;s firmware.&lt;/span&gt;</source>
        <comment>status_verifyFailed</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;闪光灯中的固件虽然版本相同，但与本程序中的固件不一致。&lt;br&gt;请点击按钮安装本程序的固件。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;A unit is connected, but this user may not use it (USB permission).&lt;br&gt;Install the udev rule (see &apos;man velmora-fw-upgrade&apos;), then reconnect the unit.&lt;/span&gt;</source>
        <comment>status_noPermission</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;已连接闪光灯，但当前用户无权使用（USB 权限）。&lt;br&gt;请安装 udev 规则（参见“man velmora-fw-upgrade”），然后重新连接闪光灯。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;No answer for %1 s from the unit: keep the USB cable connected.&lt;br&gt;If it stays silent for a minute, the transfer is ended.&lt;/span&gt;</source>
        <comment>status_transferSilent</comment>
        <translation>&lt;span style=&quot;color:#000000; font-size:9pt&quot;&gt;闪光灯已 %1 秒没有响应：请保持 USB 数据线连接。&lt;br&gt;如果持续一分钟没有响应，传输将被中止。&lt;/span&gt;</translation>
    </message>
    <message>
        <source>The firmware was written, not checked yet.</source>
        <comment>result_written</comment>
        <translation>固件已写入，尚未校验。</translation>
    </message>
    <message>
        <source>the unit was disconnected while it was read</source>
        <comment>reason_unitGone</comment>
        <translation>读取过程中闪光灯被断开</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <comment>product_either</comment>
        <extracomment>Joins two product names that the program upgrades alike, e.g. &apos;N20 or N20S&apos;. The names stay as they are.</extracomment>
        <translation>%1 或 %2</translation>
    </message>
    <message>
        <source>Saved to &apos;%1&apos;.</source>
        <comment>log_saved</comment>
        <translation>已保存到“%1”。</translation>
    </message>
</context>
</TS>
