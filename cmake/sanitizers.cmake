# Builds for hostile input.
#
# KOMBREL_SANITIZE: every target with AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, and the first report ends the program. ctest in
# such a build runs each test with the options below.
#
# KOMBREL_FUZZ (clang only): the same sanitizers plus libFuzzer's coverage
# instrumentation, and the fuzz targets in fuzz/.
option(KOMBREL_SANITIZE "Build with -fsanitize=address,undefined, no recovery" OFF)
option(KOMBREL_FUZZ "Build the libFuzzer targets (needs clang); implies the sanitizers" OFF)

if(KOMBREL_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "KOMBREL_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
endif()

if(KOMBREL_SANITIZE OR KOMBREL_FUZZ)
  set(KOMBREL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${KOMBREL_SANITIZER_FLAGS})
  add_link_options(${KOMBREL_SANITIZER_FLAGS})
endif()
if(KOMBREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Test runs in a sanitized build stop at the first report, with a stack, and
# skip leaks that only the system's own libraries make (tools/lsan.supp).
# ctest reads the file below before any test, so a plain `ctest` in the build
# folder runs every test under these options.
if(KOMBREL_SANITIZE)
  set(environment_script "${PROJECT_BINARY_DIR}/sanitizer_environment.cmake")
  file(WRITE "${environment_script}"
    "set(ENV{ASAN_OPTIONS} \"detect_leaks=1:detect_stack_use_after_return=1\")\n"
    "set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1:halt_on_error=1\")\n"
    "set(ENV{LSAN_OPTIONS} \"suppressions=${PROJECT_SOURCE_DIR}/tools/lsan.supp\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${environment_script}")
endif()
