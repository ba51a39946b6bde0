# The two commands a newcomer needs:
#   make run   - install what is missing, build, and install the sample product under Wine
#   make test  - install what is missing, build every configuration, run all tests
.PHONY: all deps build build-host build-fuzz build-win64 build-win32 test test-host test-win64 fuzz-smoke run bench clean

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
	scripts/check-win95-imports.sh build/win32/SETUP.EXE build/win32/ORVUN100.EXE build/win32/__SETUP.EXE
	@echo "all configurations built; host, win64 and fuzz tests passed"

test-host: build-host
	ctest --preset host

test-win64: build-win64
	ctest --preset win64

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
