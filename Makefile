# SPDX-FileCopyrightText: 2026 The Quotello developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The two set-up commands: `make run` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all setup build run test deb clean sanitize fuzz windows windows-test

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
	rm -rf $(BUILD) build-asan build-fuzz quotello_*.deb

# For 64-bit Windows, cross-built with MinGW-w64 and Qt built once from
# Debian's source: quotello-<version>-windows-x64.zip and
# quotello-<version>-setup.exe in this folder.
windows:
	tools/windows/make-windows.sh

# The same, then the QtTest suites under Wine, and the installer and the
# installed game played under Wine in an X server.
windows-test:
	tools/windows/make-windows.sh --test
