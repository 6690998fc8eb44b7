# The two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# CI builds with warnings as errors; a local build only reports them.
WERROR ?= OFF

.PHONY: deps configure build run test package bench fuzz format format-check translations clean

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DTICKORA_WERROR=$(WERROR) -DTICKORA_BUILD_TESTS=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	bash scripts/run-app $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

# Packages the tree that `make test` built; a fresh clone is configured in Release without the tests.
package: deps
	test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DTICKORA_WERROR=$(WERROR) -DTICKORA_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cd $(BUILD_DIR) && cpack -G DEB

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTICKORA_BUILD_BENCH=ON -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_GUI=ON
	cmake --build build-bench -j $(JOBS)
	bash bench/run-all build-bench

fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTICKORA_BUILD_FUZZ=ON -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_GUI=OFF
	cmake --build build-fuzz -j $(JOBS)
	bash fuzz/run-all build-fuzz

SOURCES_TO_FORMAT = find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0

format: deps
	$(SOURCES_TO_FORMAT) | xargs -0 clang-format -i

format-check: deps
	$(SOURCES_TO_FORMAT) | xargs -0 clang-format --dry-run --Werror

# Refreshes translations/*.ts from the sources; new texts arrive unfinished until translated.
translations: deps
	bash scripts/update-translations

clean:
	rm -rf $(BUILD_DIR) build-bench build-fuzz
