# Top-level entry points. The real build lives in CMake; these targets only
# pick the build directory and configuration.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake

.PHONY: all build run test asan bench fuzz clean

all: build

build:
	@$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@$(CMAKE) --build build -j $(JOBS)

run: build
	./build/embedtest
	./build/zorak examples/tour.tcl

test: build
	cd build && ctest --output-on-failure -j $(JOBS)

asan:
	@$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZORAK_SANITIZE=ON >/dev/null
	@$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

bench:
	@$(CMAKE) -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZORAK_TESTS=OFF -DZORAK_BENCH=ON >/dev/null
	@$(CMAKE) --build build-release -j $(JOBS)
	./bench/run.sh build-release

fuzz:
	@$(CMAKE) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZORAK_FUZZ=ON >/dev/null
	@$(CMAKE) --build build-fuzz -j $(JOBS)
	./build-fuzz/fuzz_eval -max_total_time=60 fuzz/corpus

clean:
	rm -rf build build-asan build-release build-fuzz
