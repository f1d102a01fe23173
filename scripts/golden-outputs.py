#!/usr/bin/env python3
"""Writes tests/cli/golden/outputs.txt: what varnolek-calc prints for every
calculation at its defaults and for a few hundred seeded random cases (odd
texts included), as batches, single cases, sweeps and Monte Carlo runs.

The test tst_golden runs every record again in-process and compares byte for
byte, so a change in how results are computed or carried cannot change a digit
a user sees without the test saying so.

Usage: scripts/golden-outputs.py BUILD_DIR [--strip-as-shown]

--strip-as-shown runs the Monte Carlo statistics records without --as-shown
(for a program older than that option, whose statistics were always taken on
the values as shown); the records keep the option.

The examples folder is written as {examples} in arguments and input, and the
test puts the source tree's folder in its place.
"""
import json
import os
import random
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
OUT = os.path.join(ROOT, "tests", "cli", "golden", "outputs.txt")
EXAMPLES = os.path.join(ROOT, "examples")
DATA_FILE = "{examples}/lowest_water_levels_1961-1990.txt"
MONTHLY_FILE = "{examples}/monthly_flows_2001-2022.csv"
# The calculations that read a data file, and the example each reads.
DATA_FILES = {"yearform": DATA_FILE, "frequency": DATA_FILE,
              "designflowform": MONTHLY_FILE, "designflowform/level": MONTHLY_FILE}

ODD = ["", "abc", " 5 ", "1e3", "-2", "0", ".5", "5.", "1e400", "0.2abc", "+3", "1,5", "1 000",
       "\t7", "NaN", "inf", "1e-320", "0x10", "\uff13", "5e", "-", ".", "-0", "1e-5", "99999999",
       "3.999999999", "2.5e+2", "7\u5343"]


def calculations(calc):
    """The calculations with their fields and default texts, from --list."""
    out = subprocess.run([calc, "--list"], capture_output=True, check=True).stdout.decode()
    result = []
    for line in out.splitlines():
        if not line.startswith(" "):
            result.append((line.split("\t")[0], []))
        else:
            name, _label, default = line.strip(" ").split("\t")
            result[-1][1].append((name, default))
    return result


def number_text(rng, default):
    try:
        d = float(default)
    except ValueError:
        d = 1.0
    if d == 0:
        d = 1.0
    v = d * rng.uniform(0.05, 3.0)
    form = rng.random()
    if form < 0.4:
        return "%.*f" % (rng.randint(0, 4), v)
    if form < 0.7:
        return repr(round(v, rng.randint(0, 12)))
    if form < 0.85:
        return "%.3g" % v
    return "%.6e" % v


def field_text(rng, name, default, data_file=DATA_FILE):
    if name == "file":
        return data_file if rng.random() < 0.9 else rng.choice(["", "{examples}/no-such-file.txt"])
    if rng.random() < 0.25:
        return rng.choice(ODD)
    return number_text(rng, default)


def csv_field(text):
    if any(c in text for c in ',"\r\n'):
        return '"' + text.replace('"', '""') + '"'
    return text


def record(calc, args, stdin, strip_as_shown):
    run_args = [a.replace("{examples}", EXAMPLES) for a in args]
    if strip_as_shown:
        run_args = [a for a in run_args if a != "--as-shown"]
    data = stdin.replace("{examples}", EXAMPLES).encode() if stdin is not None else b""
    p = subprocess.run([calc] + run_args, input=data, capture_output=True)
    lines = ["=== " + json.dumps(args, ensure_ascii=False)]
    if stdin is not None:
        lines.append("--- stdin %d" % len(stdin.encode()))
        lines.append(stdin)
    out = p.stdout.decode().replace(EXAMPLES, "{examples}")
    err = p.stderr.decode().replace(EXAMPLES, "{examples}")
    lines.append("--- exit %d" % p.returncode)
    lines.append("--- stdout %d" % len(out.encode()))
    lines.append(out)
    lines.append("--- stderr %d" % len(err.encode()))
    lines.append(err)
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    calc = os.path.join(sys.argv[1], "varnolek-calc")
    strip = "--strip-as-shown" in sys.argv[2:]
    rng = random.Random(20261209)
    records = []
    for cid, fields in calculations(calc):
        plain = [(n, d) for n, d in fields if "." not in n]
        groups = sorted({n.split(".")[0] for n, _ in fields if "." in n})
        data_file = DATA_FILES.get(cid)
        defaults = ["file=" + data_file] if data_file else []
        records.append(record(calc, [cid] + defaults, None, strip))

        # Single cases with a few fields changed.
        for _ in range(5):
            args = [cid]
            for n, d in rng.sample(plain, min(len(plain), rng.randint(1, 4))):
                args.append(n + "=" + field_text(rng, n, d, data_file))
            if data_file and not any(a.startswith("file=") for a in args):
                args.append("file=" + data_file)
            records.append(record(calc, args, None, strip))

        # A batch of random rows over every plain field (and a table for the groups).
        rows = 30
        header = [n for n, _ in plain]
        table = max(1, rng.randint(2, 6)) if groups else 0
        for i in range(table):
            header += ["%s.%d" % (g, i) for g in groups]
        lines = [",".join(header)]
        for _ in range(rows):
            cells = [field_text(rng, n, d, data_file) for n, d in plain]
            for i in range(table):
                for g in groups:
                    default = "8" if g == "Text4" else str(2 + 3 * i)
                    cells.append(field_text(rng, g, default))
            lines.append(",".join(csv_field(c) for c in cells))
        records.append(record(calc, [cid, "--csv", "-", "--threads", "2"], "\n".join(lines) + "\n", strip))

        # Sweeps: one field, log-spaced, and a grid of two.
        numeric = [(n, d) for n, d in plain if n != "file"]
        if numeric:
            n, d = rng.choice(numeric)
            records.append(record(calc, [cid, "--sweep", "%s=0:%s:7" % (n, number_text(rng, d))], None, strip))
            records.append(record(calc, [cid, "--sweep", "%s=0.01:%s:5:log" % (n, number_text(rng, d))], None, strip))
            if len(numeric) > 1:
                (a, da), (b, db) = rng.sample(numeric, 2)
                records.append(record(calc, [cid, "--sweep", "%s=%s:%s:3" % (a, number_text(rng, da), number_text(rng, da)),
                                             "--sweep", "%s=0.5:%s:4" % (b, number_text(rng, db))], None, strip))
            # Monte Carlo: every drawn case, and the statistics as shown.
            varied = rng.sample(numeric, min(2, len(numeric)))
            mc = [cid, "--monte-carlo", "40", "--seed", str(rng.randint(1, 999)), "--rows"]
            for n, d in varied:
                lo = float(number_text(rng, d))
                mc += ["--vary", "%s=uniform:%r:%r" % (n, lo, lo * 1.5 + 0.1)]
            records.append(record(calc, mc, None, strip))
            stats = [cid, "--monte-carlo", "3000", "--seed", "5", "--as-shown"]
            for n, d in varied:
                lo = float(number_text(rng, d))
                stats += ["--vary", "%s=triangular:%r:%r:%r" % (n, lo, lo * 1.2, lo * 1.6 + 0.1)]
            records.append(record(calc, stats, None, strip))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(records))
    print("%d records written to %s" % (len(records), os.path.relpath(OUT, ROOT)))


if __name__ == "__main__":
    main()
