#!/usr/bin/env python3
"""Reads the JSON output of the benchmark programs and prints one row per goal.

Usage: bench-summary.py RESULTS-FOLDER OUTPUT.json

RESULTS-FOLDER holds NAME-once.json and NAME-repeated.json per benchmark program (Google
Benchmark's --benchmark_out, a plain run and a run of repetitions). Times are CPU times, as the
programs judge them on a shared machine: the median of the repetitions, else the plain run's;
memory is the resident growth the list benchmark counts, in the plain run. Exits 1 when a goal is missed or a figure is
missing.
"""
import json
import os
import sys

# work, program, our run, the peer's run, the figure, its unit, the peer's name, the goal.
GOALS = [
    ("list window, 100,000 rows x 6 columns, load and paint", "LookupBench",
     "CargaVentana/100000/iterations:5", "CargaPar/100000/iterations:5", "cpu_time", "ms",
     "QSqlQueryModel + QTableView", 1.0),
    ("list window, memory for those rows", "LookupBench",
     "MemoriaVentana/iterations:1", "MemoriaPar/iterations:1", "rss_growth_MB", "MB",
     "QSqlQueryModel + QTableView", 1.0),
    ("list window, the default 1,000 rows", "LookupBench",
     "CargaVentana/1000/iterations:20", "CargaPar/1000/iterations:20", "cpu_time", "ms",
     "QSqlQueryModel + QTableView", 1.0),
    ("tree window, 10,000 nodes built and shown", "TreeBench",
     "CargaVentana/iterations:10", "CargaPar/iterations:10", "cpu_time", "ms",
     "QStandardItemModel + QTreeView", 1.0),
    ("T-SQL batch, 10,000 inserts", "BatchBench",
     "ExecuteBatch/10000/iterations:3", "RawSqlite/10000/iterations:3", "cpu_time", "ms",
     "raw sqlite3 prepare/step loop", 1.3),
    ("T-SQL batch, 100,000 inserts", "BatchBench",
     "ExecuteBatch/100000/iterations:3", "RawSqlite/100000/iterations:3", "cpu_time", "ms",
     "raw sqlite3 prepare/step loop", 1.3),
    ("forward-only recordset, 1M rows x 5", "RecordsetBench",
     "RecordsetForwardOnly/iterations:5", "DirectSqlite/iterations:5", "cpu_time", "ms",
     "raw sqlite3", 1.05),
]


def load(path):
    """The benchmarks of one output file, or [] when there is none."""
    try:
        with open(path, encoding="utf-8") as f:
            return json.load(f).get("benchmarks", [])
    except (OSError, ValueError):
        return []


def runs(folder, program):
    """The runs of one program by name, or {} when it left no output.

    Each name maps to its run in PROGRAM-once.json ("first") and to the median of its repeated
    runs in PROGRAM-repeated.json ("median"): times are read from the median, which the machine's
    other work disturbs least; memory from the single run, made before other runs warmed the
    allocator.
    """
    found = {}
    for file, kind in (("once", "first"), ("repeated", "median")):
        for b in load(os.path.join(folder, f"{program}-{file}.json")):
            if b.get("error_occurred"):
                continue
            wanted = (b.get("run_type", "iteration") == "iteration" if kind == "first"
                      else b.get("aggregate_name") == "median")
            if wanted:
                found.setdefault(b.get("run_name", b["name"]), {}).setdefault(kind, b)
    return found


def figure(entry, key):
    """A figure of one benchmark's runs: a time in milliseconds (the unit the programs report
    in) from the median of the repetitions, else the plain run; a counter from the plain run."""
    if entry is None:
        return None
    is_time = key.endswith("_time")
    run = entry.get("median", entry.get("first")) if is_time else entry.get("first")
    if run is None or key not in run:
        return None
    value = float(run[key])
    if is_time:
        value *= {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run.get("time_unit", "ns")]
    return value


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, output = sys.argv[1], sys.argv[2]
    rows = []
    for work, program, ours, peer, key, unit, peer_name, goal in GOALS:
        results = runs(folder, program)
        mine = figure(results.get(ours), key)
        theirs = figure(results.get(peer), key)
        ratio = mine / theirs if mine is not None and theirs else None
        rows.append({"work": work, "ours": mine, "peer": theirs, "peer_name": peer_name,
                     "unit": unit, "ratio": ratio, "goal": goal,
                     "held": ratio is not None and ratio <= goal})
    with open(output, "w", encoding="utf-8") as f:
        json.dump({"goals": rows}, f, indent=2)
        f.write("\n")

    def amount(value, unit):
        return "-" if value is None else f"{value:.1f} {unit}"

    table = [("work", "ours", "peer / limit", "ratio", "goal", "held")]
    for r in rows:
        table.append((r["work"], amount(r["ours"], r["unit"]),
                      f"{r['peer_name']} {amount(r['peer'], r['unit'])}",
                      "-" if r["ratio"] is None else f"{r['ratio']:.2f}x",
                      f"<= {r['goal']:.2f}x", "yes" if r["held"] else "NO"))
    widths = [max(len(line[i]) for line in table) for i in range(len(table[0]))]
    for n, line in enumerate(table):
        print("| " + " | ".join(cell.ljust(w) for cell, w in zip(line, widths)) + " |")
        if n == 0:
            print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    return 0 if all(r["held"] for r in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
