# The two commands of the README, and a few more for developers.
#   make run    builds the program and the sample-data writers only, and runs the main job on the bundled sample data
#   make test   builds a normal and a sanitizer configuration and runs every test in both
#   make format lays the code out by .clang-format
JOBS ?= 2
FUZZ_SECONDS ?= 300
CMAKE_COMMON = -G Ninja -DFW_WERROR=ON
# Line tables only (-g1): stack traces of the sanitizers and profilers keep
# their function names and lines, and the builds take a third less time
# than with full debug information.
CMAKE_NORMAL = $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

.PHONY: all bootstrap build build-asan test test-normal test-asan run fuzz bench format clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake -S . -B build $(CMAKE_NORMAL) > /dev/null
	cmake --build build -j $(JOBS)

build-asan: bootstrap
	@cmake -S . -B build-asan $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug -DFW_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DCMAKE_C_FLAGS_DEBUG="-O1 -g1" -DFW_SANITIZE=ON > /dev/null
	cmake --build build-asan -j $(JOBS)

test-normal: build
	ctest --test-dir build -j $(JOBS) --output-on-failure --timeout 600

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-asan -j $(JOBS) --output-on-failure --timeout 1200

test: test-normal test-asan

# The program and the two fixture writers that scripts/run-demo calls; no tests.
run: bootstrap
	@cmake -S . -B build $(CMAKE_NORMAL) > /dev/null
	cmake --build build -j $(JOBS) --target ferrywise palmdat jetfixture
	scripts/run-demo build

fuzz:
	@scripts/bootstrap --fuzz
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFW_FUZZ=ON -DFW_TESTS=OFF \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > /dev/null
	cmake --build build-fuzz -j $(JOBS)
	scripts/fuzz $(FUZZ_SECONDS)

bench: build
	@for b in build/tools/bench/bench_*; do echo "== $$b"; $$b; done

format:
	@scripts/bootstrap --format
	git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i --style=file

clean:
	rm -rf build build-asan build-fuzz
