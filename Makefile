# Two entry points: `make run` builds vesk and runs it on a bundled example
# (or on ARGS='...'), `make test` builds everything and runs the whole suite.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ARGS ?= examples/hello.txt

.PHONY: all build run test sanitize clean deps

all: build

deps:
	@./tools/install-deps.sh

$(BUILD)/Makefile: CMakeLists.txt
	@$(MAKE) --no-print-directory deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/vesk $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) build-asan
