# Quillet: `make run` builds and starts the program on the demo catalogue;
# `make check` builds and runs every test. Both install what is missing.
#
# Two Windows editions come from the same sources: build/win32 (i686, the
# product) and build/win64 (x86_64). Both are always built; the tests run
# under each Wine the host can execute (tools/host-archs.sh): wine32 and
# wine64 where the kernel runs i386 code, wine64 alone elsewhere.
# WINE_ARCHS=64 forces the 64-bit-only path on any host.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
BUILD ?= build
BUILD_DIR := $(abspath $(BUILD))
NATIVE := $(BUILD_DIR)/native
SANITIZE := $(BUILD_DIR)/sanitize
JOBS ?= $(shell nproc)
WINE_ARCHS ?=
export WINE_ARCHS
# The edition of make bench and make screens (default: the first one tested).
QUILLET_ARCH ?=
export QUILLET_ARCH
# The editions this host tests, e.g. "32 64"; empty when it can run neither
# (host-archs.sh then says what is missing).
ARCHS := $(shell WINE_ARCHS="$(WINE_ARCHS)" tools/host-archs.sh 2>/dev/null)
# The edition `make run` starts: the 32-bit product where it runs.
RUN_ARCH := $(firstword $(ARCHS))
# The native runs, fuzz runs and rig checks join the summary of one edition.
HOST_TESTS_ARCH := $(lastword $(ARCHS))
ENV = export BUILD_DIR=$(BUILD_DIR) QUILLET_TEST_ARCHS="$(ARCHS)" && . tools/env.sh

.PHONY: all deps archs build native sanitize win win32 win64 dist installer prefix run check fuzz bench screens clean

all: build

deps:
	@tools/install-deps.sh

archs:
	@tools/host-archs.sh >/dev/null

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

sanitize: deps
	@cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	  -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON >/dev/null
	@cmake --build $(SANITIZE) -j$(JOBS)

# $(call win_build,BITS,TOOLCHAIN)
define win_build
	@cmake -S . -B $(BUILD_DIR)/win$(1) -DCMAKE_TOOLCHAIN_FILE=cmake/$(2).cmake -DCMAKE_BUILD_TYPE=Release \
	  $(if $(filter $(1),$(HOST_TESTS_ARCH)),-DQUILLET_NATIVE_BUILD=$(NATIVE) -DQUILLET_SANITIZE_BUILD=$(SANITIZE) -DQUILLET_TEST_ARCHS="$(ARCHS)",-UQUILLET_NATIVE_BUILD -UQUILLET_SANITIZE_BUILD -UQUILLET_TEST_ARCHS) >/dev/null
	@cmake --build $(BUILD_DIR)/win$(1) -j$(JOBS)
endef

win32: deps
	$(call win_build,32,mingw-i686)

win64: deps
	$(call win_build,64,mingw-x86_64)

win: win32 win64

build: native sanitize win

dist: win
	@tools/dist.sh $(BUILD_DIR)

# One NSIS installer per edition, with the SQLite ODBC driver built from
# Debian's sources (fetched once into build/driver/src).
installer: dist
	@tools/build-installer.sh $(BUILD_DIR)

prefix: archs win
	@for arch in $(ARCHS); do tools/prepare-prefix.sh $(BUILD_DIR) $$arch; done

run: archs win
	@tools/prepare-prefix.sh $(BUILD_DIR) $(RUN_ARCH)
	@echo "Starting Quillet, the $(RUN_ARCH)-bit edition, under wine$(RUN_ARCH)."
	@$(ENV) $(RUN_ARCH) && QUILLET_TEST_ARCHS=$(RUN_ARCH) tools/run.sh

# One CTest run over the editions this host tests, so the output ends with
# one summary line.
check: build installer prefix
	@mkdir -p $(BUILD_DIR)/check
	@{ echo "# The editions this host tests: $(ARCHS)"; \
	  for arch in $(ARCHS); do echo "subdirs(\"$(BUILD_DIR)/win$$arch\")"; done; } > $(BUILD_DIR)/check/CTestTestfile.cmake
	@tools/host-archs.sh -v
	@$(ENV) && tools/with-display.sh ctest --test-dir $(BUILD_DIR)/check --output-on-failure -j2

fuzz: sanitize
	@tools/fuzz.sh $(SANITIZE) $${FUZZ_SECONDS:-300}

bench: native win prefix
	@$(ENV) && tools/with-display.sh tools/bench.sh $(BUILD_DIR)

screens: prefix
	@$(ENV) && tools/with-display.sh tools/screens.sh

clean:
	@for arch in 32 64; do \
	  if [ -d $(BUILD_DIR)/wineprefix$$arch ]; then (BUILD_DIR=$(BUILD_DIR) && . tools/env.sh $$arch && wineserver -k 2>/dev/null || true); fi; \
	done
	rm -rf $(BUILD_DIR) dist
