# The two commands: `make run` starts the program, `make test` runs every test.
# Both install missing Debian packages first and build incrementally.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build packages configure package

packages:
	@tools/install-packages tools/debian-packages.txt

configure: packages
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The Debian package kombrel_VERSION-1_ARCH.deb, in $(BUILD_DIR).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The window needs a desktop; without one, say so rather than let Qt abort.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2; \
	  echo "Run it from a desktop session, or under Xvfb: Xvfb :99 & DISPLAY=:99 make run" >&2; \
	  exit 1; \
	fi
	$(BUILD_DIR)/wizard/kombrel-wizard
