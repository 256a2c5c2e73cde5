# Cartulan: `make` builds both trees, `make run` starts the program under Wine,
# `make test` runs every test (native and Wine). See README.md.

BUILD    := build
JOBS     ?= $(shell nproc)
CMAKE_GEN = $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps native win32 fuzz-tree run test test-native test-win32 bench fuzz clean

all: native win32

deps:
	@scripts/install-deps

$(BUILD)/native/CMakeCache.txt:
	cmake -S . -B $(BUILD)/native $(CMAKE_GEN)

$(BUILD)/win32/CMakeCache.txt:
	cmake -S . -B $(BUILD)/win32 $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

native: $(BUILD)/native/CMakeCache.txt
	cmake --build $(BUILD)/native -j $(JOBS)

win32: $(BUILD)/win32/CMakeCache.txt
	cmake --build $(BUILD)/win32 -j $(JOBS)

$(BUILD)/fuzz/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz $(CMAKE_GEN) -DCARTULAN_FUZZ=ON \
	    -DCARTULAN_TESTS=OFF -DCARTULAN_SANITIZE=OFF

fuzz-tree: $(BUILD)/fuzz/CMakeCache.txt
	cmake --build $(BUILD)/fuzz -j $(JOBS)

$(BUILD)/bench/CMakeCache.txt:
	cmake -S . -B $(BUILD)/bench $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCARTULAN_BENCH=ON \
	    -DCARTULAN_TESTS=OFF -DCARTULAN_SANITIZE=OFF

# Speed and memory figures: Google Benchmark suites and whole-run timing scripts (those of
# the program run it under Wine, so the win32 tree is built too).
bench: deps $(BUILD)/bench/CMakeCache.txt win32
	cmake --build $(BUILD)/bench -j $(JOBS)
	scripts/run-benchmarks $(BUILD)/bench

# Every fuzz target for FUZZ_SECONDS each.
FUZZ_SECONDS ?= 120
fuzz: deps fuzz-tree
	scripts/run-fuzzers $(BUILD)/fuzz $(FUZZ_SECONDS)

# One CTest run covers both trees, so the Wine bench fixture wraps every Wine test once.
$(BUILD)/CTestTestfile.cmake:
	@mkdir -p $(BUILD)
	@echo 'subdirs("native" "fuzz" "win32")' > $@

run: deps all
	@scripts/run-cartulan

test: deps all fuzz-tree $(BUILD)/CTestTestfile.cmake
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-native: deps native
	cd $(BUILD)/native && ctest --output-on-failure -j $(JOBS)

test-win32: deps win32
	cd $(BUILD)/win32 && ctest --output-on-failure

clean:
	-scripts/wine-bench stop
	rm -rf $(BUILD)
