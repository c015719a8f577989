# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test headless
# make package  builds the Debian packages taviq-game and taviq-game-dbgsym
#               with dpkg-buildpackage and moves them, with the .buildinfo and
#               .changes, from the parent folder, where it writes them, to build/
# The builds follow the presets of CMakePresets.json: dev (build/), sanitize
# (build-sanitize/), fuzz (build-fuzz/) and release (build-release/).
BUILD_DIR := build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test test-sanitize package release bench bench-quick fuzz clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake --preset dev

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build --preset dev -j $(JOBS)

run: build
	$(BUILD_DIR)/taviq-game

test: build
	ctest --preset dev -j $(JOBS)

# --post-clean leaves this folder as it was (debian/rules clean removes
# obj-<triplet>/ and what debhelper made under debian/).
CHANGES = taviq-game_$(shell dpkg-parsechangelog -S Version)_$(shell dpkg-architecture -qDEB_HOST_ARCH).changes
package: deps
	mkdir -p $(BUILD_DIR)
	dpkg-buildpackage -b -us -uc --post-clean -j$(JOBS) --changes-file=$(BUILD_DIR)/$(CHANGES)
	awk '/^Files:/ {files = 1; next} /^[^ ]/ {files = 0} files {print "../" $$NF}' $(BUILD_DIR)/$(CHANGES) \
		| xargs mv -t $(BUILD_DIR)

# The program alone, optimised, without tests: build-release/taviq-game.
release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

clean:
	rm -rf build build-sanitize build-fuzz build-release

# Start-up time, memory and idle CPU against a bare Qt window, then clock
# accuracy (about 20 minutes; bench-quick makes fewer and shorter runs).
bench: build
	bench/run-benchmarks.sh $(BUILD_DIR)

bench-quick: build
	bench/run-benchmarks.sh --quick $(BUILD_DIR)

# libFuzzer targets, each for a fixed number of inputs.
fuzz: deps
	scripts/fuzz.sh
