# Top-level entry points. The real build lives in CMake; these targets only
# pick the build directory and configuration.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake

.PHONY: all deps deps-windows build run test asan bench fuzz clean windows test-windows

all: build

# Installs the Debian packages the build needs when any is missing.
deps:
	@./tools/install-deps.sh linux

deps-windows:
	@./tools/install-deps.sh windows

build: deps
	@$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@$(CMAKE) --build build -j $(JOBS)

run: build
	./build/embedtest
	./build/zorak examples/tour.tcl
	./build/zorak examples/inventory/main.tcl

test: build
	cd build && ctest --output-on-failure -j $(JOBS)

asan: deps
	@$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZORAK_SANITIZE=ON >/dev/null
	@$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

bench: deps
	@$(CMAKE) -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZORAK_TESTS=OFF -DZORAK_BENCH=ON >/dev/null
	@$(CMAKE) --build build-release -j $(JOBS)
	./bench/run.sh build-release

fuzz:
	@$(CMAKE) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DZORAK_FUZZ=ON >/dev/null
	@$(CMAKE) --build build-fuzz -j $(JOBS)
	./build-fuzz/fuzz_eval -max_total_time=60 fuzz/corpus

# The Windows deliverables, cross-built with the i686 MinGW-w64 compilers:
# build-win32/zorak.dll, embedtest.exe and zorak.exe.
windows: deps-windows
	@$(CMAKE) -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@$(CMAKE) --build build-win32 -j $(JOBS)

# The same suite under 32-bit Wine, in the one Wine prefix of build-win32/
# (made here when missing, so that no test pays for it).
test-windows: windows
	@test -d build-win32/wineprefix || ./build-win32/wine-run.sh wineboot.exe --init
	cd build-win32 && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf build build-asan build-release build-fuzz build-win32
