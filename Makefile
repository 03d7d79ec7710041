# Pelmora's entry points. `make run` and `make test` set up a fresh Debian 12 machine
# themselves: scripts/setup.sh installs whatever Debian packages are missing.

BUILD_DIR ?= build
CMAKE_FLAGS ?=

.PHONY: all setup configure build test run bench screenshot format clean

all: build

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel

test: build
	@scripts/test.sh $(BUILD_DIR)

run: build
	@scripts/run.sh $(BUILD_DIR)

bench: build
	@scripts/bench.sh $(BUILD_DIR)

screenshot: build
	@scripts/screenshot.sh $(BUILD_DIR)

format:
	@find src generator tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
