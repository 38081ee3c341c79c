# Quillet: `make run` builds and starts the program on the demo catalogue;
# `make check` builds and runs every test. Both install what is missing.
SHELL := /bin/bash
BUILD ?= build
BUILD_DIR := $(abspath $(BUILD))
NATIVE := $(BUILD_DIR)/native
SANITIZE := $(BUILD_DIR)/sanitize
WIN := $(BUILD_DIR)/win
JOBS ?= $(shell nproc)
ENV := export BUILD_DIR=$(BUILD_DIR) && . tools/env.sh

.PHONY: all deps build native sanitize win prefix run check fuzz bench screens clean

all: build

deps:
	@tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

sanitize: deps
	@cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	  -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON >/dev/null
	@cmake --build $(SANITIZE) -j$(JOBS)

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DQUILLET_NATIVE_BUILD=$(NATIVE) -DQUILLET_SANITIZE_BUILD=$(SANITIZE) >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

build: native sanitize win

prefix: win
	@tools/prepare-prefix.sh $(BUILD_DIR)

run: prefix
	@$(ENV) && tools/run.sh

check: build prefix
	@$(ENV) && tools/with-display.sh ctest --test-dir $(WIN) --output-on-failure -j2

fuzz: sanitize
	@tools/fuzz.sh $(SANITIZE) $${FUZZ_SECONDS:-300}

bench: native win prefix
	@$(ENV) && tools/with-display.sh tools/bench.sh $(BUILD_DIR)

screens: prefix
	@$(ENV) && tools/with-display.sh tools/screens.sh

clean:
	@if [ -d $(BUILD_DIR)/wineprefix ]; then $(ENV) && wineserver -k 2>/dev/null || true; fi
	rm -rf $(BUILD_DIR)
