#!/usr/bin/python3
"""Turns the driver's raw samples into the benchmark's tables: medians, spreads and ratios.

Usage: report.py SAMPLES.tsv native|emulated|none
Each sample line: build (win64, win32), program (Corvanta, Reference), figure, value. Prints markdown:
the main table, and the PE32's figures in a table of their own when its code ran through an emulator.
"""
import statistics
import sys

FIGURES = [  # figure, label, unit, timed
    ("start_ms", "Start-up to visible window", "ms", True),
    ("working_set_kib", "Working set once shown", "KiB", False),
    ("private_kib", "Private bytes once shown", "KiB", False),
    ("launch_ms", "Launch: click on the copy's button to its process created "
     "(reference: CreateProcessA of the same copy)", "ms", True),
]
HEAD = "| Figure | {} | {} | Ratio of medians (of the least) |\n|---|---|---|---|"


def Cell(values, unit, timed):
    median = statistics.median(values)
    if not timed:
        return "{:,.0f} {}".format(median, unit)
    low, _, high = statistics.quantiles(values, n=4, method="inclusive") if len(values) > 1 else values * 3
    return "{:.1f} {} (quartiles {:.1f}\u2013{:.1f}, least {:.1f})".format(median, unit, low, high, min(values))


def Rows(samples, build, label):
    for figure, text, unit, timed in FIGURES:
        corvanta, reference = samples.get((build, "Corvanta", figure)), samples.get((build, "Reference", figure))
        if not corvanta or not reference:
            continue
        ratio = "{:.2f}".format(statistics.median(corvanta) / statistics.median(reference))
        if timed:
            ratio += " (least {:.2f})".format(min(corvanta) / min(reference))
        print("| {}, {}, median of {} | {} | {} | {} |".format(text, label, len(corvanta), Cell(corvanta, unit, timed),
                                                             Cell(reference, unit, timed), ratio))


def main():
    if len(sys.argv) != 3 or sys.argv[2] not in ("native", "emulated", "none"):
        sys.exit(__doc__)
    samples = {}
    with open(sys.argv[1]) as lines:
        for line in lines:
            build, program, figure, value = line.rstrip("\n").split("\t")
            samples.setdefault((build, program, figure), []).append(float(value))
    mode = sys.argv[2]
    print(HEAD.format("Corvanta", "Reference"))
    Rows(samples, "win64", "win64")
    if mode == "native":
        Rows(samples, "win32", "win32 (shipped)")
        print("\n32-bit code ran natively: the win32 rows are the shipped PE32's own figures under 32-bit Wine.")
    elif mode == "emulated":
        print("\n32-bit code ran through qemu-i386: the shipped PE32's figures below are the emulator's speed, "
              "not the launcher's, and are kept apart from the table above.\n")
        print(HEAD.format("Corvanta, emulated", "Reference, emulated"))
        Rows(samples, "win32", "win32 (shipped) through qemu-i386")
    else:
        print("\n32-bit code does not run on this machine: the shipped PE32 was not measured; "
              "the rows are its 64-bit twin's.")


if __name__ == "__main__":
    main()
