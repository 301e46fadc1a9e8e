# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`.
.PHONY: all deps build run test fuzz bench format clean install package report-largest mutate

# ccache reuses compilations across clones and build folders: paths below this folder are taken
# as relative, and the working folder is not part of a debug build's key.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

all: build

deps:
	scripts/install-deps

build: deps
	cmake --preset debug
	cmake --build --preset debug

# Starts the journal program; without a display, writes the sample journal's report instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then build/debug/bin/pavex; \
	else echo "No display found: writing the sample journal's report instead."; \
	build/debug/bin/pavex --export-report build/debug/bin/samples/sample-journal.kva build/debug/sample-journal-report.pdf; fi

test: build
	ctest --preset debug
	$(MAKE) --no-print-directory fuzz-smoke

# Builds the fuzz targets with clang and runs each for a short, bounded time.
fuzz-smoke: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# Longer fuzzing sessions, each target for FUZZ_SECONDS, FUZZ_JOBS side by side:
# make fuzz FUZZ_SECONDS=600 [FUZZ_JOBS=2]
FUZZ_SECONDS ?= 120
FUZZ_JOBS ?= 1
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	FUZZ_JOBS=$(FUZZ_JOBS) scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

# The feedback report of the largest journal the format allows, read back and timed.
report-largest: build
	python3 tests/tools/test_report.py build/debug/bin/kvtool build/debug/bin/samples/sample-journal.kva LargestJournal

# Makes simple faults in the core libraries one at a time and checks that the tests catch them, in a
# copy of the last commit under build/mutate/: make mutate MUTATE_ARGS="--sample 40 --seed 3"
MUTATE_ARGS ?=
mutate: deps
	nice -n 19 scripts/mutate $(MUTATE_ARGS)

bench: deps
	cmake --preset release
	cmake --build --preset release
	build/release/bin/bench_model
	build/release/bin/bench_history
	build/release/bin/bench_analysis
	build/release/bin/bench_pages
	KVMAIL_CGI_TMP_ROOT=/dev/shm scripts/kvmail-with-servers bench/kvmail/run_kvmail_bench.py build/release/bin 300

# Installs a release build: make install [PREFIX=/usr/local] [DESTDIR=/tmp/stage]
PREFIX ?= /usr/local
install: deps
	cmake --preset package -B build/install -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build build/install
	DESTDIR=$(DESTDIR) cmake --install build/install

# The Debian package (build/package/reflectory_*.deb), checked without installing it.
package: deps
	cmake --preset package
	cmake --build --preset package
	cd build/package && cpack
	packaging/check-package build/package/reflectory_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
