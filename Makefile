# Quorvane: the README's commands. Each installs what it needs first.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all deps build run test bench asan fuzz clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	build/release/app/quorvane

# Every test runs under a virtual X server, so the display tests have one.
test: build
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset release -j $(JOBS)

bench: build
	build/release/bench/quorvane-bench

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset asan -j $(JOBS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	tools/run-fuzzers build/fuzz/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
