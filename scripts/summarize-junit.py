#!/usr/bin/env python3
"""Adds up ctest JUnit reports: one line per named group, then the total as
'N passed, N failed' (with ', N skipped' when any were skipped).
Usage: summarize-junit.py NAME=REPORT.xml ...  (exit 1 on any failure or
when a report is missing)"""
import sys
import xml.etree.ElementTree as ET

total = {"passed": 0, "failed": 0, "skipped": 0}
ok = True
for arg in sys.argv[1:]:
    name, _, path = arg.partition("=")
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError) as e:
        print(f"{name}: no report ({e})")
        ok = False
        continue
    suites = [root] if root.tag == "testsuite" else root.findall("testsuite")
    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for suite in suites:
        for case in suite.findall("testcase"):
            if case.find("failure") is not None or case.find("error") is not None:
                counts["failed"] += 1
            elif case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
                counts["skipped"] += 1
            else:
                counts["passed"] += 1
    line = f"{name}: {counts['passed']} passed, {counts['failed']} failed"
    if counts["skipped"]:
        line += f", {counts['skipped']} skipped"
    print(line)
    for k in total:
        total[k] += counts[k]
    if counts["failed"] or counts["passed"] == 0:
        ok = False

line = f"{total['passed']} passed, {total['failed']} failed"
if total["skipped"]:
    line += f", {total['skipped']} skipped"
print(line)
sys.exit(0 if ok and total["failed"] == 0 else 1)
