# The two commands for a new machine are `./build.sh run` and `./build.sh test`: they install
# what is missing, make included, and run `make run` and `make test`.
BUILD   ?= build
PREFIX  ?= /usr/local
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# `make sanitize`: every test built with AddressSanitizer and UndefinedBehaviorSanitizer; a
# debug build, so Qt's own checks are on too.
SANITIZE_BUILD ?= build-sanitize
SANITIZE_FLAGS ?= -DCMAKE_BUILD_TYPE=Debug -DKALVO_SANITIZE=ON
# Qt and the system libraries are not instrumented; the leak check stays on, with the system
# libraries' own leaks suppressed in scripts/lsan.supp.
ASAN_CHECKS = detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
SANITIZE_ENV = ASAN_OPTIONS=$(ASAN_CHECKS) \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# `make fuzz FUZZ_SECONDS=N`: each libFuzzer target of fuzz/ for N seconds, built with clang.
# A debug build keeps Qt's own checks (an index past a string's end), which ASan cannot see
# inside a string's spare capacity.
FUZZ_BUILD ?= build-fuzz
FUZZ_FLAGS ?= -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
	"-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DKALVO_FUZZ=ON
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test install deb format sanitize fuzz

deps:
	scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); fi

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/kalvo

test: build
	scripts/run-tests $(BUILD)

sanitize: deps
	@if [ ! -f $(SANITIZE_BUILD)/build.ninja ]; then \
		cmake -S . -B $(SANITIZE_BUILD) -G Ninja $(SANITIZE_FLAGS); fi
	cmake --build $(SANITIZE_BUILD)
	$(SANITIZE_ENV) scripts/run-tests $(SANITIZE_BUILD)

fuzz:
	scripts/install-deps fuzz
	@if [ ! -f $(FUZZ_BUILD)/build.ninja ]; then \
		cmake -S . -B $(FUZZ_BUILD) -G Ninja $(FUZZ_FLAGS); fi
	cmake --build $(FUZZ_BUILD) --target kalvo_fuzzers
	fuzz/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD)/kalvo_<version>_amd64.deb, installed with prefix /usr.
deb: build
	cd $(BUILD) && cpack -G DEB

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
