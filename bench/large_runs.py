#!/usr/bin/python3
"""korrin-batch over large folders and trees.

Two figures, each judged against its target:

- A run over one folder of 20,000 stand-in parts, names in mixed letter
  case, exported to SAT: the cost of each document beyond the first, in wall
  and processor time (the host's included, read from /proc), against the
  same cost in a run of 200. Target: at most 1.2 times.
- --dry-run over a tree of 100,000 files with distinct names ending in .ipt
  in several letter cases: its wall time against `find TREE -type f -iname
  '*.ipt'` (target: at most 1.5 times), and its largest resident size above
  that of a dry run over an empty folder (target: at most 30 MB).

Both work in /dev/shm (KORRIN_BENCH_SCRATCH names another folder), so the
figures are Korrin's and not the disk's.

    bench/large_runs.py BIN_FOLDER [--documents N] [--files N] [--rounds N]

Exits 1 when a target is not met or a run fails.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from kernel_comparison import PARTS, SHIPPED, end_hosts  # noqa: E402

LONGEST_COST_RATIO = 1.2
LONGEST_WALK_RATIO = 1.5
LARGEST_LIST_BYTES = 30 * 1024 * 1024
SMALL_RUN = 200
SHORT_ROUNDS = 9
WALK_ROUNDS = 5
CASES = ["{}.ipt", "{}.IPT", "{}.Ipt", "{}.iPt"]
# In memory: on this machine's disk (ext4 without a journal) creating a file
# slows down for minutes after many files were deleted, as ext4 then passes
# over every inode freed lately; a figure taken there measures the disk's
# history rather than Korrin.
SCRATCH = os.environ.get("KORRIN_BENCH_SCRATCH", "/dev/shm")


def run(command, env=None):
    """Runs the command, its output thrown away; wall and processor seconds, largest resident bytes, status."""
    start = time.monotonic()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    error = process.stderr.read()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - start
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        raise RuntimeError(f"{command[0]} exited {code}: {error.decode(errors='replace')[-2000:]}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024


class Place:
    def __init__(self, bin_folder):
        self.bin = bin_folder
        self.root = tempfile.mkdtemp(prefix="korrin-large-", dir=SCRATCH if os.path.isdir(SCRATCH) else None)
        self.hosts = os.path.join(self.root, "hosts")
        standin = os.path.join(bin_folder, "korrin-standin")
        subprocess.run([standin, "install", "--root", os.path.join(self.root, "host")], check=True,
                       stdout=subprocess.DEVNULL)
        self.samples = os.path.join(self.root, "samples")
        subprocess.run([standin, "samples", self.samples], check=True, stdout=subprocess.DEVNULL)
        home = os.path.join(self.root, "home")
        os.makedirs(home)
        for shipped in SHIPPED:
            shutil.copyfile(os.path.join(bin_folder, shipped), os.path.join(home, shipped))
        os.makedirs(os.path.join(self.root, "tmp"))
        self.env = dict(os.environ, KORRIN_HOME=home, KORRIN_REGISTRY=os.path.join(self.root, "host", "registry"),
                        KORRIN_HOSTS=self.hosts, TEMP=os.path.join(self.root, "tmp"))

    def folder_of_parts(self, name, count):
        folder = os.path.join(self.root, name)
        os.makedirs(folder)
        for i in range(count):
            stem = ["part", "Part", "PART"][i % 3] + f"-{i + 1:05d}"
            shutil.copyfile(os.path.join(self.samples, "parts", PARTS[i % len(PARTS)] + ".ipt"),
                            os.path.join(folder, CASES[i % len(CASES)].format(stem)))
        return folder

    def batch(self, arguments):
        return [os.path.join(self.bin, "korrin-batch"), "--import", "*.IPT"] + arguments

    def convert(self, folder):
        out = os.path.join(self.root, "out")
        shutil.rmtree(out, ignore_errors=True)
        os.makedirs(out)
        end_hosts(self.hosts)
        wall, cpu, _ = run(self.batch(["--export", "*.SAT", "--export-folder", out, folder]), self.env)
        cpu += end_hosts(self.hosts)
        written = len(os.listdir(out))
        expected = len(os.listdir(folder))
        if written != expected:
            raise RuntimeError(f"{written} files written for {expected} documents")
        return wall, cpu

    def remove(self):
        end_hosts(self.hosts)
        shutil.rmtree(self.root, ignore_errors=True)


def judged(figure, target, within):
    print(f"{figure} (target: {target}): {'met' if within else 'NOT MET'}")
    return within


def median_run(place, folder, rounds):
    runs = [place.convert(folder) for _ in range(rounds)]
    return statistics.median(w for w, _ in runs), statistics.median(c for _, c in runs)


def large_folder(place, documents, rounds):
    one = place.folder_of_parts("one", 1)
    small = place.folder_of_parts("small", SMALL_RUN)
    large = place.folder_of_parts("large", documents)
    # A run's start and end (the host's start among them) cost the same
    # whatever its length: the cost per document is what a run adds beyond
    # a run of one.
    # The short runs differ by tens of milliseconds, so they take more rounds
    # than the long one for a median that holds still.
    first = median_run(place, one, SHORT_ROUNDS)
    costs = []
    for folder, count, times in ((small, SMALL_RUN, SHORT_ROUNDS), (large, documents, rounds)):
        wall, cpu = median_run(place, folder, times)
        costs.append(((wall - first[0]) / (count - 1), (cpu - first[1]) / (count - 1)))
    wall_ratio = costs[1][0] / costs[0][0]
    cpu_ratio = costs[1][1] / costs[0][1]
    return judged(f"Large folder, medians of {rounds} runs ({SHORT_ROUNDS} for the short ones): {documents} parts to SAT cost "
                  f"{costs[1][0] * 1000:.2f} ms wall, "
                  f"{costs[1][1] * 1000:.2f} ms processor per document beyond the first; {SMALL_RUN} parts "
                  f"{costs[0][0] * 1000:.2f} ms, {costs[0][1] * 1000:.2f} ms; ratios {wall_ratio:.2f} wall, "
                  f"{cpu_ratio:.2f} processor", f"at most {LONGEST_COST_RATIO:.1f} each",
                  wall_ratio <= LONGEST_COST_RATIO and cpu_ratio <= LONGEST_COST_RATIO)


def dry_run_walk(place, files):
    tree = os.path.join(place.root, "tree")
    per_folder = 1000
    for i in range(files):
        folder = os.path.join(tree, f"group-{i // (per_folder * 10):02d}", f"folder-{i // per_folder:03d}")
        if i % per_folder == 0:
            os.makedirs(folder)
        open(os.path.join(folder, CASES[i % len(CASES)].format(f"doc-{i + 1:06d}")), "wb").close()
    empty = os.path.join(place.root, "empty")
    os.makedirs(empty)
    out = os.path.join(place.root, "dry-out")
    os.makedirs(out)
    dry = place.batch(["--export", "*.STP", "--export-folder", out, "--recurse", "--dry-run"])
    # Warm the file system's caches for both, then alternate them, so that
    # whatever else the machine does falls on both alike.
    find = ["find", tree, "-type", "f", "-iname", "*.ipt"]
    run(find)
    finds, dries = [], []
    for _ in range(WALK_ROUNDS):
        finds.append(run(find)[0])
        dries.append(run(dry + [tree], place.env))
    find_wall = statistics.median(finds)
    dry_wall = statistics.median(wall for wall, _, _ in dries)
    dry_bytes = max(size for _, _, size in dries)
    _, _, empty_bytes = run(dry + [empty], place.env)
    ratio = dry_wall / find_wall
    walk = judged(f"Dry run over {files} files, medians of {WALK_ROUNDS}: {dry_wall:.3f} s, find {find_wall:.3f} s; "
                  f"ratio {ratio:.2f}",
                  f"at most {LONGEST_WALK_RATIO:.1f}", ratio <= LONGEST_WALK_RATIO)
    above = (dry_bytes - empty_bytes) / (1024 * 1024)
    memory = judged(f"Dry run's list of {files} entries: {above:.1f} MB resident above an empty list "
                    f"({dry_bytes / (1024 * 1024):.1f} MB against {empty_bytes / (1024 * 1024):.1f} MB)",
                    f"at most {LARGEST_LIST_BYTES // (1024 * 1024)} MB", dry_bytes - empty_bytes <= LARGEST_LIST_BYTES)
    return walk and memory


def main():
    print(f"large runs in {SCRATCH if os.path.isdir(SCRATCH) else tempfile.gettempdir()}")
    parser = argparse.ArgumentParser(description="korrin-batch over large folders and trees")
    parser.add_argument("bin", help="the build's bin folder")
    parser.add_argument("--documents", type=int, default=20000)
    parser.add_argument("--files", type=int, default=100000)
    parser.add_argument("--rounds", type=int, default=3, help="runs of the large folder")
    arguments = parser.parse_args()
    place = Place(arguments.bin)
    met = True
    try:
        met = dry_run_walk(place, arguments.files) and met
        met = large_folder(place, arguments.documents, arguments.rounds) and met
    except RuntimeError as failure:
        print(f"large runs: {failure}: NOT MET")
        met = False
    finally:
        place.remove()
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
