# The two commands: `make run` starts the program, `make test` runs every test.
# Both install missing Debian packages first and build incrementally.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build packages configure

packages:
	@tools/install-packages tools/debian-packages.txt

configure: packages
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: build
	@echo "Built the container unit and the platform layer; the wizard window is not part of this build yet."
