# The two commands a newcomer needs:
#   make run   - install what is missing, build, and install the sample product under Wine
#   make test  - install what is missing, build every configuration, run all tests
.PHONY: all deps build build-host build-fuzz build-win64 build-win32 test test-host test-win64 test-win32 fuzz-smoke run bench clean

all: build

# The package check runs when its scripts changed since it last passed (or on `make deps`),
# so a build that needs nothing new touches neither the network nor the package database.
# The stamp notes whether 32-bit Wine ran then: under qemu it needs a binfmt_misc entry
# that each boot forgets, and the check makes it again.
DEPS_STAMP := build/.deps-checked
DEPS_SCRIPTS := scripts/install-deps.sh scripts/install-wine32.sh
define check_deps
	@scripts/install-deps.sh
	@mkdir -p $(dir $(DEPS_STAMP))
	@if scripts/wine32-loader.sh >/dev/null 2>&1; then echo wine32 >$(DEPS_STAMP); else : >$(DEPS_STAMP); fi
endef
ifeq ($(shell cat $(DEPS_STAMP) 2>/dev/null),wine32)
ifneq ($(shell scripts/wine32-loader.sh >/dev/null 2>&1 && echo runs),runs)
$(shell rm -f $(DEPS_STAMP))
endif
endif

deps:
	$(check_deps)

$(DEPS_STAMP): $(DEPS_SCRIPTS)
	$(check_deps)

build: build-host build-fuzz build-win64 build-win32

build-host build-fuzz build-win64 build-win32: build-%: $(DEPS_STAMP)
	cmake --preset $* >/dev/null
	cmake --build --preset $*

# The shipping build's tests, with the notice that its scenarios were skipped where
# 32-bit Wine does not run.
define test_win32
	scripts/ctest-preset.sh win32
	@scripts/wine32-loader.sh >/dev/null 2>&1 || scripts/wine32-missing.sh
endef

# Each preset's verdict ("passed", or how many were skipped) is written by ctest-preset.sh:
# a skipped test is never reported as passed.
test: build
	scripts/ctest-preset.sh host
	scripts/ctest-preset.sh win64
	scripts/fuzz-smoke.sh 10
	$(test_win32)
	@echo "all configurations built; fuzz passed, and" \
	  "host $$(cat build/host/ctest.verdict), win64 $$(cat build/win64/ctest.verdict)," \
	  "win32 $$(cat build/win32/ctest.verdict)"

test-host: build-host
	scripts/ctest-preset.sh host

test-win64: build-win64
	scripts/ctest-preset.sh win64

test-win32: build-win32
	$(test_win32)

fuzz-smoke: build-fuzz
	scripts/fuzz-smoke.sh 10

run: build-win64
	scripts/run-sample.sh

bench: build-host build-win64 build-win32
	@for b in build/host/bench_*; do [ -x "$$b" ] && "$$b"; done; true
	cmake --build --preset win64 --target bench_copy bench_memory
	scripts/bench-copy.sh
	scripts/bench-memory.sh
	scripts/shipping-sizes.sh

clean:
	rm -rf build
