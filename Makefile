# The two commands: `make run` starts the program, `make test` runs every test
# (the normal build, then the sanitizer build and short fuzz runs). Both install
# missing Debian packages first and build incrementally. `make package`,
# `make sanitize` and `make fuzz` run one part on its own.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# The sanitizer build and the fuzz build live beside the normal one.
ASAN_BUILD_DIR ?= $(BUILD_DIR)-asan
FUZZ_BUILD_DIR ?= $(BUILD_DIR)-fuzz
FUZZ_SECONDS ?= 60

.PHONY: run test build packages configure package sanitize fuzz

packages:
	@tools/install-packages tools/debian-packages.txt

configure: packages
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory sanitize
	@$(MAKE) --no-print-directory fuzz

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: packages
	@test -f $(ASAN_BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(ASAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOMBREL_SANITIZE=ON
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS)

# FUZZ_SECONDS of libFuzzer on each fuzz target (needs clang).
fuzz: packages
	@if ! command -v clang++ >/dev/null 2>&1; then echo "make fuzz: no clang++, fuzz runs skipped"; exit 0; fi; \
	test -f $(FUZZ_BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKOMBREL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null && \
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target fuzz_targets && \
	fuzz/run $(FUZZ_BUILD_DIR) $(FUZZ_SECONDS)

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
