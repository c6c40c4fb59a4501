#!/usr/bin/python3
"""korrin-batch against the bare geometry kernel on the same job.

Exports 200 stand-in parts to STEP and to STL, once with korrin-batch (the
host in its own process, started by the run and ended after it) and once
with korrin_bare_kernel_loop (the geometry read and written by the same
kernel code, nothing else), alternating the two, and prints the medians of
wall and processor time and their ratios. Processor time counts the host
process too: its times are read from /proc before it is ended. When
freecadcmd is installed, FreeCAD's scripted converter does the same job on
the same shapes and its figures are printed beside.

    bench/kernel_comparison.py BIN_FOLDER [--parts N] [--rounds N]

Exits 1 when a ratio is over its target or a job fails.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

LONGEST_RATIO = 1.15
# The sample parts that convert: the others plant faults or carry a release
# the host refuses.
PARTS = ["bracket", "bushing", "cover-plate", "flange", "gear", "hex-nut", "hole-plate", "housing", "pin",
         "spacer-block", "stepped-shaft", "washer"]
FORMATS = [("STEP", "*.STP", "step", ".stp"), ("STL", "*.STL", "stl", ".stl")]
SHIPPED = ["KorrinExportTemplate.INI", "logo.ipt", "papersizes.ini", "Tembrel.exe"]
TICKS = os.sysconf("SC_CLK_TCK")

FREECAD_SCRIPT = """
import os, sys, Part, Mesh, MeshPart
source, output, kind = os.environ["KORRIN_FC_SOURCE"], os.environ["KORRIN_FC_OUTPUT"], os.environ["KORRIN_FC_KIND"]
for name in sorted(os.listdir(source)):
    shape = Part.read(os.path.join(source, name))
    stem = os.path.splitext(name)[0]
    if kind == "step":
        shape.exportStep(os.path.join(output, stem + ".stp"))
    else:
        box = shape.BoundBox
        mesh = MeshPart.meshFromShape(Shape=shape, LinearDeflection=box.DiagonalLength / 6300.0)
        mesh.write(os.path.join(output, stem + ".stl"))
"""


def timed(command, env=None):
    """Runs the command; returns wall seconds, processor seconds, exit status, output."""
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    wall = time.monotonic() - start
    return wall, usage.ru_utime + usage.ru_stime, process.returncode, output.decode(errors="replace")


def live_hosts(hosts_folder):
    pids = []
    for name in os.listdir(hosts_folder) if os.path.isdir(hosts_folder) else []:
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/comm") as comm:
                if comm.read().strip() == "Inventor.exe":
                    pids.append(int(name))
        except OSError:
            pass
    return pids


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    # utime and stime, the 14th and 15th fields of the whole line.
    return (int(fields[11]) + int(fields[12])) / TICKS


def end_hosts(hosts_folder):
    """Ends the hosts that run; returns the processor seconds they used."""
    used = 0.0
    for pid in live_hosts(hosts_folder):
        used += processor_seconds(pid)
        os.kill(pid, signal.SIGTERM)
        for _ in range(1000):
            if not os.path.exists(f"/proc/{pid}"):
                break
            time.sleep(0.005)
    return used


def empty(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)


def count_outputs(folder, extension):
    return sum(1 for name in os.listdir(folder) if name.lower().endswith(extension))


class Setting:
    def __init__(self, bin_folder, parts):
        self.bin = bin_folder
        self.root = tempfile.mkdtemp(prefix="korrin-kernel-")
        self.sources = os.path.join(self.root, "in")
        self.breps = os.path.join(self.root, "brep")
        self.out = os.path.join(self.root, "out")
        self.hosts = os.path.join(self.root, "hosts")
        standin = os.path.join(bin_folder, "korrin-standin")
        subprocess.run([standin, "install", "--root", os.path.join(self.root, "host")], check=True,
                       stdout=subprocess.DEVNULL)
        samples = os.path.join(self.root, "samples")
        subprocess.run([standin, "samples", samples], check=True, stdout=subprocess.DEVNULL)
        os.makedirs(self.sources)
        for i in range(parts):
            shutil.copyfile(os.path.join(samples, "parts", PARTS[i % len(PARTS)] + ".ipt"),
                            os.path.join(self.sources, f"part-{i + 1:03d}.ipt"))
        home = os.path.join(self.root, "home")
        os.makedirs(home)
        for shipped in SHIPPED:
            shutil.copyfile(os.path.join(bin_folder, shipped), os.path.join(home, shipped))
        os.makedirs(os.path.join(self.root, "tmp"))
        self.env = dict(os.environ, KORRIN_HOME=home, KORRIN_REGISTRY=os.path.join(self.root, "host", "registry"),
                        KORRIN_HOSTS=self.hosts, TEMP=os.path.join(self.root, "tmp"))
        self.parts = parts

    def batch(self, pattern, extension):
        empty(self.out)
        end_hosts(self.hosts)
        wall, cpu, status, output = timed(
            [os.path.join(self.bin, "korrin-batch"), "--import", "*.IPT", "--export", pattern, "--export-folder",
             self.out, self.sources], self.env)
        cpu += end_hosts(self.hosts)
        written = count_outputs(self.out, extension)
        if status != 0 or written != self.parts:
            raise RuntimeError(f"korrin-batch exited {status} with {written} files written:\n{output[-2000:]}")
        return wall, cpu

    def first_output(self, extension):
        """The first file the last job wrote, without the line that dates it and names its author."""
        with open(os.path.join(self.out, "part-001" + extension), "rb") as file:
            return [line for line in file.read().split(b"\n") if not line.startswith(b"FILE_NAME(")]

    def bare(self, kind, extension):
        empty(self.out)
        wall, cpu, status, output = timed(
            [os.path.join(self.bin, "korrin_bare_kernel_loop"), kind, self.sources, self.out])
        if status != 0 or count_outputs(self.out, extension) != self.parts:
            raise RuntimeError(f"the bare loop exited {status}:\n{output[-2000:]}")
        return wall, cpu

    def freecad(self, kind, extension):
        if not os.path.isdir(self.breps):
            os.makedirs(self.breps)
            subprocess.run([os.path.join(self.bin, "korrin_bare_kernel_loop"), "brep", self.sources, self.breps],
                           check=True, stdout=subprocess.DEVNULL)
        empty(self.out)
        script = os.path.join(self.root, "convert.py")
        with open(script, "w") as file:
            file.write(FREECAD_SCRIPT)
        env = dict(os.environ, KORRIN_FC_SOURCE=self.breps, KORRIN_FC_OUTPUT=self.out, KORRIN_FC_KIND=kind)
        wall, cpu, status, output = timed(["freecadcmd", script], env)
        if status != 0 or count_outputs(self.out, extension) != self.parts:
            raise RuntimeError(f"freecadcmd exited {status}:\n{output[-2000:]}")
        return wall, cpu

    def remove(self):
        end_hosts(self.hosts)
        shutil.rmtree(self.root, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description="korrin-batch against the bare geometry kernel")
    parser.add_argument("bin", help="the build's bin folder")
    parser.add_argument("--parts", type=int, default=200)
    parser.add_argument("--rounds", type=int, default=5)
    arguments = parser.parse_args()
    setting = Setting(arguments.bin, arguments.parts)
    freecad = shutil.which("freecadcmd") is not None
    met = True
    try:
        for name, pattern, kind, extension in FORMATS:
            batch, bare, other, outputs = [], [], [], []
            for round_ in range(arguments.rounds):
                # Alternating which goes first, so neither always meets a
                # warm or a cold cache.
                jobs = [lambda: batch.append(setting.batch(pattern, extension)),
                        lambda: bare.append(setting.bare(kind, extension))]
                for job in jobs if round_ % 2 == 0 else reversed(jobs):
                    job()
                    outputs.append(setting.first_output(extension))
                # Both wrote the same file, so both did the same work.
                if outputs[-1] != outputs[-2]:
                    raise RuntimeError(f"korrin-batch and the bare loop wrote different {name} files")
                if freecad:
                    other.append(setting.freecad(kind, extension))
            wall = statistics.median(w for w, _ in batch), statistics.median(w for w, _ in bare)
            cpu = statistics.median(c for _, c in batch), statistics.median(c for _, c in bare)
            wall_ratio, cpu_ratio = wall[0] / wall[1], cpu[0] / cpu[1]
            within = wall_ratio <= LONGEST_RATIO and cpu_ratio <= LONGEST_RATIO
            met = met and within
            print(f"{name}, {arguments.parts} parts, medians of {arguments.rounds}: korrin-batch {wall[0]:.2f} s wall, "
                  f"{cpu[0]:.2f} s processor (its host included); bare kernel loop {wall[1]:.2f} s, {cpu[1]:.2f} s; "
                  f"ratios {wall_ratio:.2f} wall, {cpu_ratio:.2f} processor "
                  f"(target: at most {LONGEST_RATIO:.2f} each): {'met' if within else 'NOT MET'}")
            if freecad:
                fc_wall = statistics.median(w for w, _ in other)
                fc_cpu = statistics.median(c for _, c in other)
                print(f"{name}, FreeCAD's freecadcmd on the same shapes: {fc_wall:.2f} s wall, {fc_cpu:.2f} s "
                      f"processor; korrin-batch takes {wall[0] / fc_wall:.2f} of its wall time")
        if not freecad:
            print("freecadcmd is not installed: FreeCAD's converter was not timed")
    except RuntimeError as failure:
        print(f"kernel comparison: {failure}: NOT MET")
        met = False
    finally:
        setting.remove()
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
