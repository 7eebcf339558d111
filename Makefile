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

# The whole test suite again, built with AddressSanitizer and UBSan. Every
# report, from a test or from any program a test starts, fails the run; only
# the system libraries named in tests/lsan.supp may leak.
sanitize: setup
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUOTELLO_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@reports=$(abspath $(SANITIZE_BUILD))/sanitizer-reports; \
	rm -rf "$$reports" && mkdir -m 1777 "$$reports" || exit 1; \
	status=0; \
	( cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:log_path=$$reports/asan \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:log_path=$$reports/ubsan \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS) ) || status=$$?; \
	for f in "$$reports"/*; do [ -e "$$f" ] && { echo "==== $$f"; cat "$$f"; }; done; \
	if grep -l -E 'ERROR: |runtime error:' "$$reports"/* 2>/dev/null; then \
	    echo "sanitize: the sanitizers reported the errors above" >&2; exit 1; \
	fi; \
	exit $$status

# Both libFuzzer targets, built with clang, for a bounded time each.
fuzz: setup
	bash tests/fuzz/run.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz
