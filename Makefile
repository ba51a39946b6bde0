# The two commands a newcomer needs:
#   make run   - install what is missing, build, and install the sample product under Wine
#   make test  - install what is missing, build every configuration, run all tests
.PHONY: all deps build build-host build-fuzz build-win64 build-win32 test test-host test-win64 test-win32 fuzz-smoke run bench clean

all: build

deps:
	@scripts/install-deps.sh

build: build-host build-fuzz build-win64 build-win32

build-host build-fuzz build-win64 build-win32: build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $*

test: build
	ctest --preset host
	ctest --preset win64
	scripts/fuzz-smoke.sh 10
	ctest --preset win32
	@scripts/wine32-loader.sh >/dev/null 2>&1 || scripts/wine32-missing.sh
	@echo "all configurations built; host, win64, win32 and fuzz tests passed"

test-host: build-host
	ctest --preset host

test-win64: build-win64
	ctest --preset win64

test-win32: build-win32
	ctest --preset win32
	@scripts/wine32-loader.sh >/dev/null 2>&1 || scripts/wine32-missing.sh

fuzz-smoke: build-fuzz
	scripts/fuzz-smoke.sh 10

run: build-win64
	scripts/run-sample.sh

bench: build-host build-win64
	@for b in build/host/bench_*; do [ -x "$$b" ] && "$$b"; done; true
	cmake --build --preset win64 --target bench_copy
	scripts/bench-copy.sh

clean:
	rm -rf build
