# Build, run and test the tool. Every target installs what is missing first.
SHELL := /bin/bash
ROOT := $(CURDIR)
BUILD := $(ROOT)/build
PREFIX := $(BUILD)/wineprefix
JOBS ?= $(shell nproc)

.PHONY: all deps build native prefix run test test-native test-windows soak bench dist fuzz mutate mutate-win screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/mingw/build.ninja:
	cmake -S . -B $(BUILD)/mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-toolchain.cmake

$(BUILD)/native/build.ninja:
	cmake -S . -B $(BUILD)/native -G Ninja

build: deps $(BUILD)/mingw/build.ninja
	cmake --build $(BUILD)/mingw -j $(JOBS)
	@echo "built $(BUILD)/mingw/plimsar.exe"

native: deps $(BUILD)/native/build.ninja
	cmake --build $(BUILD)/native -j $(JOBS)

prefix: deps
	@bash scripts/wine-prefix.sh $(PREFIX)

run: build prefix
	@bash scripts/run-demo.sh

test-native: native
	cd $(BUILD)/native && ctest --output-on-failure

test-windows: build prefix
	@bash scripts/test-windows.sh

test: test-native test-windows

# The runner's soak test at full length (make test runs a short one).
soak: build prefix
	@. scripts/wine-env.sh "" && cd $(BUILD)/mingw && PLIMSAR_SOAK_RUNS=20 \
	  xvfb-run -a -s "-screen 0 1024x768x24" wine win_runner.exe --gtest_filter='*Soak*'

dist: build
	@bash scripts/dist.sh

screenshots: build prefix
	@bash scripts/screenshots.sh

fuzz: deps
	@bash scripts/fuzz.sh 300

mutate: deps
	@python3 scripts/mutate.py

# The Win32 files' mutants against the Windows suites; SAMPLE=N runs fewer. Takes about half an hour.
mutate-win: deps
	@python3 scripts/mutate-win.py $(if $(SAMPLE),--sample $(SAMPLE))

bench: build prefix
	@bash scripts/bench.sh

clean:
	rm -rf $(BUILD) dist
