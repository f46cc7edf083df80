# The two commands that matter: `make run` and `make test`. Both install what is missing first.
.PHONY: deps run test bench fuzz fuzz-smoke tsan format check-format lint clean install package check-package screenshot

FUZZ_SECONDS ?= 60
SAMPLE ?= assets/samples/sample.bmp
PREFIX ?= /usr/local

deps:
	@scripts/install-deps

build/release/build.ninja: | deps
	cmake --preset release

run: deps build/release/build.ninja
	cmake --build --preset release
	@if [ -x build/release/src/app/tembrin-ico ]; then \
	  build/release/src/app/tembrin-ico; \
	else \
	  build/release/src/cli/tembrin-ico-cli export --size 64 $(SAMPLE) build/sample.ico && \
	  echo "wrote build/sample.ico"; \
	fi

# The fuzz smoke run comes first; the thread sanitizer's run of the threaded tests closes it.
test: deps
	cmake --preset asan
	cmake --build --preset asan
	$(MAKE) --no-print-directory fuzz-smoke
	ctest --preset asan
	$(MAKE) --no-print-directory tsan

# The package preset: an optimised build of the two programs only (no tests, no benchmarks).
build/package/build.ninja: | deps
	cmake --preset package

# The programs, their data, desktop entry, icons and manuals under $(PREFIX), staged below
# $(DESTDIR) when it is set.
install: deps build/package/build.ninja
	cmake --build --preset package
	DESTDIR="$(DESTDIR)" cmake --install build/package --prefix "$(PREFIX)"

# The Debian package, build/package/tembrin-ico_<version>_amd64.deb.
package: deps build/package/build.ninja
	cmake --build --preset package
	cd build/package && cpack -G DEB

# The package made from scratch and checked as CI does (lintian, validators, --version).
check-package: deps
	scripts/check-package

# docs/screenshot.png, from the package build under a virtual X server.
screenshot: deps build/package/build.ninja
	cmake --build --preset package
	scripts/screenshot

# The one executable of the tests labelled "threads", and the tool its CLI tests run.
TSAN_TARGETS = thread_tests tembrin-ico-cli

tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan --target $(TSAN_TARGETS)
	ctest --preset tsan -L threads

bench: deps build/release/build.ninja
	cmake --build --preset release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz $(FUZZ_SECONDS)

# A few seconds per fuzzer over the checked-in seeds: catches regressions in CI.
fuzz-smoke:
	@if ls fuzz/*.cpp >/dev/null 2>&1; then $(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10; fi

format:
	@git ls-files -z '*.cpp' '*.h' '*.c' | xargs -0 clang-format-14 -i

check-format:
	@scripts/check-format

# clang-tidy-14 over the whole tree with .clang-tidy; `scripts/lint --changed` checks only the
# files the last commit changed. The asan configure writes the compile commands it reads.
lint: deps
	cmake --preset asan
	@scripts/lint

clean:
	rm -rf build
