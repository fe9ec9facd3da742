# The two commands of the quick start: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-asan test-asan bench package format clean

deps:
	@scripts/install-deps

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	cd build/release/run && ./quillon

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -L sanitize -j $(JOBS)

test: build
	ctest --preset release -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

bench: build
	cd build/release/run && for b in ./bench_*; do $$b; done

# The Debian package, in build/release/package/.
package: build
	cd build/release && cpack -G DEB -B package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
