"""Sets the medians of a conversion_bench JSON report, the lines of
cli_throughput.sh and, when given, the medians of a context_bench JSON report
beside the speed and memory targets."""

import json
import re
import sys


def medians(report_path):
    with open(report_path, encoding="utf-8") as report:
        runs = json.load(report)["benchmarks"]
    return {run["run_name"]: run for run in runs if run.get("aggregate_name") == "median"}


def milliseconds(run):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


def cli_figures(lines_path):
    pattern = re.compile(r"^(.*): .* = (\d+) MB/s, peak memory ([\d.]+) MB$")
    with open(lines_path, encoding="utf-8") as lines:
        return [match.groups() for match in map(pattern.match, lines) if match]


def startups_ms(lines_path):
    """[(command, ms)] of each start on empty input."""
    pattern = re.compile(r"^(.*) startup on empty input: ([\d.]+) ms")
    with open(lines_path, encoding="utf-8") as lines:
        return [match.groups() for match in map(pattern.match, lines) if match]


def uses_word_data(label):
    return "--context" in label or "--names" in label


def verdict(met):
    return "met" if met else "MISSED"


def main(report_path, cli_path, context_path=None):
    runs = medians(report_path)
    missing = [name for name in ("Indexed/AllReadings", "Indexed/Ticked", "LiteralScan/AllReadings",
                                 "LiteralScan/Ticked", "Load/Whole") if name not in runs]
    if missing:
        sys.exit("summarize.py: no median for " + ", ".join(missing) + " in " + report_path)

    def rate(name):
        return runs[name]["units/s"]

    rows = []
    for label, indexed, literal, target in (("all readings", "Indexed/AllReadings", "LiteralScan/AllReadings", 250e6),
                                            ("ticked", "Indexed/Ticked", "LiteralScan/Ticked", 300e6)):
        rows.append((f"indexed, {label}", f"{rate(indexed) / 1e6:.0f} M units/s",
                     f">= {target / 1e6:.0f} M units/s", rate(indexed) >= target))
        rows.append((f"literal scan, {label}", f"{rate(literal) / 1e3:.1f} k units/s", "", None))
        ratio = rate(indexed) / rate(literal)
        rows.append((f"indexed / literal, {label}", f"{ratio:,.0f} x", ">= 2,000 x", ratio >= 2000))
    load = milliseconds(runs["Load/Whole"])
    rows.append(("table load (read, decode, parse, index)", f"{load:.2f} ms", "< 3 ms", load < 3))
    for part in ("ReadFile", "Decode", "Parse", "BuildIndex"):
        if f"Load/{part}" in runs:
            rows.append((f"  of which {part}", f"{milliseconds(runs[f'Load/{part}']):.2f} ms", "", None))
    for label, rate_mb, peak_mb in cli_figures(cli_path):
        if uses_word_data(label):
            continue
        rows.append((label, f"{rate_mb} MB/s", ">= 100 MB/s", int(rate_mb) >= 100))
        rows.append((f"{label}, peak memory", f"{peak_mb} MB", "< 10 MB", float(peak_mb) < 10))
    for label, rate_mb, peak_mb in cli_figures(cli_path):
        if uses_word_data(label):
            rows.append((label, f"{rate_mb} MB/s", ">= 100 MB/s", int(rate_mb) >= 100))
            rows.append((f"{label}, peak memory", f"{peak_mb} MB", "<= 32 MB", float(peak_mb) <= 32))
    if context_path:
        context = medians(context_path)
        for name, target in (("Context/AllReadings", 100e6), ("Context/Single", 100e6),
                             ("Context/AllReadingsInPieces", 100e6), ("Context/ToneMarksInPieces", 100e6),
                             ("Context/ToneMarksAndSandhiInPieces", None),
                             ("Context/ExplicitWordsInPieces", None)):
            if name in context:
                rate = context[name]["units/s"]
                rows.append((f"by context, {name.split('/')[1]}", f"{rate / 1e6:.0f} M units/s",
                             f">= {target / 1e6:.0f} M units/s" if target else "",
                             rate >= target if target else None))
        for name, label, target in (("LoadWords/Whole", "word data load, every part (read, check, index)", 30),
                                    ("LoadContext/NoPhrases", "word data load for --context", 30),
                                    ("LoadContext/ToneMarks", "word data load for --context --tone", 30),
                                    ("LoadContext/100000Phrases", "the same with 100,000 phrases read", None),
                                    ("LoadPhrases/100000Entries", "reading 100,000 phrases", None)):
            if name in context:
                load = milliseconds(context[name])
                rows.append((label, f"{load:.1f} ms", f"<= {target} ms" if target else "",
                             load <= target if target else None))
    for command, startup in startups_ms(cli_path):
        rows.append((f"{command}, start on empty input", f"{startup} ms", "", None))

    print("Summary (conversion_bench: medians of 5 repetitions; lorvane-cli: one run each)")
    for label, figure, target, met in rows:
        print(f"  {label:<45} {figure:>18}   {target:<16} {'' if met is None else verdict(met)}")


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: summarize.py CONVERSION_BENCH_JSON CLI_THROUGHPUT_LINES [CONTEXT_BENCH_JSON]")
    main(*sys.argv[1:])
