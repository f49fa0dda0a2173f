# SPDX-License-Identifier: GPL-3.0-or-later
# ORVANE: the two commands a new machine needs are `make run` and `make test`.
BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
# Most of the suite's time is spent waiting out a silent controller's real timeouts, with the
# processors idle (a quarter busy at one test per core), so tests run two per core.
TEST_JOBS  ?= $(shell echo $$(( $(JOBS) * 2 )))
CMAKE_ARGS ?=

.PHONY: all deps build run test bench sanitize fuzz clean install package package-check screenshots difftest soak soak-asan

all: build

deps:
	@sh scripts/install-deps.sh

# Ninja for a new build folder; one made before keeps the generator it was made with.
generator = $(if $(wildcard $(1)/CMakeCache.txt),,-G Ninja)

# A unity build compiles each target's sources in batches, and precompiled Qt and GoogleTest
# headers are parsed once per kind of target, not once per batch: a fresh build takes less than
# half the time. Ninja keeps both cores busy where make waits for a whole library before its users
# start. A developer's own build directory may leave these off for quicker rebuilds of one file.
$(BUILD)/CMakeCache.txt: | deps
	cmake $(call generator,$(BUILD)) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_UNITY_BUILD=ON -DORVANE_PCH=ON $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@sh scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	@sh scripts/bench.sh $(BUILD)-bench

# The core, the virtual controller and the end-to-end runs of orvane-sim and orvane-cli (where
# the pseudo-terminal and signal code lives) under address and undefined-behaviour sanitizers.
sanitize: deps
	cmake $(call generator,$(BUILD)-asan) -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_UNITY_BUILD=ON -DORVANE_SANITIZE=ON -DORVANE_BUILD_APP=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS) -L 'core|sim|e2e'

# Installs the programs, data, menu entry, MIME type and icon under PREFIX (default /usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A .deb of the programs with their run-time dependencies, in $(BUILD)/. Its maintainer is
# ORVANE_MAINTAINER="Name <address>" from the environment, when set.
package: build
	rm -f $(BUILD)/orvane_*.deb
	cd $(BUILD) && cpack -G DEB

# The .deb as Debian's checker sees it: no error and no warning beyond the overridden ones.
package-check: package
	lintian --fail-on error,warning --info $(BUILD)/orvane_*.deb

# Renders the windows into docs/screenshots/ under the offscreen platform.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/orvane-screenshots --sim $(BUILD)/bin/orvane-sim \
	  --examples data/examples --out docs/screenshots

# Random scripts run by both engines; the suite runs 300 with seed 14. Long runs:
#   make difftest SEED=7 COUNT=20000
SEED  ?= 14
COUNT ?= 300
difftest: build
	cd $(BUILD) && DIFFTEST_SEED=$(SEED) DIFFTEST_COUNT=$(COUNT) ctest --output-on-failure -j $(JOBS) --timeout 86400 -R 'Differential'

# The libFuzzer targets of fuzz/ (clang, address and undefined-behaviour sanitizers), each run
# FUZZ_SECONDS from the seeds of data/, the tests and fuzz/seeds; a finding fails the target.
FUZZ_SECONDS ?= 30
fuzz: deps
	cmake $(call generator,$(BUILD)-fuzz) -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_UNITY_BUILD=ON -DORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_ARGS)
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	@sh scripts/fuzz.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# The window under seeded random input against orvane-sim with faults (`make test` runs it for
# 30 seconds with seed 20). Long runs: make soak SECONDS=1800 SEED=7
SECONDS ?= 600
SOAK_DISPLAY = QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen}
soak: build
	$(SOAK_DISPLAY) $(BUILD)/bin/orvane-soak --seconds $(SECONDS) --seed $(SEED)

# The soak once under the address and undefined-behaviour sanitizers, in the sanitizers' build
# folder (only the soak and the simulator are built there beyond the core).
SOAK_ASAN_SECONDS ?= 60
soak-asan: deps
	cmake $(call generator,$(BUILD)-asan) -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_UNITY_BUILD=ON -DORVANE_SANITIZE=ON -DORVANE_BUILD_APP=ON $(CMAKE_ARGS)
	cmake --build $(BUILD)-asan -j $(JOBS) --target orvane-soak orvane-sim
	$(SOAK_DISPLAY) ASAN_OPTIONS=detect_leaks=0 $(BUILD)-asan/bin/orvane-soak --seconds $(SOAK_ASAN_SECONDS) \
	  --seed $(SEED) --stall-ms 3000

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-fuzz
