#!/usr/bin/env python3
"""make bench: times the program against floors measured in the same run, interleaved.

    run.py BUILD_DIR [--reps N] [--idle-seconds S] [--only NAME...]

Each line of the table is one figure of the program and the floor it cannot beat, over N
repetitions (minimum, median, maximum), and the ratio of the medians. The table goes to
standard output and, with every single measurement, to BUILD_DIR/bench/results.{txt,json}.
"""
import argparse
import json
import os
import random
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
SERIAL = "305F38713437"
POLL_PAUSE_S = 0.5  # the worker's pause between listings without a unit
# The emulated STM32F4's data-sheet times: sector erase by size, programming a word, upload.
F4_SECTORS = [16384] * 4 + [65536] + [131072] * 7
F4_ERASE_S = {16384: 0.25, 65536: 0.55, 131072: 1.0}
F4_WORD_S = 16e-6
F4_UPLOAD_BYTE_S = 2e-6
CYCLES = 20  # upgrades in a row, for the memory a day of units costs
DONE = "Shown: Done. Disconnect USB cable."
BUTTON_CENTRE = ("332", "437")  # the install button at scale 1


class Bench:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.program = os.path.join(self.build, "velmora-fw-upgrade")
        self.dfu_util = os.path.join(self.build, "generated", "dfu-util")
        self.emulator = os.path.join(self.build, "tests", "libdfuse_emulator.so")
        self.emu_command = os.path.join(SOURCE, "tests", "support", "dfuse-emu.sh")
        self.picture = os.path.join(self.build, "generated", "background.jpg")
        self.firmware = os.path.join(self.build, "generated", "firmware.bin")
        self.tools = os.path.join(self.build, "bench")
        self.scratch = tempfile.mkdtemp(prefix="velmora-bench-")
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1280x1024x24", "-dpi", "96",
                                      "-nolisten", "tcp"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.display = ":" + self.xvfb.stdout.readline().decode().strip()

    def close(self):
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.scratch, ignore_errors=True)

    def env(self, emu_dir=None):
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb")
        env.pop("XDG_RUNTIME_DIR", None)
        env["TMPDIR"] = tempfile.mkdtemp(dir=self.scratch)
        if emu_dir:
            env["LD_PRELOAD"] = self.emulator
            env["VELMORA_EMU_DIR"] = emu_dir
        return env

    # ---- the emulated bootloader ------------------------------------------------------------
    def emu_dir(self, *settings, plugged=True, units=1):
        path = tempfile.mkdtemp(dir=self.scratch)
        env = dict(os.environ, VELMORA_EMU_DIR=path)
        env.pop("LD_PRELOAD", None)
        for serial in serials(units):
            subprocess.run([self.emu_command, "create", serial, "--rev", "C7", "--seed", "7"], env=env, check=True)
            subprocess.run([self.emu_command, "set", serial, *settings], env=env, check=True)
            if not plugged:
                subprocess.run([self.emu_command, "unplug", serial], env=env, check=True)
        return path

    def timed_dfu_util(self, emu_dir, *arguments):
        env = self.env(emu_dir)  # made before the clock starts: the floor is the run alone
        began = time.monotonic()
        subprocess.run([self.dfu_util, "-d", "0483", *arguments], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return time.monotonic() - began

    def reading(self, emu_dir):
        """The three runs that find and read a unit: the listing, the OTP area, the first block."""
        out = os.path.join(self.scratch, "read.bin")
        total = self.timed_dfu_util(emu_dir, "-l")
        for alt, region in (("2", "0x1FFF7800:512"), ("0", "0x08000000:2048")):
            if os.path.exists(out):
                os.remove(out)
            total += self.timed_dfu_util(emu_dir, "-a", alt, "-s", region, "-U", out, "-S", SERIAL)
        return total

    # ---- the program, watched through its log -----------------------------------------------
    def start(self, emu_dir=None, arguments=("-l",)):
        process = subprocess.Popen([self.program, *arguments], env=self.env(emu_dir), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE)
        lines = []  # (monotonic time, line)

        def read():
            for raw in process.stderr:
                lines.append((time.monotonic(), raw.decode(errors="replace")))

        threading.Thread(target=read, daemon=True).start()
        return process, lines

    @staticmethod
    def wait_for(lines, fragment, timeout=120, after=0.0):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            for when, line in list(lines):
                if when >= after and fragment in line:
                    return when
            time.sleep(0.005)
        raise RuntimeError("no log line with %r" % fragment)

    @staticmethod
    def stop(process):
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(30)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()

    # ---- the measurements; each returns (program, floor) ------------------------------------
    def startup(self):
        """To the mapped window and to its first drawing: the program, and its window alone."""
        def times(*command):
            out = subprocess.run([os.path.join(self.tools, "bench_time_to_map"), *command], env=self.env(),
                                 capture_output=True, text=True, check=True).stdout.split()
            return float(out[0]) / 1000.0, float(out[1]) / 1000.0
        program = times(self.program)
        floor = times(os.path.join(self.tools, "bench_minimal_window"))
        return program, floor

    def idle(self, seconds):
        def cpu_and_peak(process):
            time.sleep(5)  # past the start-up
            before = cpu_seconds(process.pid)
            time.sleep(seconds)
            used = cpu_seconds(process.pid) - before
            peak = peak_kib(process.pid)
            return used, peak

        program, _ = self.start()
        program_cpu, program_peak = cpu_and_peak(program)
        self.stop(program)
        loop = subprocess.Popen([os.path.join(self.tools, "bench_listing_loop"), self.dfu_util, str(seconds + 30)],
                                env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        loop_cpu, _ = cpu_and_peak(loop)
        loop.kill()
        _, status, usage = os.wait4(loop.pid, 0)
        loop_peak = usage.ru_maxrss  # the largest of the loop's processes, dfu-util among them
        window = subprocess.Popen([os.path.join(self.tools, "bench_minimal_window"), self.picture], env=self.env(),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(5)
        window_peak = peak_kib(window.pid)
        self.stop(window)
        return (program_cpu / seconds * 100, loop_cpu / seconds * 100), (program_peak, loop_peak, window_peak)

    def detection(self):
        emu = self.emu_dir("leave_delay_ms=0", plugged=False)
        program, lines = self.start(emu)
        self.wait_for(lines, "Shown: ")
        # Several listings without a unit, then the plug at any moment of the polling cycle.
        time.sleep(1.3 + random.uniform(0.0, POLL_PAUSE_S + 0.1))
        os.remove(os.path.join(emu, "units", SERIAL, "unplugged"))
        plugged = time.monotonic()
        named = self.wait_for(lines, "Shown: Connected to", after=plugged)
        self.stop(program)
        # On average a plug waits half a pause for the next listing.
        return named - plugged, POLL_PAUSE_S / 2 + self.reading(emu)

    def upgrade(self):
        settings = ("pace_f4=1", "leave_delay_ms=0")
        emu = self.emu_dir(*settings)
        program, lines = self.start(emu)
        self.wait_for(lines, "downloadMode: setEnabled true")
        self.click()
        clicked = time.monotonic()
        done = self.wait_for(lines, DONE, timeout=300, after=clicked)
        self.stop(program)
        return done - clicked, self.upgrade_floor(self.emu_dir(*settings))

    def upgrade_floor(self, emu):
        """The runs of an upgrade from the click, one after the other: the unit judged again
        before the download; the download; after the one pause of the design, the unit found and
        read once it is back, and judged again before the read-back; the read-back (the compare
        is a memcmp)."""
        floor = self.reading(emu)
        floor += self.timed_dfu_util(emu, "-a", "0", "-s", "0x08000000:leave", "-D", self.firmware, "-S", SERIAL)
        floor += POLL_PAUSE_S + self.reading(emu) + self.reading(emu)
        back = os.path.join(self.scratch, "back.bin")
        if os.path.exists(back):
            os.remove(back)
        floor += self.timed_dfu_util(emu, "-a", "0", "-s", "0x08000000:%d" % os.path.getsize(self.firmware),
                                     "-U", back, "-S", SERIAL)
        return floor

    def compare(self, reps):
        copy = os.path.join(self.scratch, "copy.bin")
        shutil.copyfile(self.firmware, copy)
        out = subprocess.run([os.path.join(self.tools, "bench_compare"), self.firmware, copy, str(reps)],
                             capture_output=True, text=True, check=True).stdout
        pairs = [tuple(float(v) / 1e6 for v in line.split()) for line in out.splitlines()]
        return [p for p, _ in pairs], [f for _, f in pairs]


    def physical_floor(self):
        """What the emulated F4 itself takes: erasing the sectors the image touches, programming
        it word by word, and sending it back."""
        size = os.path.getsize(self.firmware)
        erase, start = 0.0, 0
        for sector in F4_SECTORS:
            if start < size:
                erase += F4_ERASE_S[sector]
            start += sector
        return erase + size / 4 * F4_WORD_S + size * F4_UPLOAD_BYTE_S

    def click(self):
        env = dict(os.environ, DISPLAY=self.display)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                 "^Velmora Firmware Upgrade Tool$"], env=env, capture_output=True, text=True,
                                check=True).stdout.split()[0]
        subprocess.run(["xdotool", "mousemove", "--window", window, *BUTTON_CENTRE, "click", "1"], env=env,
                       check=True)

    def cycles(self, arguments):
        """Memory after each of CYCLES whole upgrades in a row in the window: KiB per upgrade
        from the second to the last (the first fills what any run fills once)."""
        def upgrade(program, lines, began):
            self.wait_for(lines, "downloadMode: setEnabled true", after=began)
            self.click()
            self.wait_for(lines, DONE, timeout=120, after=began)
        return self.memory_per_unit([self.program, *arguments], upgrade)

    def cycles_batch(self):
        """The same in the terminal mode, which judges and writes each unit by itself and
        prints one JSON object a unit."""
        def upgrade(program, lines, began):
            self.wait_for(lines, '"result":"upgraded"', timeout=120, after=began)
        return self.memory_per_unit([self.program, "--batch", "--units", "0", "--json"], upgrade)

    def memory_per_unit(self, command, upgrade):
        emu = self.emu_dir("leave_delay_ms=0")
        env = dict(os.environ, VELMORA_EMU_DIR=emu)
        env.pop("LD_PRELOAD", None)
        program = subprocess.Popen(command, env=self.env(emu), stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        lines = []  # (monotonic time, line) of both streams

        def read(stream):
            for raw in stream:
                lines.append((time.monotonic(), raw.decode(errors="replace")))

        for stream in (program.stdout, program.stderr):
            threading.Thread(target=read, args=(stream,), daemon=True).start()
        rss = []
        began = 0.0
        for cycle in range(CYCLES):
            upgrade(program, lines, began)
            rss.append(rss_kib(program.pid))
            # The next unit: this one goes, one with the older firmware comes, whole at once.
            subprocess.run([self.emu_command, "unplug", SERIAL], env=env, check=True)
            self.wait_for(lines, "Waiting", after=time.monotonic())
            began = time.monotonic()
            staged = self.emu_dir("leave_delay_ms=0")
            shutil.rmtree(os.path.join(emu, "units", SERIAL))
            os.rename(os.path.join(staged, "units", SERIAL), os.path.join(emu, "units", SERIAL))
        self.stop(program)
        return (rss[-1] - rss[1]) / (len(rss) - 2)

    def batch(self):
        """One unit upgraded in the terminal mode, from the start of the program to its end."""
        settings = ("pace_f4=1", "leave_delay_ms=0")
        emu = self.emu_dir(*settings)
        env = self.env(emu)
        env.pop("DISPLAY", None)
        began = time.monotonic()
        subprocess.run([self.program, "--batch", "--units", "1"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        program = time.monotonic() - began
        # The upgrade's runs, and the first listing and reading that find and judge the unit.
        emu = self.emu_dir(*settings)
        floor = self.timed_dfu_util(emu, "-l") + self.reading(emu) + self.upgrade_floor(emu)
        return program, floor

    def hub(self, units):
        """So many units on one hub, all served at once in the terminal mode, from the start of
        the program to its end; against the floor of one unit alone."""
        settings = ("pace_f4=1", "leave_delay_ms=0")
        emu = self.emu_dir(*settings, units=units)
        env = self.env(emu)
        env.pop("DISPLAY", None)
        began = time.monotonic()
        done = subprocess.run([self.program, "--batch", "--units", str(units), "--jobs", str(units), "--json"],
                              env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        program = time.monotonic() - began
        upgraded = [line for line in done.stdout.splitlines() if '"result":"upgraded"' in line]
        if done.returncode != 0 or len(upgraded) != units:
            raise RuntimeError("%d units: exit %d\n%s" % (units, done.returncode, done.stdout))
        emu = self.emu_dir(*settings)
        floor = self.timed_dfu_util(emu, "-l") + self.reading(emu) + self.upgrade_floor(emu)
        return program, floor

    def has_batch(self):
        usage = subprocess.run([self.program, "--help"], capture_output=True, text=True)
        return "--batch" in usage.stdout + usage.stderr


def serials(count):
    """The bench's units: the first is SERIAL."""
    return ["%s%02X" % (SERIAL[:-2], int(SERIAL[-2:], 16) + i) for i in range(count)]


def cpu_seconds(pid):
    """User and system time of the process and of the children it has waited for."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return sum(int(v) for v in fields[11:15]) / os.sysconf("SC_CLK_TCK")


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def peak_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--idle-reps", type=int, default=2)
    parser.add_argument("--idle-seconds", type=int, default=60)
    parser.add_argument("--only", nargs="*",
                        default=["startup", "idle", "detection", "upgrade", "batch", "hub", "compare", "cycles"])
    options = parser.parse_args()

    bench = Bench(options.build)
    rows = []  # (name, unit, program values, floor values, what the floor is)
    samples = {}

    def add(name, unit, program, floor, what):
        samples.setdefault(name, ([], [], unit, what))
        samples[name][0].extend(program)
        samples[name][1].extend(floor)

    try:
        for rep in range(options.reps):
            print("repetition %d of %d" % (rep + 1, options.reps), file=sys.stderr, flush=True)
            if "startup" in options.only:
                (pm, pp), (fm, fp) = bench.startup()
                add("start-up to the mapped window", "s", [pm], [fm], "the same window alone, same pixels")
                add("start-up to the first drawing", "s", [pp], [fp], "the same window alone, same pixels")
            if "detection" in options.only:
                p, f = bench.detection()
                add("unit plugged in until named", "s", [p], [f], "half a pause + the 3 dfu-util runs")
            if "upgrade" in options.only:
                p, f = bench.upgrade()
                add("upgrade, click to Done (F4 pace)", "s", [p], [f], "the 11 dfu-util runs + the pause")
                add("upgrade vs the unit itself", "s", [p], [bench.physical_floor()],
                    "the F4's own erase, programming and read-back")
            if "batch" in options.only and bench.has_batch():
                p, f = bench.batch()
                add("one unit in batch mode (F4 pace)", "s", [p], [f], "the 12 dfu-util runs + the pause")
            if "hub" in options.only and bench.has_batch():
                for units in (1, 2, 4, 8):
                    p, f = bench.hub(units)
                    add("%d unit%s at once, batch (F4 pace)" % (units, "" if units == 1 else "s"), "s", [p], [f],
                        "one unit's 12 dfu-util runs")
            if "compare" in options.only and rep == 0:
                p, f = bench.compare(200)
                add("compare of two 733656-byte files", "s", p, f, "both files read whole, then memcmp")
            if "idle" in options.only and rep < options.idle_reps:
                (pc, fc), (pm, fm, wm) = bench.idle(options.idle_seconds)
                add("idle CPU, no unit", "%", [pc], [fc], "dfu-util -l twice a second, nothing else")
                add("idle peak memory vs the loop", "KiB", [pm], [fm], "the largest process of that loop")
                add("idle peak memory vs a Qt window", "KiB", [pm], [wm], "the same window alone")
            if "cycles" in options.only and rep == 0:
                add("memory per upgrade, -l (20 in a row)", "KiB", [bench.cycles(["-l"])], [20.0],
                    "the budget: 20 KiB an upgrade")
                add("memory per upgrade, no -l", "KiB", [bench.cycles([])], [20.0], "the budget: 20 KiB an upgrade")
                if bench.has_batch():
                    add("memory per unit, batch mode", "KiB", [bench.cycles_batch()], [0.0],
                        "the budget: none")
    finally:
        bench.close()

    def fmt(v, unit):
        if unit == "s":
            return "%.6f" % v if v < 0.01 else "%.3f" % v
        if unit == "%":
            return "%.2f" % v
        return "%.1f" % v if v < 100 else "%d" % v  # a growth per upgrade below one KiB still shows

    header = "%-34s %-4s %38s %38s %7s  %s" % ("measure", "unit", "program min / median / max",
                                               "floor min / median / max", "ratio", "floor")
    table = [header, "-" * len(header)]
    results = []
    for name, (program, floor, unit, what) in samples.items():
        ratio = statistics.median(program) / statistics.median(floor) if statistics.median(floor) else None
        triple = lambda vs: " / ".join(fmt(v, unit) for v in (min(vs), statistics.median(vs), max(vs)))
        shown_ratio = "%7.2f" % ratio if ratio is not None else "%7s" % "-"
        table.append("%-34s %-4s %38s %38s %s  %s" % (name, unit, triple(program), triple(floor), shown_ratio, what))
        results.append({"measure": name, "unit": unit, "floor": what, "ratio": ratio,
                        "program": program, "floor_values": floor})
    text = "\n".join(table)
    print(text)
    out = os.path.join(options.build, "bench")
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "results.txt"), "w") as f:
        f.write(text + "\n")
    with open(os.path.join(out, "results.json"), "w") as f:
        json.dump({"when": time.strftime("%Y-%m-%dT%H:%M:%S"), "repetitions": options.reps,
                   "results": results}, f, indent=2)
    print("\nWritten: %s/results.txt and results.json" % out)


if __name__ == "__main__":
    main()
