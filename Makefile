# Entry points. Every target installs what it needs first (tools/setup.sh).
#   make test   sanitized build (ASan + UBSan, leak checking) and every test
#   make bench  optimised build, benchmarks -> build/bench/results.json
#   make fuzz   libFuzzer build (clang), each target over its corpus for a while
#   make tsan   ThreadSanitizer build of the threaded tests
#   make demo   optimised build, then the gallery: PNGs in out/gallery/ (and on screen
#               when DISPLAY is set, until its window is closed)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
CMAKE_COMMON = -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

.PHONY: setup test bench fuzz tsan demo debug clean

setup:
	@tools/setup.sh

test: setup
	@tools/stage.sh configure cmake -S . -B build/test $(CMAKE_COMMON) -DTALIX_CONFIG=test
	@tools/stage.sh build cmake --build build/test -j $(JOBS)
	@tools/stage.sh test ctest --test-dir build/test -j $(JOBS) --output-on-failure --timeout 300

debug: setup
	cmake -S . -B build/debug $(CMAKE_COMMON) -DTALIX_CONFIG=debug
	cmake --build build/debug -j $(JOBS)

bench: setup
	cmake -S . -B build/bench $(CMAKE_COMMON) -DTALIX_CONFIG=bench
	cmake --build build/bench -j $(JOBS) --target talix_bench
	build/bench/bin/talix_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true \
	  --benchmark_out=build/bench/results.json --benchmark_out_format=json

fuzz: setup
	cmake -S . -B build/fuzz $(CMAKE_COMMON) -DTALIX_CONFIG=fuzz \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build build/fuzz -j $(JOBS)
	tools/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

tsan: setup
	cmake -S . -B build/tsan $(CMAKE_COMMON) -DTALIX_CONFIG=tsan
	cmake --build build/tsan -j $(JOBS)
	ctest --test-dir build/tsan -j $(JOBS) --output-on-failure -L threads --no-tests=ignore

demo: setup
	cmake -S . -B build/bench $(CMAKE_COMMON) -DTALIX_CONFIG=bench
	cmake --build build/bench -j $(JOBS) --target talix-gallery
	build/bench/bin/talix-gallery --out out/gallery

clean:
	rm -rf build out
