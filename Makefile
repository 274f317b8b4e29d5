# Vesmor: `make run` plays, `make test` checks. Both install what is missing.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps bench test-sanitize clean

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
	@cmake --build $(BUILD)-release -j$(JOBS) --target bench_frame bench_window
	@scripts/bench $(BUILD)-release

test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DVESMOR_SANITIZE=ON -DVESMOR_BENCH=OFF >/dev/null
	@cmake --build $(BUILD)-sanitize -j$(JOBS)
	@cd $(BUILD)-sanitize && ctest -j$(JOBS) --output-on-failure

clean:
	rm -rf $(BUILD) $(BUILD)-release $(BUILD)-sanitize
