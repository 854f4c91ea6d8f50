# `make run` and `make test` are all a new machine needs: each installs what
# is missing, configures, builds and then starts the game or runs the tests.
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/zorbel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for program in $(BUILD)/bench/*; do \
	  [ -x "$$program" ] || continue; \
	  echo "== $$(basename $$program)"; \
	  "$$program" || exit 1; \
	done

clean:
	rm -rf $(BUILD)
