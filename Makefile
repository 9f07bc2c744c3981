# Corvanta: make build, make test, make run (and make fuzz, make bench, make dist).
# Each target first installs whatever is missing (scripts/bootstrap does nothing when all is there).

JOBS ?= 2

.PHONY: build test run fuzz bench dist bootstrap

bootstrap:
	@scripts/bootstrap

build: bootstrap
	cmake --preset host >/dev/null
	cmake --build --preset host -j $(JOBS)
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS)
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 -j $(JOBS)

test: build
	ctest --preset host
	ctest --preset win32
	ctest --preset win64

# The shipped 32-bit launcher under Wine with two stand-in copies (prefix build/demo); with no DISPLAY it runs on
# a private Xvfb just long enough to save build/corvanta.png, then ends everything it started.
run: build
	scripts/run-demo

# Each fuzz target for FUZZ_SECONDS seconds under libFuzzer, ASan and UBSan; make test replays their corpora.
FUZZ_SECONDS ?= 60
fuzz: bootstrap
	FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/run

# Start-up, memory and launch against a minimal reference program; not part of test.
bench: build
	bench/run-bench.sh

# The download, dist/Corvanta-1.0.zip: the exe just built and LEAME.txt (the users' guide docs/LEAME.txt
# in cp1252); runs no test. Prints the zip's SHA-256 and the compiler that made the exe: another compiler
# gives other bytes.
dist: build
	scripts/make-dist build/win32/Corvanta.exe docs/LEAME.txt dist/Corvanta-1.0.zip
	@echo "compiled by: $$($$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$$/\1/p' cmake/mingw-i686.cmake) --version | head -n 1)"
