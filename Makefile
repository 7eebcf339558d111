# The two set-up commands: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build run test clean sanitize fuzz

all: build

setup:
	@sh tools/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quotello

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UBSan: any report ends the
# program that makes it, which fails its test.
sanitize: setup
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The answer reader under libFuzzer, built with clang, for FUZZ_SECONDS; an
# input that fails is kept in build-fuzz/artifacts/.
FUZZ_SECONDS ?= 60
fuzz: setup
	CC=clang-14 CXX=clang++-14 cmake -S tests/fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/artifacts
	build-fuzz/fuzz_answer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus tests/fuzz/corpus/answer </dev/null

clean:
	rm -rf $(BUILD) build-asan build-fuzz
