# The two commands a newcomer needs:
#   make run   - install what is missing, build, and install the sample product under Wine
#   make test  - install what is missing, build every configuration, run all tests
.PHONY: all deps build build-host build-fuzz build-win64 build-win32 test test-host test-win64 fuzz-smoke run bench clean

all: build

# What goes on the media beside SETUP.INF: the installer, its program-group helper and
# the uninstaller. Their imports must fit Windows 95 and NT 4.0.
SHIPPED_PROGRAMS := SETUP.EXE __SETUP.EXE ORVUN100.EXE

# The package check runs when its list changed since it last passed (or on `make deps`),
# so a build that needs nothing new touches neither the network nor the package database.
DEPS_STAMP := build/.deps-checked

deps:
	@scripts/install-deps.sh
	@mkdir -p $(dir $(DEPS_STAMP)) && touch $(DEPS_STAMP)

$(DEPS_STAMP): scripts/install-deps.sh
	@scripts/install-deps.sh
	@mkdir -p $(dir $(DEPS_STAMP)) && touch $(DEPS_STAMP)

build: build-host build-fuzz build-win64 build-win32

build-host build-fuzz build-win64 build-win32: build-%: $(DEPS_STAMP)
	cmake --preset $* >/dev/null
	cmake --build --preset $*

test: build
	ctest --preset host
	ctest --preset win64
	scripts/fuzz-smoke.sh 10
	scripts/check-win95-imports.sh $(addprefix build/win32/,$(SHIPPED_PROGRAMS))
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
