#!/usr/bin/env python3
"""Kills the program's save of a ten-year diary at random moments and checks
the diary after every kill: it must be the old one or the new one, whole.

    tools/killtest/killtest.py SAVER [--kills 100] [--days 3650] [--folder DIR]

SAVER is build/native/tools/killtest/pelmo_killtest_saver (./pelmo killtest
builds it and runs this). Each round starts the saver on the next generation
of the diary, sends it SIGKILL after a random delay between its start and the
end of a whole save, then lets the next start check the file (saver check).
A round whose saver ended before the kill does not count as a kill.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time


def run(saver, folder, *args):
    result = subprocess.run([saver, folder, *args], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"killtest: saver {' '.join(args)} failed:\n{result.stdout}{result.stderr}")
    return result.stdout


def timed_save(saver, folder, generation):
    started = time.monotonic()
    run(saver, folder, "save", str(generation))
    return time.monotonic() - started


def checked_generation(saver, folder):
    out = run(saver, folder, "check")
    return int(out.strip().splitlines()[-1].split()[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("saver")
    parser.add_argument("--kills", type=int, default=100)
    parser.add_argument("--days", type=int, default=3650)
    parser.add_argument("--folder", help="where the diary lives (default: a new folder in the current one)")
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    folder = tempfile.mkdtemp(prefix="killtest-", dir=args.folder or ".")
    try:
        run(args.saver, folder, "prepare", str(args.days))
        generation = 0
        size = os.path.getsize(os.path.join(folder, "0.DAT"))
        print(f"killtest: a diary of {args.days} days ({size / 1e6:.1f} MB) in {folder}")

        # Whole saves, unkilled, set the span the kills are spread over: their
        # median, so that the kills reach the rename at the end of a save.
        spans = []
        for _ in range(3):
            generation += 1
            spans.append(timed_save(args.saver, folder, generation))
            if checked_generation(args.saver, folder) != generation:
                sys.exit("killtest: a whole save did not leave the new diary")
        span = sorted(spans)[1]
        print(f"killtest: one load and save takes {span:.2f} s; killing at random moments in it")

        phases = {"loading": 0, "saving": 0, "after the save": 0}
        found = {"old": 0, "new": 0}
        leftovers = 0
        kills = rounds = 0
        while kills < args.kills:
            rounds += 1
            if rounds > args.kills * 4:
                sys.exit("killtest: too many saves ended before their kill")
            new = generation + 1
            saver = subprocess.Popen([args.saver, folder, "save", str(new)], stdout=subprocess.PIPE, text=True)
            time.sleep(rng.uniform(0.0, span))
            saver.kill()
            out, _ = saver.communicate()
            if saver.returncode != -9:
                if saver.returncode != 0:
                    sys.exit(f"killtest: saver failed on its own:\n{out}")
                generation = checked_generation(args.saver, folder)
                continue
            kills += 1
            phase = "after the save" if "saved" in out else "saving" if "loaded" in out else "loading"
            phases[phase] += 1
            if os.path.exists(os.path.join(folder, "0.DAT.new")):
                leftovers += 1
            seen = checked_generation(args.saver, folder)
            if seen not in (generation, new):
                sys.exit(f"killtest: kill {kills} ({phase}) left generation {seen}, neither {generation} nor {new}")
            if phase == "loading" and seen != generation:
                sys.exit(f"killtest: kill {kills} during the load changed the diary")
            if phase == "after the save" and seen != new:
                sys.exit(f"killtest: kill {kills} after the save lost it")
            found["old" if seen == generation else "new"] += 1
            generation = seen

        print(f"killtest: {kills} kills: " + ", ".join(f"{n} {p}" for p, n in phases.items()))
        print(f"killtest: {leftovers} kills left a new file behind; the next start settled each")
        print(f"killtest: afterwards the old diary {found['old']} times, the new one {found['new']} times; "
              f"never torn, never lost")
        print(f"{kills} passed, 0 failed")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
