# The two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test bench fuzz format clean

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	bash scripts/run-app $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTICKORA_BUILD_BENCH=ON -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_GUI=OFF
	cmake --build build-bench -j $(JOBS)
	bash bench/run-all build-bench

fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTICKORA_BUILD_FUZZ=ON -DTICKORA_BUILD_TESTS=OFF -DTICKORA_BUILD_GUI=OFF
	cmake --build build-fuzz -j $(JOBS)
	bash fuzz/run-all build-fuzz

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-bench build-fuzz
