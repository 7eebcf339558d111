# The two set-up commands: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build run test clean sanitize fuzz

SANITIZE_BUILD ?= build-asan

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

# The whole test suite again under AddressSanitizer and UBSan.
sanitize: setup
	bash tests/sanitize/run.sh $(SANITIZE_BUILD) $(JOBS)

# Both libFuzzer targets, built with clang, for a bounded time each.
fuzz: setup
	bash tests/fuzz/run.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz
