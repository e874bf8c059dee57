# The two set-up commands: `make run` and `make test`.
# Both install missing Debian packages, configure and build; then run the
# main job on examples/library, or the whole test suite.
PRESET ?= default
BUILD  := $(if $(filter default,$(PRESET)),build,build-$(PRESET))
JOBS   ?= $(shell nproc)

.PHONY: all deps configure build run test asan bench fuzz format clean

all: build

deps:
	@bash scripts/deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run-examples.sh $(BUILD)

test: build
	@ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

asan:
	@$(MAKE) --no-print-directory test PRESET=asan

bench: build
	@bash scripts/run-bench.sh $(BUILD)

# Every fuzz target for FUZZ_SECONDS (default 60) each; fails on any finding.
fuzz: deps
	@bash scripts/fuzz.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-fuzz
