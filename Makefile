# The two commands of the quick start: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test ci deps build build-game build-asan test-asan build-tsan test-tsan bench package \
	format clean

# Everything: the game, the tests, the sanitizer build and the benchmarks.
deps:
	@scripts/install-deps test

# The game alone, with what it needs to be built and played. A fresh tree is configured without
# the tests and the benchmarks; a tree that has them keeps them.
build-game:
	@scripts/install-deps run
	[ -f build/release/CMakeCache.txt ] || \
	  cmake --preset release -DBUILD_TESTING=OFF -DQUILLON_WITH_BENCH=OFF
	cmake --build --preset release -j $(JOBS)

run: build-game
	cd build/release/run && ./quillon

# The game and its tests; `make bench` adds the benchmarks, which no test runs.
BENCH ?= OFF
build: deps
	cmake --preset release -DBUILD_TESTING=ON -DQUILLON_WITH_BENCH=$(BENCH)
	cmake --build --preset release -j $(JOBS)

# The release tree's outcomes writer, where there is one, spares the sanitizer build its own
# slow run over every game's deals.
OUTCOMES_WRITER := $(CURDIR)/build/release/odds/known/quillon-outcomes-writer
BORROWED_WRITER = $(if $(wildcard $(OUTCOMES_WRITER)),-DQUILLON_OUTCOMES_WRITER=$(OUTCOMES_WRITER))

build-asan: deps
	cmake --preset asan $(BORROWED_WRITER)
	cmake --build --preset asan -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -L sanitize -j $(JOBS)

# ThreadSanitizer over the tests of what runs threads (the coach, the trainer, the engine's
# workers), built alone: CI runs it after `make test`.
build-tsan: deps
	cmake --preset tsan $(BORROWED_WRITER)
	cmake --build --preset tsan -j $(JOBS) --target quillon_tsan

test-tsan: build-tsan
	ctest --preset tsan -L tsan -j $(JOBS)

test: build
	ctest --preset release -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

ci: test
	$(MAKE) --no-print-directory test-tsan

bench:
	$(MAKE) --no-print-directory build BENCH=ON
	cd build/release/run && for b in ./bench_*; do $$b; done

# The Debian package, in build/package/package/, built as a packager builds it: without the
# tests, and with warnings left as warnings.
package:
	@scripts/install-deps package
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cd build/package && cpack -G DEB -B package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
