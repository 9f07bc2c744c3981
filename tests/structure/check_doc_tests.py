#!/usr/bin/python3
"""Checks that every test the docs cite is a test in the sources.

Usage: check_doc_tests.py SOURCE [DOC...]
DOC defaults to SOURCE's README.md and docs/*.md.  A GoogleTest case is cited as Suite.Case, or
as program.Suite.Case as ctest names the Windows-side cases: it must be a TEST, TEST_F or TEST_P
in the sources, and a program before it must be an add_executable whose own sources hold it.  A
ctest name is cited in backticks, in lower case with an underscore (win_programs_run,
fuzz_replay.paths): it must be added with (NAME ...) in a CMake file, ${var} taken from that
file's foreach lists, or be a test program's name.  Prints each name not found; exits 1 if any.
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
    """The cases of each C++ file, the test programs with their cases, and the ctest names."""
    cases, cmake = {}, []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = [d for d in subfolders if not d.startswith(".") and d not in ("build", "dist")]
        for name in files:
            path = os.path.join(folder, name)
            if name.endswith(".cpp"):
                cases[path] = {"%s.%s" % m for m in CASE.findall(read(path))}
            elif name == "CMakeLists.txt" or name.endswith(".cmake"):
                cmake.append(path)
    programs, ctests = {}, set()
    for path in cmake:
        text = re.sub(r"#.*", "", read(path))  # comments name examples, not tests
        for program, files in EXECUTABLE.findall(text):
            programs[program] = set().union(
                *(cases.get(os.path.join(os.path.dirname(path), f), set()) for f in files.split()))
        lists = {var: items.split() for var, items in FOREACH.findall(text)}
        for name in TEST_NAME.findall(text):
            ctests.update(n for n in expand(name, lists) if "${" not in n)
    return set().union(*cases.values()), programs, ctests


def main(root, docs):
    all_cases, programs, ctests = sources(root)
    if not all_cases:
        sys.exit("check_doc_tests: no TEST in the sources under " + root)
    missing, cited = [], 0
    for doc in docs:
        text = read(doc)
        for program, case in GTEST_CITED.findall(text):
            cited += 1
            found = case in programs.get(program, set()) if program else case in all_cases
            if not found:
                missing.append("%s: %s" % (doc, program + "." + case if program else case))
        for name in CTEST_CITED.findall(text):
            if not name.endswith(FILE_ENDINGS):
                cited += 1
                if name not in ctests and not programs.get(name):
                    missing.append("%s: %s" % (doc, name))
    for line in missing:
        print("FAIL: cited but not a test in the sources: " + line)
    if not missing:
        print("doc test names: %d citations in %d docs, all found" % (cited, len(docs)))
    return 1 if missing else 0


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__.split("\n\n")[1])
    source = sys.argv[1]
    documents = sys.argv[2:] or [os.path.join(source, "README.md")] + sorted(
        glob.glob(os.path.join(source, "docs", "*.md")))
    sys.exit(main(source, documents))
