# The two set-up commands: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build run test deb clean sanitize fuzz

SANITIZE_BUILD ?= build-asan

all: build

setup:
	@sh tools/setup.sh

# Built with Debian's hardening flags (read when building, as setup may have
# just installed dpkg-buildflags): the build the tests check is the one that
# `make deb` packages.
build: setup
	flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$$1" 2>/dev/null; }; \
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_FLAGS="$$(flags CXXFLAGS) $$(flags CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(flags LDFLAGS)"
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quotello

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# quotello_<version>_<arch>.deb in this folder, packed by CPack from the build
# above, then checked by lintian.
deb: build
	rm -rf $(BUILD)/package
	cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/package
	deb=$$(basename $(BUILD)/package/quotello_*.deb) && mv $(BUILD)/package/$$deb . && \
	    lintian --fail-on error,warning -EIL +pedantic $$deb

# The whole test suite again under AddressSanitizer and UBSan.
sanitize: setup
	bash tests/sanitize/run.sh $(SANITIZE_BUILD) $(JOBS)

# Both libFuzzer targets, built with clang, for a bounded time each.
fuzz: setup
	bash tests/fuzz/run.sh

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz quotello_*.deb
