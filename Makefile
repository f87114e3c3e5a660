# The README's commands: `make run`, `make test` and `make dist`. Everything is built under build/,
# the release goes to dist/.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
BUILD := $(CURDIR)/build

.PHONY: run test dist deps native cross fuzz unit bench fuzz-long fuzz-coverage soak format clean

# The program and the controller simulator that answers on its serial port.
run: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(BUILD)/native -j$(JOBS) --target zrt94sim
	@$(CONFIGURE_CROSS)
	@cmake --build $(BUILD)/win -j$(JOBS) --target cnfzrt94
	scripts/run.sh

test: deps native cross fuzz
	scripts/test.sh

# The release in dist/: the installer, the portable zip and their checksums (tools/dist/dist.sh).
# SIGN_PFX=file.pfx SIGN_PASS_FILE=file sign them; SIGN_TIMESTAMP=url time-stamps the signatures.
dist: deps
	@$(CONFIGURE_CROSS)
	@cmake --build $(BUILD)/win -j$(JOBS) --target cnfzrt94 zrt94sim
	SIGN_PFX='$(SIGN_PFX)' SIGN_PASS_FILE='$(SIGN_PASS_FILE)' SIGN_TIMESTAMP='$(SIGN_TIMESTAMP)' \
	    tools/dist/dist.sh

deps:
	@scripts/deps.sh

CONFIGURE_NATIVE = cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
CONFIGURE_CROSS = cmake -S . -B $(BUILD)/win --no-warn-unused-cli \
	-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	-DCMAKE_BUILD_TYPE=Release >/dev/null

native:
	@$(CONFIGURE_NATIVE)
	@cmake --build $(BUILD)/native -j$(JOBS)

cross:
	@$(CONFIGURE_CROSS)
	@cmake --build $(BUILD)/win -j$(JOBS)

fuzz:
	@cmake -S . -B $(BUILD)/fuzz -DZRT_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 \
	    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)/fuzz -j$(JOBS)

# Unit tests only, natively: the quick check before a commit.
unit: native
	cd $(BUILD)/native && ctest --output-on-failure -j$(JOBS)

bench: deps native cross
	scripts/bench.sh

# Each fuzzer until it has run FUZZ_RUNS inputs (10 million), or for FUZZ_SECONDS at most: the
# slowest need about an hour for 10 million.
fuzz-long: deps fuzz
	FUZZ_RUNS=$${FUZZ_RUNS:-10000000} FUZZ_SECONDS=$${FUZZ_SECONDS:-7200} scripts/fuzz.sh

# What each fuzzer's seeds and kept inputs reach: the functions of src/ and tools/ never run.
fuzz-coverage: deps
	@cmake -S . -B $(BUILD)/fuzz-cov -DZRT_FUZZ=ON -DZRT_FUZZ_COVERAGE=ON \
	    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)/fuzz-cov -j$(JOBS)
	scripts/fuzz.sh --coverage

# A long session of the program, then its objects and memory back at their start (not part of
# `make test`: about an hour at the full counts; see scripts/soak.sh to shorten it).
soak: deps native cross
	scripts/soak.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) dist
