# Vesmor: `make run` plays, `make test` checks. Both install what is missing.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps bench test-sanitize fuzz clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@$(BUILD)/ui/vesmor

test: build
	@cd $(BUILD) && ctest -j$(JOBS) --output-on-failure

bench: deps
	@cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)-release -j$(JOBS) --target bench_frame bench_window >/dev/null
	@scripts/bench $(BUILD)-release

test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DVESMOR_SANITIZE=ON -DVESMOR_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-sanitize -j$(JOBS)
	@cd $(BUILD)-sanitize && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		UBSAN_OPTIONS=print_stacktrace=1 ctest -j$(JOBS) --output-on-failure

FUZZ_SECONDS ?= 120
fuzz: deps
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESMOR_FUZZ=ON -DVESMOR_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-fuzz -j$(JOBS) --target fuzz_script
	@mkdir -p $(BUILD)-fuzz/corpus && cp -n tests/fuzz/corpus/* $(BUILD)-fuzz/corpus/
	@$(BUILD)-fuzz/tests/fuzz/fuzz_script -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=512 \
		-print_final_stats=1 $(BUILD)-fuzz/corpus

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-sanitize $(BUILD)-fuzz
