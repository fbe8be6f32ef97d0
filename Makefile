# Two entry points: `make run` builds vesk and runs it on a bundled example
# (or on ARGS='...'), `make test` builds everything and runs the whole suite.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ARGS ?= examples/hello.txt

.PHONY: all build run test sanitize fuzz valgrind clean deps

all: build

deps:
	@./tools/install-deps.sh

# cmake's own lines go to a log, shown only when it fails.
$(BUILD)/Makefile: CMakeLists.txt
	@$(MAKE) --no-print-directory deps
	@mkdir -p $(BUILD)
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release > $(BUILD)/configure.log 2>&1 \
	  || { cat $(BUILD)/configure.log; exit 1; }

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# Only the program: a newcomer's first run should not wait for the tests.
# The build's lines go to a log, shown only when it fails, so that the dump
# is what the run prints. The report in UTF-8 even when make's output is
# piped; a --sjis in ARGS, coming later, still wins.
run: $(BUILD)/Makefile
	@cmake --build $(BUILD) -j $(JOBS) --target vesk > $(BUILD)/run-build.log 2>&1 \
	  || { cat $(BUILD)/run-build.log; exit 1; }
	@$(BUILD)/vesk --utf8 $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# AFL++ over each fuzz harness under ASan and UBSan: FUZZ=<harness|all>,
# FUZZ_SECONDS per harness. Fails when a crash or a hang is found.
FUZZ ?= all
FUZZ_SECONDS ?= 60
fuzz:
	./fuzz/run.sh $(FUZZ) $(FUZZ_SECONDS)

# The end-to-end cases under valgrind: no invalid access, no definite leak.
# VALGRIND_CASES narrows them to the case files matching a pattern,
# VALGRIND_EXCLUDE leaves out those matching another.
VALGRIND ?= valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite
VALGRIND_CASES ?=
VALGRIND_EXCLUDE ?=
valgrind: build
	@command -v valgrind >/dev/null || (apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q valgrind)
	cd $(BUILD) && VESK_E2E_WRAPPER="$(VALGRIND)" ctest --output-on-failure -j $(JOBS) -R '^e2e\.$(VALGRIND_CASES)' \
	  $(if $(VALGRIND_EXCLUDE),-E '$(VALGRIND_EXCLUDE)')

clean:
	rm -rf $(BUILD) build-asan build-fuzz-afl
