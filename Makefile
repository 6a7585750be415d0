# The two commands of the README: `make run` and `make test`; `make deb` builds the package.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_TSAN ?= build-tsan
BUILD_COV  ?= build-cov
BUILD_FUZZ ?= build-fuzz
BUILD_DEB  ?= build-deb
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: all deps deps-test configure build run test test-plain test-asan test-tsan test-fuzz fuzz bench deb coverage clean

all: build

# `make run` installs only what building and running need; `make test` adds the test tools.
deps:
	@tools/install-deps.sh run

deps-test:
	@tools/install-deps.sh test

# Configured again each time: the tests join the build once their tools are there.
configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/velmora-fw-upgrade -s -l

# A build folder of its own: the package's program runs the dfu-util installed beside it and
# has no path of this machine compiled in.
deb: deps
	cmake -S . -B $(BUILD_DEB) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_PACKAGE_BUILD=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_DEB) -j $(JOBS)
	cd $(BUILD_DEB) && cpack -G DEB
	@ls $(BUILD_DEB)/*.deb $(BUILD_DEB)/*.ddeb

test: deps-test test-plain test-asan test-tsan test-fuzz

test-plain: deps-test build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps-test
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=address $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j $(JOBS)

# The threaded parts (worker and presentation machine) under ThreadSanitizer.
test-tsan: deps-test
	cmake -S . -B $(BUILD_TSAN) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=thread $(CMAKE_ARGS)
	cmake --build $(BUILD_TSAN) -j $(JOBS) --target tst_sm_a tst_emulator
	cd $(BUILD_TSAN) && ctest --output-on-failure -j $(JOBS) -L threads

# The program against its floors, timed in one run (see the README); BENCH_ARGS e.g. --reps 3.
BENCH_ARGS ?=
bench: deps-test build
	python3 bench/run.py $(BUILD) $(BENCH_ARGS)

# Each fuzzer for FUZZ_SECONDS (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer).
fuzz: deps-test
	cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	      -DVELMORA_SANITIZE=fuzzer $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers
	fuzz/run.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

# A few seconds each: a harness that no longer builds or finds a fault fails the suite.
test-fuzz:
	$(MAKE) fuzz FUZZ_SECONDS=3

# Line and branch coverage of software/ by the whole suite (the package test aside: it
# builds and runs an uninstrumented copy).
coverage: deps-test
	@tools/install-deps.sh coverage
	cmake -S . -B $(BUILD_COV) -DCMAKE_BUILD_TYPE=Debug -DVELMORA_COVERAGE=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_COV) -j $(JOBS)
	find $(BUILD_COV) -name '*.gcda' -delete
	cd $(BUILD_COV) && ctest --output-on-failure -j $(JOBS) -E '^package$$'
	gcovr -r . --object-directory $(BUILD_COV) --filter 'software/' \
	      --exclude-throw-branches --exclude-unreachable-branches \
	      --txt $(BUILD_COV)/coverage.txt --print-summary

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_TSAN) $(BUILD_COV) $(BUILD_FUZZ) $(BUILD_DEB)
