# The README's two commands: `make run` and `make test`. Everything is built under build/.
SHELL := /bin/bash
MAKEFLAGS += --no-print-directory
JOBS ?= $(shell nproc)
BUILD := $(CURDIR)/build

.PHONY: run test deps native cross fuzz unit bench fuzz-long soak format clean

# The program and the controller simulator that answers on its serial port.
run: deps
	@$(CONFIGURE_NATIVE)
	@cmake --build $(BUILD)/native -j$(JOBS) --target zrt94sim
	@$(CONFIGURE_CROSS)
	@cmake --build $(BUILD)/win -j$(JOBS) --target cnfzrt94
	scripts/run.sh

test: deps native cross fuzz
	scripts/test.sh

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

fuzz-long: deps fuzz
	FUZZ_SECONDS=$${FUZZ_SECONDS:-600} scripts/fuzz.sh

# A long session of the program, then its objects and memory back at their start (not part of
# `make test`: about an hour at the full counts; see scripts/soak.sh to shorten it).
soak: deps native cross
	scripts/soak.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
