# Top-level entry points. The real build lives in CMake; these targets only
# pick the build directory and configuration.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake

.PHONY: all deps deps-windows build run test asan bench fuzz clean windows test-windows install package tsan

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

# Installs the library, headers, host, help file, man page, pkg-config file
# and CMake package under PREFIX.
PREFIX ?= /usr/local
install: build
	$(CMAKE) --install build --prefix $(PREFIX)

# A Debian package of the same files, in build/.
package: build
	cd build && cpack -G DEB

asan: deps
	@$(CMAKE) -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZORAK_SANITIZE=ON >/dev/null
	@$(CMAKE) --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# The host tests that call the exports from several threads, built with
# ThreadSanitizer in build-tsan/; any report fails them.
tsan: deps
	@$(CMAKE) -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORAK_TSAN=ON >/dev/null
	@$(CMAKE) --build build-tsan -j $(JOBS) --target stress sample
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1:exitcode=66 ctest --output-on-failure -R 'host/threads'

bench: deps
	@$(CMAKE) -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DZORAK_TESTS=OFF -DZORAK_BENCH=ON >/dev/null
	@$(CMAKE) --build build-release -j $(JOBS)
	./bench/run.sh build-release

# Each fuzz target runs for FUZZ_SECONDS from its seed corpus fuzz/corpus/NAME/
# (new inputs land in build-fuzz/corpus/NAME/, findings in
# build-fuzz/findings/NAME/), in a scratch folder of its own.
FUZZ_SECONDS ?= 60
FUZZ_FLAGS ?= -timeout=20 -rss_limit_mb=2048 -print_final_stats=1

fuzz:
	@./tools/install-deps.sh fuzz
	@$(CMAKE) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_C_COMPILER=clang -DZORAK_FUZZ=ON -DZORAK_TESTS=OFF >/dev/null
	@$(CMAKE) --build build-fuzz -j $(JOBS)
	@set -e; for target in $$(cat build-fuzz/fuzz_targets.txt); do \
		name=$${target#fuzz_}; out=$(CURDIR)/build-fuzz; \
		mkdir -p $$out/corpus/$$name $$out/findings/$$name $$out/scratch/$$name; \
		dict=; [ -f $$out/$$target.dict ] && dict=-dict=$$out/$$target.dict; \
		echo "== $$target for $(FUZZ_SECONDS) s"; \
		(cd $$out/scratch/$$name && $$out/$$target -max_total_time=$(FUZZ_SECONDS) $(FUZZ_FLAGS) \
			-artifact_prefix=$$out/findings/$$name/ $$dict $$out/corpus/$$name \
			$(CURDIR)/fuzz/corpus/$$name); \
	done

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
