# Set-up, build and tests in two commands: `make run` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
SOAK_BUILD ?= build-soak
FUZZ_SECONDS ?= 20
SOAK_FUZZ_SECONDS ?= 300
JOBS ?= $(shell nproc)

# Any report fails the test that caused it; leaks included.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: deps build run test test-fast test-asan fuzz soak bench clean

deps:
	@scripts/install-deps

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/dovek

# Every test: the normal build, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a bounded run of the settings-file fuzzer.
# The long tests run 20 s each here; `make soak` runs them at full length.
test: fuzz test-fast test-asan

# What the long tests ran this time, from the log CTest keeps of every test.
LONG_COUNTS = grep -hE 'games in|rounds in|after the last' Testing/Temporary/LastTest.log || true

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) && $(LONG_COUNTS)

# $(1): build folder, $(2): extra CMake options.
define sanitizer_build
	@[ -f $(1)/build.ninja ] || cmake -S . -B $(1) -G Ninja \
		-DCMAKE_BUILD_TYPE=Debug -DDOVEK_SANITIZE=ON $(2)
	cmake --build $(1) -j $(JOBS)
endef

test-asan: deps
	$(call sanitizer_build,$(ASAN_BUILD),)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) && $(LONG_COUNTS)

fuzz: deps
	tests/fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The full-length runs, under the sanitizers: 500 whole games, 200 rounds of
# "Joc nou" and closing at random moments, and five minutes of fuzzing.
soak: deps
	$(call sanitizer_build,$(SOAK_BUILD),-DDOVEK_LUNG=ON)
	cd $(SOAK_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -L lung -j $(JOBS) && $(LONG_COUNTS)
	tests/fuzz/run $(FUZZ_BUILD) $(SOAK_FUZZ_SECONDS)

bench: deps
	bench/run

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(SOAK_BUILD) build-bench
