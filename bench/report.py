#!/usr/bin/env python3
"""Turns the results of bench/run into a Markdown report.

Usage: report.py RESULTS_DIR RUNS CORES
Each benchmark NAME has RESULTS_DIR/NAME.json (hyperfine) and NAME.meta
(corpus, operation, input bytes, peak KiB).
"""
import json
import os
import statistics
import sys

# Targets: (corpus or None for every corpus, ours, peer, minimum ratio of our
# throughput to the peer's, what the target says).
TARGETS = [
    (None, "kombrel-pack-z", "zip-6", 1.0, "compressed packing at least as fast as zip -6"),
    (None, "kombrel-pack", "zip-0", 2.0, "plain packing at least 2 x zip -0"),
    (None, "kombrel-pack", "tar-c", None, "plain packing as close to tar cf as buffering allows"),
    (None, "kombrel-extract", "tar-x", 0.9, "plain extraction at least 0.9 x tar xf"),
    ("text", "kombrel-extract-z", "unzip-6", 1.3, "compressed extraction at least 1.3 x unzip on text"),
]


def load(results):
    rows = {}
    for entry in sorted(os.listdir(results)):
        if not entry.endswith(".json"):
            continue
        name = entry[:-5]
        with open(os.path.join(results, entry)) as f:
            times = json.load(f)["results"][0]["times"]
        with open(os.path.join(results, name + ".meta")) as f:
            corpus, operation, size, peak = f.read().rstrip("\n").split("\t")
        rows[name] = {
            "corpus": corpus,
            "tool": name[len(corpus) + 1:] if name.startswith(corpus + "-") else name,
            "operation": operation,
            "bytes": int(size),
            "median": statistics.median(times),
            "peak_mib": int(peak) / 1024 if peak.isdigit() else float("nan"),
        }
    return rows


def mb_per_s(row):
    return row["bytes"] / 1e6 / row["median"] if row["bytes"] else float("nan")


def main():
    results, runs, cores = sys.argv[1], sys.argv[2], sys.argv[3]
    rows = load(results)
    print(f"## Benchmark ({cores} cores, median of {runs} runs)\n")
    print("| corpus | tool | operation | median s | MB/s | peak MiB |")
    print("|---|---|---|---:|---:|---:|")
    for row in rows.values():
        rate = mb_per_s(row)
        rate_text = "" if rate != rate else f"{rate:.0f}"
        print(f"| {row['corpus']} | {row['tool']} | {row['operation']} | {row['median']:.3f} | {rate_text} "
              f"| {row['peak_mib']:.1f} |")

    print("\n## Ratios to the peers (our throughput / theirs)\n")
    print("| corpus | ours | peer | ratio | target | met |")
    print("|---|---|---|---:|---:|---|")
    corpora = sorted({row["corpus"] for row in rows.values() if row["bytes"]})
    for scope, ours, peer, minimum, _ in TARGETS:
        for corpus in corpora:
            if scope and corpus != scope:
                continue
            a, b = rows.get(f"{corpus}-{ours}"), rows.get(f"{corpus}-{peer}")
            if not a or not b:
                continue
            ratio = b["median"] / a["median"]
            target = "" if minimum is None else f"{minimum:.1f}"
            met = "" if minimum is None else ("yes" if ratio >= minimum else "no")
            print(f"| {corpus} | {ours} | {peer} | {ratio:.2f} | {target} | {met} |")
    listing = rows.get("list-kombrel")
    if listing:
        met = "yes" if listing["median"] < 1.0 else "no"
        print(f"\n{listing['operation']}: {listing['median']:.3f} s (target under 1 s: {met}), "
              f"peak {listing['peak_mib']:.1f} MiB")


if __name__ == "__main__":
    main()
