# Thin front over CMake/CTest. `make demo` and `make test` do all the set-up.
SANITIZE ?= 0
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD := build-asan
CMAKE_FLAGS := -DTVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps configure build test demo package fuzz bench clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

package: build
	@cmake --build $(BUILD) --target package_dir -j $(JOBS)

test: package
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

demo: package
	@sh scripts/demo.sh $(BUILD)

# libFuzzer binaries, built with clang into build-fuzz/bin.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTVA_FUZZ=ON -DTVA_TESTS=OFF \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

bench: package
	@sh scripts/bench.sh $(BUILD)

clean:
	rm -rf build build-asan build-fuzz
