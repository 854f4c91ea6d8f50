# `make run` and `make test` are all a new machine needs: each installs what
# is missing, configures, builds and then starts the game or runs the tests.
MAKEFLAGS += --no-print-directory
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# How long `make fuzz` runs each fuzz target; FUZZ_TARGET picks a single one.
FUZZ_SECONDS ?= 300
FUZZ_TARGET ?=

.PHONY: all deps configure build run test bench docs package screenshots clean fuzz-build fuzz test-asan format

all: build

deps:
	@scripts/install-deps

# Installed and packaged, the game lives where a Debian system keeps its own
# programs (/usr, libraries in the multiarch folder).
configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=/usr \
	  -DZORBEL_FUZZ_BINARY_DIR=$(abspath $(FUZZ_BUILD)) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/zorbel

# The fuzz targets run as tests too (20 s each on their seeds), so the fuzz
# tree is built before CTest starts.
test: build fuzz-build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# zorbel_<version>_<arch>.deb (the game with RavlenLib) and libravlen-dev
# in the build folder.
package: build
	@cd $(BUILD) && cpack

bench: build
	@for program in $(BUILD)/bench/*; do \
	  [ -x "$$program" ] || continue; \
	  echo "== $$(basename $$program)"; \
	  "$$program" || exit 1; \
	done

# RavlenLib's API reference, HTML from its public headers (Doxygen), in
# $(BUILD)/docs/ravlenlib/html/; any undocumented public member fails it.
docs: configure
	@cmake --build $(BUILD) --target docs

# The README's pictures in docs/, taken from the built program on an X
# server of its own.
screenshots: build
	@scripts/screenshots $(BUILD)

# libFuzzer targets in their own tree, built by clang with AddressSanitizer
# and UndefinedBehaviorSanitizer.
fuzz-build: deps
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)

# Each target for FUZZ_SECONDS, carrying on past failures; what a run finds
# stays in $(FUZZ_BUILD)/runs/<target>/ (corpus/ and crashes/).
fuzz: fuzz-build
	@cmake -DFUZZ_BUILD=$(abspath $(FUZZ_BUILD)) -DSECONDS=$(FUZZ_SECONDS) -DFUZZ_TARGET=$(FUZZ_TARGET) -DKEEP_GOING=ON \
	  -P tests/fuzz/run_fuzzer.cmake

# The whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer; every report fails its test.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# Formats our C++ sources in place (.clang-format); the `format` test checks
# the same files.
format: deps
	@scripts/check-format --fix

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(ASAN_BUILD)
