# Build configurations: one folder each under build/, chosen with -DTALIX_CONFIG.
#   test   ASan + UBSan (leak checking on), -O1 -g1: what `make test` and CI run
#   debug  -O0 -g, no sanitizers: quick iteration
#   bench  -O2, benchmarks only
#   fuzz   clang, libFuzzer instrumentation + ASan + UBSan
#   tsan   ThreadSanitizer, the threaded tests
set(TALIX_CONFIG "debug" CACHE STRING "test, debug, bench, fuzz or tsan")
set_property(CACHE TALIX_CONFIG PROPERTY STRINGS test debug bench fuzz tsan)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
set(CMAKE_C_VISIBILITY_PRESET hidden)
set(CMAKE_VISIBILITY_INLINES_HIDDEN ON)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_BUILD_RPATH "\$ORIGIN")
set(CMAKE_INSTALL_RPATH "\$ORIGIN")
set(TALIX_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(TALIX_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
set(TALIX_BUILD_TESTS ON)
set(TALIX_BUILD_BENCH OFF)
set(TALIX_FUZZ OFF)
set(TALIX_SANITIZE "")

if(TALIX_CONFIG STREQUAL "test")
  set(TALIX_SANITIZE address,undefined)
  add_compile_options(-O1 -g1 -fno-omit-frame-pointer)
  add_link_options(-fuse-ld=lld)
elseif(TALIX_CONFIG STREQUAL "debug")
  add_compile_options(-O0 -g)
  add_link_options(-fuse-ld=lld)
elseif(TALIX_CONFIG STREQUAL "bench")
  add_compile_options(-O2 -g1 -DNDEBUG)
  set(TALIX_BUILD_TESTS OFF)
  set(TALIX_BUILD_BENCH ON)
elseif(TALIX_CONFIG STREQUAL "fuzz")
  set(TALIX_FUZZ ON)
  set(TALIX_SANITIZE address,undefined)
  add_compile_options(-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link)
  add_link_options(-fuse-ld=lld)
elseif(TALIX_CONFIG STREQUAL "tsan")
  set(TALIX_SANITIZE thread)
  add_compile_options(-O1 -g)
else()
  message(FATAL_ERROR "TALIX_CONFIG must be test, debug, bench, fuzz or tsan")
endif()

if(TALIX_SANITIZE)
  add_compile_options(-fsanitize=${TALIX_SANITIZE})
  add_link_options(-fsanitize=${TALIX_SANITIZE})
  if(TALIX_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize-recover=undefined)
  endif()
else()
  # Shared objects must resolve every symbol they use (not with sanitizers: clang
  # links their runtime into executables only).
  add_link_options(-Wl,--no-undefined)
endif()
