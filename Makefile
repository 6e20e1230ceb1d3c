# QxEditor: `make run` builds and starts the editor, `make test` builds and runs every test.
# Both install what is missing first (scripts/install-deps.sh).

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE_DIR ?= build/release
TEST_DIR ?= build/test
BENCH_DIR ?= build/bench
FUZZ_DIR ?= build/fuzz
FILES ?=

CMAKE_COMMON = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: run test bench fuzz deps build-release build-test clean

deps:
	@scripts/install-deps.sh

build-release: deps
	@cmake -S . -B $(RELEASE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DQX_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build-release
	$(RELEASE_DIR)/bin/QxEditor $(FILES)

build-test: deps
	@cmake -S . -B $(TEST_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)

test: build-test
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps.sh bench
	@cmake -S . -B $(BENCH_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Release -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	bench/run-all.sh $(BENCH_DIR)

# libFuzzer targets of the character-code converters, built with clang; FUZZ_TIME seconds per target.
FUZZ_TIME ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DQX_FUZZ=ON -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer" >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target qx_fuzz_targets
	tests/fuzz/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_TIME)

clean:
	rm -rf build
