#!/usr/bin/python3
"""Proves check_doc_tests.py rejects damaged documents and passes the real ones.

Usage: test_check_doc_tests.py SOURCE
Each damaged document, written into a temporary folder beside a good citation, must make the check
exit 1 naming its fault; SOURCE's own README.md and docs/*.md must pass.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_doc_tests  # noqa: E402

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_doc_tests.py")


def run(source, *docs):
    done = subprocess.run([sys.executable, CHECK, source, *docs], capture_output=True, text=True)
    return done.returncode, done.stdout + done.stderr


def main(source):
    programs, host, _ = check_doc_tests.sources(source)
    windows = sorted(p for p in programs if p not in host and programs[p])
    if not any(programs[p] for p in host) or len(windows) < 2:
        sys.exit("test_check_doc_tests: wanted cases in a host program and in two Windows-side ones")
    host_case = min(case for p in host for case in programs[p])
    program, case = windows[0], min(programs[windows[0]])
    other = next(p for p in windows if case not in programs[p])
    good = "`%s.%s` and %s pass.\n" % (program, case, host_case)
    rows = [  # (fault, document, text the failure must contain)
        ("an invented case", good + "EndToEnd.NoSuchCaseAnywhere\n", "not a test in the sources"),
        ("a real case under the wrong program", good + "%s.%s\n" % (other, case), "not a case of"),
        ("a Windows-side case without its program", good + case + "\n", "cite it as %s.%s" % (program, case)),
        ("a ctest name that does not exist", good + "`no_such_ctest_name`\n", "no_such_ctest_name: not a test"),
        ("a document with no citation", "Nothing here names a test.\n", "cites no test"),
    ]
    missed = 0
    with tempfile.TemporaryDirectory() as folder:
        for number, (fault, text, expected) in enumerate(rows):
            doc = os.path.join(folder, "doc%d.md" % number)
            with open(doc, "w", encoding="utf-8") as file:
                file.write(text)
            status, output = run(source, doc)
            caught = status == 1 and expected in output
            print("%s %s: %s" % ("ok  " if caught else "MISS", fault, output.strip() or "exit %d" % status))
            missed += not caught
    status, output = run(source)
    print("%s the real documents: %s" % ("ok  " if status == 0 else "FAIL", output.strip()))
    return 1 if missed or status else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.split("\n\n")[1])
    sys.exit(main(sys.argv[1]))
