#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of the given build folders and prints
"N passed, N failed". A test executable that ctest ran but that left no
report (it crashed or hung) counts as one failure. Exit 1 on any failure."""
import subprocess, sys, xml.etree.ElementTree as ET
from pathlib import Path

passed = failed = skipped = 0
for build in map(Path, sys.argv[1:]):
    listed = subprocess.run(["ctest", "-N"], cwd=build, capture_output=True, text=True).stdout
    names = [line.split(":", 1)[1].strip() for line in listed.splitlines() if line.strip().startswith("Test #")]
    for name in names:
        report = build / "test-results" / f"{name}.xml"
        if not report.exists():
            print(f"{build.name}/{name}: no report (crashed or did not run)")
            failed += 1
            continue
        root = ET.parse(report).getroot()
        for case in root.iter("testcase"):
            if case.find("failure") is not None or case.find("error") is not None:
                failed += 1
            elif case.get("result") == "skipped" or case.find("skipped") is not None:
                skipped += 1
            else:
                passed += 1
line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed else 0)
