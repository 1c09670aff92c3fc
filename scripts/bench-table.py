#!/usr/bin/env python3
"""Prints the figures of a qoru-bench JSON run against their targets."""
import json
import sys

# benchmark name -> (what, target in milliseconds)
TARGETS = {
    "BM_GbkDecode": ("GBK decode of 1 MiB", 10.0),
    "BM_GbkEncode": ("GBK encode of 1 MiB", 10.0),
    "BM_OpenFullReport/real_time": ("open a 1,048,575-byte report into the view", 150.0),
    "BM_AppendTo1MBView/real_time": ("append a report to a view holding 1 MB", 30.0),
    "BM_Mix1CalculationWithReport": ("method-1 calculation with its report", 0.050),
    "BM_Mix2Press": ("method-2 calculation with its report", 0.050),
    "BM_AdjustWithReport": ("trial batch, correction and site mix with its report", 0.020),
    "BM_OrdinaryDesignWithReport": ("ordinary-concrete design with its trials and report", 0.050),
    "BM_PrintLargestReportToPdf/iterations:3": ("PDF of a 1,048,575-byte report", 3000.0),
    "BM_PreviewFirstPageOfLargestReport": ("first preview page of it", 300.0),
    "BM_StdDevDlgAdd": ("add a row with 10,000 rows", 5.0),
    "BM_StdDevDlgDelete": ("delete a row with 10,000 rows", 5.0),
    "BM_StdDevDlgCompute": ("compute sigma with 10,000 rows", 5.0),
    "BM_Evaluate1000Groups": ("evaluation of 1,000 groups with its report", 1.0),
}
UNIT = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def main(path):
    runs = {b["name"]: b for b in json.load(open(path))["benchmarks"]}
    ms = {n: b["real_time"] * UNIT[b["time_unit"]] for n, b in runs.items()}
    failed = 0
    print(f"{'what':50} {'figure':>12} {'target':>12}  met")
    for name, (what, target) in TARGETS.items():
        if name not in ms:
            print(f"{what:50} {'not run':>12} {target:>10.3f}ms  no")
            failed += 1
            continue
        ok = ms[name] <= target
        failed += not ok
        print(f"{what:50} {ms[name]:>10.3f}ms {target:>10.3f}ms  {'yes' if ok else 'NO'}")
    empty, full = ms.get("BM_AppendToEmptyView/real_time"), ms.get("BM_AppendTo1MBView/real_time")
    if empty and full:
        ok = full <= 3 * empty
        failed += not ok
        print(f"{'append to 1 MB / append to empty view':50} {full / empty:>11.2f}x {3:>11}x  {'yes' if ok else 'NO'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
