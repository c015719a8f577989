# make run   installs what is missing, builds and starts the game
# make test  installs what is missing, builds and runs every test headless
# make package  builds the Debian package taviq-game_<version>_<arch>.deb in the build folder
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test test-sanitize package bench bench-quick fuzz clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/taviq-game

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

package: build
	cmake --build $(BUILD_DIR) --target package

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DGAME_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)

# Start-up time, memory and idle CPU against a bare Qt window, then clock
# accuracy (about 3 minutes; bench-quick leaves out the clock).
bench: build
	bench/run-benchmarks.sh $(BUILD_DIR)

bench-quick: build
	bench/run-benchmarks.sh --quick $(BUILD_DIR)

# libFuzzer targets, each for a fixed number of inputs.
fuzz: deps
	scripts/fuzz.sh
