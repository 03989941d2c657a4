#!/usr/bin/env python3
"""Joins the benchmarks' JSON results with bench/targets.tsv into one table.

    bench/table.py TARGETS RESULTS-FOLDER

RESULTS-FOLDER holds one NAME.json per benchmark program (--benchmark_out). The table shows
each program's time, its yardstick's time, the ratio, the target and whether it is met, then
the machine the figures come from. Rows whose benchmarks did not run show "not run".
"""
import json
import os
import re
import sys

UNITS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load_results(folder):
    """{(program, name): {"cpu": ns, "real": ns}}, the median where there are repetitions."""
    results, context = {}, None
    for entry in sorted(os.listdir(folder)):
        if not entry.endswith(".json"):
            continue
        program = entry[: -len(".json")]
        with open(os.path.join(folder, entry)) as f:
            data = json.load(f)
        context = context or data.get("context")
        medians = {}
        for b in data.get("benchmarks", []):
            if b.get("error_occurred"):
                continue
            scale = UNITS[b.get("time_unit", "ns")]
            times = {"cpu": b["cpu_time"] * scale, "real": b["real_time"] * scale}
            name = b.get("run_name", b["name"])
            if b.get("run_type") == "aggregate":
                if b.get("aggregate_name") == "median":
                    medians[name] = times
            else:
                results.setdefault((program, name), times)
        for name, times in medians.items():
            results[(program, name)] = times
    return results, context


def show_time(ns):
    for unit, scale in (("s", 1e9), ("ms", 1e6), ("us", 1e3)):
        if ns >= scale:
            return f"{ns / scale:.3g} {unit}"
    return f"{ns:.3g} ns"


def judge(target, time, ratio):
    """'yes' or 'no' for a target, '-' without one."""
    if target == "-":
        return "-"
    m = re.fullmatch(r"<=\s*([0-9.]+)\s*(ns|us|ms|x)", target)
    if not m:
        raise SystemExit(f"table.py: a target must read '<= N ns' or '<= Nx': {target!r}")
    limit, unit = float(m.group(1)), m.group(2)
    value = ratio if unit == "x" else time / UNITS[unit]
    if value is None:
        return "?"
    return "yes" if value <= limit else "no"


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__.strip())
    results, context = load_results(sys.argv[2])
    rows = []
    with open(sys.argv[1]) as f:
        lines = [l.rstrip("\n") for l in f if l.strip() and not l.startswith("#")]
    for line in lines[1:]:
        program, bench, yardstick, kind, target = line.split("\t")
        own = results.get(tuple(bench.split(":", 1)))
        if own is None:
            rows.append((program, "not run", "", "", target, "?"))
            continue
        time = own[kind]
        ratio = None
        yard_text = "-"
        if yardstick != "-":
            other = results.get(tuple(yardstick.split(":", 1)))
            if other is not None:
                ratio = time / other[kind] if other[kind] > 0 else None
                yard_text = show_time(other[kind]) + ("" if kind == "cpu" else " wall")
            else:
                yard_text = "not run"
        ratio_text = "-" if ratio is None else f"{ratio:.2f}x"
        rows.append((program, show_time(time) + ("" if kind == "cpu" else " wall"), yard_text,
                     ratio_text, target, judge(target, time, ratio)))
    header = ("program", "time", "yardstick", "ratio", "target", "met")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    print("| " + " | ".join(h.ljust(w) for h, w in zip(header, widths)) + " |")
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print("| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |")
    met = sum(r[5] == "yes" for r in rows)
    judged = sum(r[5] in ("yes", "no") for r in rows)
    print(f"\n{met} of {judged} targets met.")
    if context:
        print(f"Machine: {context.get('host_name', '?')}, {context.get('num_cpus', '?')} CPUs at "
              f"{context.get('mhz_per_cpu', '?')} MHz, load average "
              f"{' '.join(f'{x:.2f}' for x in context.get('load_avg', []))}; "
              f"{context.get('date', '')}")


if __name__ == "__main__":
    main()
