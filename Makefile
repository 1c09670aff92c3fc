# Qoru: the two set-up commands are `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)

FUZZ_SECONDS ?= 60
FUZZ_TARGETS := numberrule gbkcodec reportnum mix1 mix2 stddev evaluation adjust ordinary

PREFIX ?= /usr/local

# ccache, where it is installed, makes rebuilds of other trees and lanes cheap;
# paths relative to the tree let a fresh clone reuse what another clone built.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: readme-snapshots install all deps configure build run test test-core test-sanitize windows-build test-windows dist-windows fuzz snapshots bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER) >/dev/null

configure: deps $(BUILD)/build.ninja

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/qoru

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The core, qoru-calc, the core tests and benchmarks alone, without Qt: the
# layer must build where no Qt is at hand.
test-core: deps
	@cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER) -DQORU_GUI=OFF >/dev/null
	@cmake --build build-core -j $(JOBS)
	cd build-core && ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) \
		-DQORU_SANITIZE=ON -DQORU_BENCH=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) -LE load

# The Windows lane: the core, its tests, the Windows file layer and qoru-calc.exe
# cross-compiled with MinGW-w64 and run under Wine, in a Wine prefix of its own.
WINBUILD := build-windows
WINE_ENV := WINEPREFIX=$(CURDIR)/$(WINBUILD)/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'

windows-build: deps
	@scripts/install-deps --windows
	@cmake -S . -B $(WINBUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(LAUNCHER) \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DQORU_GUI=OFF -DQORU_BENCH=OFF \
		-DQORU_HOST_BUILD=$(CURDIR)/$(BUILD) >/dev/null
	@cmake --build $(WINBUILD) -j $(JOBS)

# The end-to-end tests of qoru-calc.exe are the Linux test programs run against
# it, beside the Linux qoru-calc whose reports it must match.
test-windows: windows-build configure
	@cmake --build $(BUILD) -j $(JOBS) --target qoru-calc test_qorucalc test_qorucalc_misuse \
		test_qorucalc_evaluate test_qorucalc_adjust
	@$(WINE_ENV) scripts/wine-session start
	@cd $(WINBUILD) && { $(WINE_ENV) ctest --output-on-failure --timeout 600 -j $(JOBS); echo $$? > ctest.rc; } | tee ctest.log; \
	$(WINE_ENV) ../scripts/wine-session stop; \
	echo "Under Wine: $$(grep -Eo 'out of [0-9]+' ctest.log | grep -Eo '[0-9]+') test programs," \
		"$$(grep -Eo '^\[==========\] [0-9]+ tests? from' Testing/Temporary/LastTest.log | \
		awk '{n += $$2} END {print n + 0}') GoogleTest tests in them"; \
	exit $$(cat ctest.rc)

# qoru-calc.exe and the help page, ready to copy to a Windows machine.
dist-windows: windows-build
	@rm -rf $(WINBUILD)/dist && mkdir -p $(WINBUILD)/dist
	@cp src/gui/res/qohelp.htm $(WINBUILD)/dist/
	@x86_64-w64-mingw32-strip -o $(WINBUILD)/dist/qoru-calc.exe $(WINBUILD)/bin/qoru-calc.exe
	@ls -l $(WINBUILD)/dist

# Runs each fuzz target for FUZZ_SECONDS and keeps what it found that
# reaches new code in tests/core/fuzz/corpus/.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DQORU_GUI=OFF -DQORU_BENCH=OFF -DQORU_FUZZ=ON -DQORU_SANITIZE=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
		work=build-fuzz/work/$$t; rm -rf $$work; mkdir -p $$work; \
		echo "fuzzing $$t for $(FUZZ_SECONDS) s"; \
		build-fuzz/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=build-fuzz/ $$work tests/core/fuzz/corpus/$$t > $$work.log 2>&1; \
		status=$$?; grep -E "^(Done|stat::number_of_executed_units|SUMMARY)" $$work.log; \
		[ $$status -eq 0 ] || { tail -n 40 $$work.log; exit 1; }; \
		build-fuzz/bin/fuzz_$$t -merge=1 tests/core/fuzz/corpus/$$t $$work >/dev/null 2>&1 || exit 1; \
	done

snapshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/qoru-snapshots $(BUILD)/snapshots

# The pictures the README shows, taken from the current build.
README_SHOTS := mix1-report mix1-calculated mix2-calculated stddev-25rows preview-page1 \
	evaluate-failed adjust-corrected ordinary-calculated
readme-snapshots: snapshots
	@mkdir -p docs/snapshots
	@for s in $(README_SHOTS); do cp $(BUILD)/snapshots/$$s.png docs/snapshots/; done

bench: build
	$(BUILD)/bin/qoru-bench --benchmark_out=$(BUILD)/bench.json --benchmark_out_format=json
	@python3 scripts/bench-table.py $(BUILD)/bench.json

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) build-core build-sanitize build-fuzz $(WINBUILD)
