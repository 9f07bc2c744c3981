#!/usr/bin/python3
"""Checks that every test the docs cite is a test in the sources, cited as ctest names it.

Usage: check_doc_tests.py SOURCE [DOC...]
DOC defaults to SOURCE's README.md and docs/*.md.  A GoogleTest case is cited as
program.Suite.Case, as ctest names the cases of the Windows-side programs: it must be a TEST,
TEST_F or TEST_P in the sources of that add_executable.  A case of a host program (one added in
tests/host) may be cited as Suite.Case alone; a Windows-side case so cited is rejected, as
ctest knows it by no such name.  A ctest name is cited in backticks, in lower case with an
underscore (win_programs_run, fuzz_replay.paths): it must be added with (NAME ...) in a CMake
file, ${var} taken from that file's foreach lists, or be a test program's name.
A DOC named on the command line must cite at least one test; the default documents must cite at
least one between them, as a file in docs/ may be about something no test names.
Prints each fault; exits 1 if any.
"""
import glob
import os
import re
import sys

GTEST_CITED = re.compile(r"\b(?:([a-z][a-z0-9_]*)\.)?([A-Z][A-Za-z0-9]*\.[A-Z][A-Za-z0-9_]*)\b")
CTEST_CITED = re.compile(r"`([a-z][a-z0-9]*(?:_[a-z0-9]+)+(?:\.[a-z][a-z0-9_]*)?)`")
FILE_ENDINGS = (".py", ".sh", ".cpp", ".h", ".md", ".txt", ".exe", ".ini", ".zip", ".png", ".cmake")
CASE = re.compile(r"^\s*TEST(?:_F|_P)?\(\s*(\w+)\s*,\s*(\w+)\s*\)", re.M)
EXECUTABLE = re.compile(r"\badd_executable\(\s*(\w+)([^)]*)\)")
TEST_NAME = re.compile(r"\(\s*NAME\s+([^\s)]+)")
FOREACH = re.compile(r"\bforeach\(\s*(\w+)\s+([^)]*)\)")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def expand(name, lists):
    """name with each ${var} of a foreach list replaced by every item of that list in turn."""
    for var, items in lists.items():
        mark = "${%s}" % var
        if mark in name:
            return [n for item in items for n in expand(name.replace(mark, item), lists)]
    return [name]


def sources(root):
    """The cases of each test program, the host programs' names, and the ctest names."""
    cases, cmake = {}, []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = [d for d in subfolders if not d.startswith(".") and d not in ("build", "dist")]
        for name in files:
            path = os.path.join(folder, name)
            if name.endswith(".cpp"):
                cases[path] = {"%s.%s" % m for m in CASE.findall(read(path))}
            elif name == "CMakeLists.txt" or name.endswith(".cmake"):
                cmake.append(path)
    programs, host, ctests = {}, set(), set()
    host_folder = os.path.normpath(os.path.join(root, "tests", "host"))
    for path in cmake:
        text = re.sub(r"#.*", "", read(path))  # comments name examples, not tests
        for program, files in EXECUTABLE.findall(text):
            programs[program] = set().union(
                *(cases.get(os.path.join(os.path.dirname(path), f), set()) for f in files.split()))
            if os.path.normpath(os.path.dirname(path)) == host_folder:
                host.add(program)
        lists = {var: items.split() for var, items in FOREACH.findall(text)}
        for name in TEST_NAME.findall(text):
            ctests.update(n for n in expand(name, lists) if "${" not in n)
    return programs, host, ctests


def main(root, docs, each_must_cite):
    programs, host, ctests = sources(root)
    if not any(programs.values()):
        sys.exit("check_doc_tests: no TEST in the sources under " + root)
    host_cases = set().union(*(programs[p] for p in host))
    faults, cited = [], 0
    for doc in docs:
        text, before = read(doc), cited
        for program, case in GTEST_CITED.findall(text):
            cited += 1
            if program and case not in programs.get(program, set()):
                faults.append("%s: %s.%s: not a case of a test program of that name" % (doc, program, case))
            elif not program and case not in host_cases:
                owners = sorted(p for p, cases in programs.items() if case in cases)
                faults.append("%s: %s: %s" % (doc, case, "a Windows-side case, cite it as %s.%s" % (
                    owners[0], case) if owners else "not a test in the sources"))
        for name in CTEST_CITED.findall(text):
            if not name.endswith(FILE_ENDINGS):
                cited += 1
                if name not in ctests and not programs.get(name):
                    faults.append("%s: %s: not a test in the sources" % (doc, name))
        if each_must_cite and cited == before:
            faults.append("%s: cites no test" % doc)
    if not cited and not each_must_cite:
        faults.append("%s: cite no test" % ", ".join(docs))
    for line in faults:
        print("FAIL: " + line)
    if not faults:
        print("doc test names: %d citations in %d docs, all found" % (cited, len(docs)))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__.split("\n\n")[1])
    source, named = sys.argv[1], sys.argv[2:]
    documents = named or [os.path.join(source, "README.md")] + sorted(
        glob.glob(os.path.join(source, "docs", "*.md")))
    sys.exit(main(source, documents, bool(named)))
