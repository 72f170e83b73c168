# Thin wrapper over the CMake presets. `make run` starts the calendar, `make test` runs every test:
# the default build's tests, the same tests under the address and undefined-behaviour sanitizers
# (preset `debug`), each fuzz target for a bounded minute, and the Windows round (preset
# `windows`: cross-built with mingw-w64, run under Wine).
PRESET ?= default
BUILD_DIR := build/$(PRESET)
# Where `make install` puts the programs (a folder the user can write: the programs keep their
# files beside themselves), and how long `make fuzz-ci` runs each fuzz target.
PREFIX ?= $(HOME)/.local/opt/zelvar
FUZZ_SECONDS ?= 60

.PHONY: setup configure build run test check lint format-check test-sanitizers bench fuzz fuzz-ci \
	install uninstall package format tidy clean windows test-windows

setup:
	@sh scripts/setup.sh

configure: setup
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@if [ -x $(BUILD_DIR)/bin/Zelvar ]; then exec $(BUILD_DIR)/bin/Zelvar; \
	else exec $(BUILD_DIR)/bin/korin holidays $$(date +%Y); fi

# Every test, after the format and static checks. With another PRESET only that preset's tests run.
test: lint check
ifeq ($(PRESET),default)
	@$(MAKE) --no-print-directory test-sanitizers
	@$(MAKE) --no-print-directory fuzz-ci
	@$(MAKE) --no-print-directory test-windows
endif

# The tests of one preset only (the quick round while working).
check: build
	@ctest --preset $(PRESET)

test-sanitizers: setup
	@cmake --preset debug >/dev/null
	@cmake --build --preset debug
	@ctest --preset debug

# Windows x86-64: the programs, the engine, korin and the tests, cross-built with mingw-w64 against
# the Qt for MinGW of scripts/qt-mingw.sh; then build/windows/dist/ and the zip a Windows user
# downloads, build/windows/Zelvar-<version>-win64.zip.
windows: setup
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The Windows tests under Wine, in a Wine prefix made fresh for the round. Some compare the
# Windows programs' output with the default (Linux) build's, which is built first.
WINE_PREFIX := $(CURDIR)/build/windows/wineprefix
test-windows: windows
	@$(MAKE) --no-print-directory PRESET=default build
	@rm -rf $(WINE_PREFIX) $(WINE_PREFIX).lock
	@build/windows/wine-run.sh cmd /c exit
	@status=0; ctest --preset windows || status=$$?; \
		WINEPREFIX=$(WINE_PREFIX) wineserver -k 2>/dev/null; exit $$status

bench: build
	@sh bench/run.sh $(BUILD_DIR)

fuzz: setup
	@cmake --preset fuzz >/dev/null && cmake --build --preset fuzz

fuzz-ci: fuzz
	@sh scripts/fuzz-ci.sh build/fuzz $(FUZZ_SECONDS)

install: build
	@cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package build/default/zelvar_<version>_<architecture>.deb, checked with lintian when
# it is installed.
package: build
	@cmake --build --preset $(PRESET) --target package
	@deb=$$(ls -t $(BUILD_DIR)/zelvar_*.deb | head -n 1); echo "package: $$deb"; \
	if command -v lintian >/dev/null; then lintian --fail-on error "$$deb"; fi

# Keeps the settings file Zelvar.ini and edited definition files unless PURGE=1.
uninstall:
	@if [ -f "$(PREFIX)/uninstall.sh" ]; then \
		sh "$(PREFIX)/uninstall.sh" $(if $(filter 1 yes true,$(PURGE)),--purge); \
	else echo "make uninstall: nothing is installed in $(PREFIX)" >&2; exit 1; fi

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# The checks `make test` runs first: every C++ file formatted as .clang-format says, and every
# layer's sources clean under .clang-tidy (any finding fails). The tidy round parses Qt's headers
# for each window file: about 4 minutes on two cores.
lint: format-check tidy

format-check:
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

TIDY_SOURCES = $(shell git ls-files 'date/*.cpp' 'koyomi/*.cpp' 'platform/*.cpp' 'widgets/*.cpp' 'dialogs/*.cpp' \
	'calendar/*.cpp' 'editor/*.cpp' 'cli/*.cpp')

# Only the sources this system compiles (the Windows code page converter is built on Windows only).
tidy: build
	@sed -n 's|^ *"file": "$(CURDIR)/\(.*\)",\{0,1\}$$|\1|p' $(BUILD_DIR)/compile_commands.json \
		> $(BUILD_DIR)/compiled-sources.txt
	@printf '%s\n' $(TIDY_SOURCES) | grep -F -x -f $(BUILD_DIR)/compiled-sources.txt \
		| xargs -P 2 -n 4 clang-tidy -p $(BUILD_DIR) --quiet --warnings-as-errors='*' 2>/dev/null

clean:
	@rm -rf build
