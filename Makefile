# The two commands of the README: `make run` and `make test`.
.PHONY: all deps build run test fuzz bench format clean

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

# Longer fuzzing sessions: make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 120
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzzers build/fuzz $(FUZZ_SECONDS)

bench: deps
	cmake --preset release
	cmake --build --preset release
	build/release/bin/bench_model
	build/release/bin/bench_analysis
	build/release/bin/bench_pages
	KVMAIL_CGI_TMP_ROOT=/dev/shm scripts/kvmail-with-servers bench/kvmail/run_kvmail_bench.py build/release/bin 300

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
