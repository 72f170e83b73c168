# Thin wrapper over the CMake presets. `make run` starts the calendar, `make test` runs every test.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: setup configure build run test bench fuzz format tidy clean

setup:
	@sh scripts/setup.sh

configure: setup
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@if [ -x $(BUILD_DIR)/bin/Zelvar ]; then exec $(BUILD_DIR)/bin/Zelvar; \
	else exec $(BUILD_DIR)/bin/korin holidays $$(date +%Y); fi

test: build
	@ctest --preset $(PRESET)

bench: build
	@sh bench/run.sh $(BUILD_DIR)

fuzz: setup
	@cmake --preset fuzz >/dev/null && cmake --build --preset fuzz

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: configure
	@git ls-files '*.cpp' | grep -v '^fuzz/' | xargs clang-tidy -p $(BUILD_DIR) --quiet

clean:
	@rm -rf build
