# Vesmor: `make run` plays, `make test` checks, `make package` builds the
# Debian package. Each installs the Debian packages it needs that are missing.
BUILD ?= build
JOBS ?= $(shell nproc)
CACHE = $(BUILD)/CMakeCache.txt

.PHONY: run test build package screenshot pictures bench test-sanitize fuzz clean web web-run

# One build folder serves playing, testing and packaging. It is configured
# once, without the tests for a player; `make test` turns them on for good,
# so switching between `make run` and `make test` never configures again
# (CMake itself re-runs when a CMakeLists.txt changes). Ninja, because it
# finds nothing to do in a few milliseconds.
CONFIGURE = cmake -S . -B $(BUILD) $$(test -f $(CACHE) || echo -G Ninja) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) >/dev/null
CONFIGURED = test -f $(CACHE) || { echo "Configuring and building Vesmor in $(BUILD)/ (about a minute, the first time)"; $(CONFIGURE) -DBUILD_TESTING=OFF; }
# Build output is shown only when the build fails.
QUIET = >$(abspath $(BUILD))/build.log 2>&1 || { cat $(abspath $(BUILD))/build.log; exit 1; }
# Continuous integration (CI=true) builds with warnings as errors.
WERROR = $(if $(filter true,$(CI)),-DVESMOR_WERROR=ON)

# Until the game has been built once, its build shows its progress (about
# a minute of it); after that only a failure is shown.
build:
	@scripts/install-deps play
	@$(CONFIGURED)
	@if test -x $(BUILD)/ui/vesmor; then cmake --build $(BUILD) --target vesmor -j$(JOBS) $(QUIET); \
	else cmake --build $(BUILD) --target vesmor -j$(JOBS); fi

run: build
	@$(BUILD)/ui/vesmor

test:
	@scripts/install-deps test
	@grep -qx 'BUILD_TESTING:BOOL=ON' $(CACHE) 2>/dev/null || $(CONFIGURE) -DBUILD_TESTING=ON
	@cmake --build $(BUILD) -j$(JOBS)
	@cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

# The game as a static web site in build-web/site/: the play layer compiled
# to WebAssembly by emscripten, laid out from the same tables as the window,
# with no Qt (the pictures come from web/pictures).
WEB ?= build-web
PORT ?= 8000

web:
	@scripts/install-deps web
	@JOBS=$(JOBS) scripts/build-web $(WEB) $(WERROR)
	@echo "$(WEB)/site/: $$(du -s --apparent-size -k $(WEB)/site | cut -f1) KiB"

# The site on this computer only, with the headers a host should send. A
# port that cannot be served is said before the build, in one line.
web-run: export PORT := $(PORT)
web-run:
	@/usr/bin/python3 web/serve.py --check
	@$(MAKE) --no-print-directory web
	@/usr/bin/python3 web/serve.py $(WEB)/site

# vesmor_<version>-<revision>_<arch>.deb in this folder, checked by lintian:
# cpack names it from the project's version and the changelog's revision.
package:
	@scripts/install-deps package
	@$(CONFIGURED)
	@cmake --build $(BUILD) -j$(JOBS) --target vesmor vesmor-installed-files $(QUIET)
	@rm -rf $(BUILD)/package && cd $(BUILD) && cpack -G DEB -B $(abspath $(BUILD))/package $(QUIET)
	@deb=$$(cd $(BUILD)/package && echo vesmor_*.deb) && cp $(BUILD)/package/$$deb . && \
	echo "$$deb: $$(du -k $$deb | cut -f1) KiB" && lintian --fail-on error,warning $$deb

# The README's picture of the game, drawn by the scenario driver.
screenshot:
	@scripts/install-deps play
	@$(CONFIGURED)
	@cmake --build $(BUILD) --target vesmor-script -j$(JOBS) $(QUIET)
	@QT_QPA_PLATFORM=offscreen $(BUILD)/tools/vesmor-script docs/screenshot.vms

# The web page's copy of the pictures (web/pictures), drawn again as the
# windows show them; test_pictures says when it is due.
pictures:
	@scripts/install-deps play
	@$(CONFIGURED)
	@cmake --build $(BUILD) --target vesmor-page-pictures -j$(JOBS) $(QUIET)

bench:
	@scripts/install-deps bench
	@cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVESMOR_BENCH=ON >/dev/null
	@cmake --build $(BUILD)-release -j$(JOBS) --target bench_frame bench_window reference_window >/dev/null
	@JOBS=$(JOBS) scripts/build-web $(BUILD)-release-web -DVESMOR_BENCH=ON
	@scripts/bench $(BUILD)-release

test-sanitize:
	@scripts/install-deps test
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DVESMOR_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)-sanitize -j$(JOBS)
	@cd $(BUILD)-sanitize && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1 ctest -j$(JOBS) --output-on-failure

FUZZ_SECONDS ?= 120
fuzz:
	@scripts/install-deps fuzz
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESMOR_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD)-fuzz -j$(JOBS) --target fuzz_script
	@mkdir -p $(BUILD)-fuzz/corpus && cp -n tests/tools/fuzz/corpus/* $(BUILD)-fuzz/corpus/
	@$(BUILD)-fuzz/tests/tools/fuzz/fuzz_script -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=512 \
		-print_final_stats=1 $(BUILD)-fuzz/corpus

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-release-web $(BUILD)-sanitize $(BUILD)-fuzz $(WEB) vesmor_*.deb
