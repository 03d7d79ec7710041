# Pelmora's entry points. `make run` and `make test` set up a fresh Debian 12 machine
# themselves: scripts/setup.sh installs whatever Debian packages are missing.

BUILD_DIR ?= build
CMAKE_FLAGS ?=
# Where `make install` puts Pelmora.
PREFIX ?= /usr/local

.PHONY: all setup configure build test run bench screenshot install deb format clean

all: build

setup:
	@scripts/setup.sh test

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel

test: build
	@scripts/test.sh $(BUILD_DIR)

# Only the app and the service: no test frameworks needed.
run:
	@scripts/setup.sh run
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD_DIR) --parallel --target pelmora pelmora-generator
	@scripts/run.sh $(BUILD_DIR)

bench: build
	@scripts/bench.sh $(BUILD_DIR)

screenshot: build
	@scripts/screenshot.sh $(BUILD_DIR)

# A release build of the app and the service alone, installed under PREFIX.
install:
	@scripts/setup.sh run
	@cmake -S . -B build-install -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-install --parallel
	@cmake --install build-install

# pelmora_<version>_<arch>.deb in build-deb/, for `apt install ./build-deb/pelmora_*.deb`.
deb:
	@scripts/setup.sh deb
	@cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-deb --parallel
	@cd build-deb && cpack
	@ls build-deb/pelmora_*.deb

format:
	@find src generator tests bench scripts -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-install build-deb
