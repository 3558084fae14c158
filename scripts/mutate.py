#!/usr/bin/env python3
"""Plants one-line faults in source files and tells which of them the tests catch.

    scripts/mutate.py [--max N] [--seed S] [--list] [--keep-going] PATH...

PATH is a source file or a source folder (src/browser, apps/gonilux-cli). For each file the script
plants faults one at a time (a flipped comparison, a changed constant, a negated or dropped
condition, a removed call, a swapped operator, true for false), rebuilds only the test programs of
that file's folder and runs them. A fault is caught when a test fails (or hangs), missed when every
test passes, and "no-build" when the planted line does not compile. The work happens in a private
copy of the tree (build-mutate/FOLDER/), so the working tree and its build stay untouched.

--max N      at most N faults per file, spread over the file (default 25; 0 = all)
--seed S     which faults are chosen when there are more than --max (default 1)
--list       only print the faults that would be planted
Exit status: 0 when every planted fault was caught, 1 when any was missed, 2 on a usage or
build error.
"""

from __future__ import annotations

import argparse
import dataclasses
import filecmp
import os
import random
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The test programs of each source folder: gtest binaries (run with --gtest_fail_fast) and ctest
# names (run through ctest -R).
FOLDER_TESTS = {
    "src/photometry": (["photometry_tests"], []),
    "src/library": (["library_tests"], []),
    "src/diagram": (["diagram_tests"], []),
    "src/platform": (["platform_tests"], []),
    "src/browser": (["browser_tests"], []),
    "src/mainwindow": (["mainwindow_tests"], []),
    "src/auxwindows": (["auxwindows_tests"], []),
    "apps/gonilux-cli": (["cli_tests", "cli_ldt_tests"], ["cli_render"]),
    "apps/gonilux": (["install_tests"], []),
}

SOURCE_SUFFIXES = (".cpp", ".h")


@dataclasses.dataclass
class Mutant:
    line: int  # 1-based
    before: str
    after: str
    what: str


# ---------------------------------------------------------------------------------------------
# Finding faults to plant


def mask_literals(line: str) -> str:
    """The line with string and character literals and a trailing // comment blanked out, so
    that operators are only looked for in code."""
    out = []
    i, quote = 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
                out.append(c)
            else:
                out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


BINARY_SWAPS = [
    (" < ", " <= ", "< to <="), (" <= ", " < ", "<= to <"),
    (" > ", " >= ", "> to >="), (" >= ", " > ", ">= to >"),
    (" == ", " != ", "== to !="), (" != ", " == ", "!= to =="),
    (" && ", " || ", "&& to ||"), (" || ", " && ", "|| to &&"),
    (" + ", " - ", "+ to -"), (" - ", " + ", "- to +"),
    (" * ", " / ", "* to /"), (" / ", " * ", "/ to *"),
    (" += ", " -= ", "+= to -="), (" -= ", " += ", "-= to +="),
]
WORD_SWAPS = [
    (r"\btrue\b", "false", "true to false"), (r"\bfalse\b", "true", "false to true"),
    (r"\bstd::min\b", "std::max", "min to max"), (r"\bstd::max\b", "std::min", "max to min"),
]
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\d*\.\d+|\d+)(?:[fF]|[uU]?[lL]{0,2})?(?![\w.])")
CONDITION = re.compile(r"^(\s*(?:\}\s*else\s+)?(?:if|while)\s*\()(.*)(\)\s*(?:\{|[^;]*;)?\s*)$")
CALL_STATEMENT = re.compile(r"^\s*[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*\s*\(.*\);\s*$")
SKIPPED_LINE = re.compile(r"^\s*(#|//|\*|/\*|static_assert|template\b|using\b|namespace\b|case\b)")


def balanced(text: str) -> bool:
    depth = 0
    for c in text:
        depth += {"(": 1, ")": -1}.get(c, 0)
        if depth < 0:
            return False
    return depth == 0


def changed_number(token: str) -> str:
    if "." in token:
        value = float(token.rstrip("fF"))
        return repr(value * 2 if value else 1.0)
    value = int(token)
    return str(value + 1)


def faults_in_line(number: int, line: str) -> list[Mutant]:
    if SKIPPED_LINE.match(line) or not line.strip():
        return []
    code = mask_literals(line)
    found: list[Mutant] = []

    def add(start: int, end: int, replacement: str, what: str) -> None:
        after = line[:start] + replacement + line[end:]
        if after != line:
            found.append(Mutant(number, line, after, what))

    for old, new, what in BINARY_SWAPS:
        at = code.find(old)
        if at >= 0 and not (old.strip() in "<>" and "template" in code):
            add(at, at + len(old), new, what)
    for pattern, new, what in WORD_SWAPS:
        match = re.search(pattern, code)
        if match:
            add(match.start(), match.end(), new, what)
    for match in NUMBER.finditer(code):
        if "[" in code[max(0, match.start() - 1):match.start()]:
            continue  # array sizes rarely compile when changed
        add(match.start(1), match.end(1), changed_number(match.group(1)), "constant changed")
        break
    condition = CONDITION.match(line)
    if condition and balanced(condition.group(2)) and "(" not in condition.group(3)[1:]:
        head, body, tail = condition.groups()
        if body.startswith("!") and balanced(body[1:]) and "&&" not in body and "||" not in body:
            found.append(Mutant(number, line, head + body[1:] + tail, "negation dropped"))
        else:
            found.append(Mutant(number, line, head + "!(" + body + ")" + tail, "condition negated"))
        for op in (" && ", " || "):
            if op in body and balanced(body.split(op, 1)[0]):
                found.append(Mutant(number, line, head + body.split(op, 1)[0] + tail,
                                    "second condition dropped"))
                break
    if CALL_STATEMENT.match(code) and not re.match(r"^\s*(return|delete|throw)\b", code) \
            and balanced(code):
        indent = line[:len(line) - len(line.lstrip())]
        found.append(Mutant(number, line, indent + ";  // call removed", "call removed"))
    if re.match(r"^\s*return\s+(true|false);", code):
        pass  # covered by the word swap
    return found


def faults_in_file(path: Path) -> list[Mutant]:
    lines = path.read_text(encoding="utf-8").split("\n")
    mutants: list[Mutant] = []
    in_block_comment = False
    for index, line in enumerate(lines):
        stripped = line.strip()
        if in_block_comment:
            in_block_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_block_comment = "*/" not in stripped
            continue
        mutants.extend(faults_in_line(index + 1, line))
    return mutants


def choose(mutants: list[Mutant], most: int, seed: int) -> list[Mutant]:
    if most <= 0 or len(mutants) <= most:
        return mutants
    chosen = random.Random(seed).sample(range(len(mutants)), most)
    return [mutants[i] for i in sorted(chosen)]


# ---------------------------------------------------------------------------------------------
# The private tree and its build


def folder_of(path: Path) -> str:
    relative = path.resolve().relative_to(ROOT).as_posix()
    for folder in FOLDER_TESTS:
        if relative == folder or relative.startswith(folder + "/"):
            return folder
    raise SystemExit(f"mutate.py: {relative} is not in a source folder with tests "
                     f"({', '.join(FOLDER_TESTS)})")


def tracked_files() -> list[str]:
    listing = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                             check=True, capture_output=True).stdout.decode()
    return [name for name in listing.split("\0") if name and (ROOT / name).is_file()]


def sync_tree(copy: Path) -> None:
    """Brings the private copy up to date with the working tree, copying only what differs so
    that the private build stays incremental."""
    names = set(tracked_files())
    for name in names:
        source, target = ROOT / name, copy / name
        if target.is_file() and filecmp.cmp(source, target, shallow=False):
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(source, target)
        os.utime(target)  # newer than anything built from the old copy
    # Files that have left the working tree leave the copy too (a removed test must not keep
    # catching faults there).
    for folder in ("src", "apps", "tests"):
        for path in (copy / folder).rglob("*"):
            if path.is_file() and str(path.relative_to(copy)) not in names:
                path.unlink()


def run(command: list[str], cwd: Path, timeout: float | None = None,
        env: dict | None = None) -> subprocess.CompletedProcess:
    return subprocess.run(command, cwd=cwd, timeout=timeout, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, errors="replace")


class Workspace:
    def __init__(self, folder: str):
        self.folder = folder
        self.copy = ROOT / "build-mutate" / folder.replace("/", "-") / "tree"
        self.build = self.copy / "build-test"
        self.binaries, self.ctests = FOLDER_TESTS[folder]
        self.env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CCACHE_BASEDIR="/")
        self.timeout = 600.0

    def prepare(self) -> None:
        sync_tree(self.copy)
        if not (self.build / "build.ninja").exists():
            command = ["cmake", "-S", ".", "-B", "build-test", "-G", "Ninja",
                       "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DGONILUX_BUILD_BENCH=OFF"]
            if shutil.which("ccache"):
                command.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
            result = run(command, self.copy, env=self.env)
            if result.returncode:
                raise SystemExit("mutate.py: configuring the private build failed:\n" + result.stdout)
        if not self.compile():
            raise SystemExit("mutate.py: the unchanged tree does not build:\n" + self.last_output)
        started = time.monotonic()
        if not self.tests_pass():
            raise SystemExit("mutate.py: the tests fail before any fault is planted:\n"
                             + self.last_output[-4000:])
        self.timeout = max(60.0, 4 * (time.monotonic() - started))

    def compile(self) -> bool:
        targets = self.binaries + (["gonilux-cli"] if self.ctests else [])
        result = run(["cmake", "--build", "build-test", "-j2", "--target", *targets], self.copy,
                     env=self.env)
        self.last_output = result.stdout
        return result.returncode == 0

    def binary(self, name: str) -> Path:
        found = list(self.build.rglob(name))
        return next(p for p in found if p.is_file() and os.access(p, os.X_OK))

    def tests_pass(self) -> bool:
        """True when every test of the folder passes; a hang counts as a failure."""
        deadline = time.monotonic() + self.timeout
        try:
            for name in self.binaries:
                result = run([str(self.binary(name)), "--gtest_fail_fast", "--gtest_brief=1"],
                             self.build, timeout=max(1.0, deadline - time.monotonic()),
                             env=self.env)
                self.last_output = result.stdout
                if result.returncode:
                    return False
            for name in self.ctests:
                result = run(["ctest", "-R", f"^{name}$", "--output-on-failure"], self.build,
                             timeout=max(1.0, deadline - time.monotonic()), env=self.env)
                self.last_output = result.stdout
                if result.returncode:
                    return False
        except subprocess.TimeoutExpired:
            self.last_output = "timed out"
            return False
        return True


def first_failure(output: str) -> str:
    for line in output.splitlines():
        if "[  FAILED  ]" in line or "timed out" in line or "Failed" in line:
            return line.strip()[:100]
    return ""


def mutate_file(workspace: Workspace, path: Path, mutants: list[Mutant]) -> tuple[int, int]:
    relative = path.resolve().relative_to(ROOT).as_posix()
    target = workspace.copy / relative
    original = target.read_text(encoding="utf-8")
    lines = original.split("\n")
    caught = missed = 0
    try:
        for mutant in mutants:
            changed = lines.copy()
            changed[mutant.line - 1] = mutant.after
            target.write_text("\n".join(changed), encoding="utf-8")
            where = f"{relative}:{mutant.line}: {mutant.what}: {mutant.after.strip()[:70]}"
            if not workspace.compile():
                print(f"  no-build {where}", flush=True)
                continue
            if workspace.tests_pass():
                missed += 1
                print(f"  MISSED   {where}", flush=True)
            else:
                caught += 1
                print(f"  caught   {where}   <- {first_failure(workspace.last_output)}",
                      flush=True)
    finally:
        target.write_text(original, encoding="utf-8")
    return caught, missed


def source_files(paths: list[str]) -> list[Path]:
    files: list[Path] = []
    for name in paths:
        path = (Path.cwd() / name).resolve()
        if path.is_dir():
            files.extend(sorted(p for p in path.iterdir() if p.suffix in SOURCE_SUFFIXES))
        elif path.is_file():
            files.append(path)
        else:
            raise SystemExit(f"mutate.py: no such file or folder: {name}")
    return files


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("paths", nargs="+", metavar="PATH")
    parser.add_argument("--max", type=int, default=25)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--list", action="store_true")
    args = parser.parse_args()

    files = source_files(args.paths)
    plan = [(path, choose(faults_in_file(path), args.max, args.seed)) for path in files]
    if args.list:
        for path, mutants in plan:
            for m in mutants:
                print(f"{path.relative_to(ROOT)}:{m.line}: {m.what}: {m.after.strip()}")
        return 0

    workspaces: dict[str, Workspace] = {}
    totals: dict[str, list[int]] = {}
    for path, mutants in plan:
        folder = folder_of(path)
        if folder not in workspaces:
            print(f"{folder}: preparing the private build in build-mutate/ ...", flush=True)
            workspaces[folder] = Workspace(folder)
            workspaces[folder].prepare()
        print(f"{path.relative_to(ROOT)}: {len(mutants)} faults", flush=True)
        caught, missed = mutate_file(workspaces[folder], path, mutants)
        total = totals.setdefault(folder, [0, 0])
        total[0] += caught
        total[1] += missed
    for folder, (caught, missed) in totals.items():
        share = 100.0 * caught / (caught + missed) if caught + missed else 100.0
        print(f"{folder}: caught {caught} of {caught + missed} faults that build ({share:.0f} %)")
    return 1 if any(missed for _, missed in totals.values()) else 0


if __name__ == "__main__":
    sys.exit(main())
