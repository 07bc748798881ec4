# make run   : install what is missing, build, start the program on the example recording
# make test  : install what is missing, build, run every test (offscreen); SAN=1 for the sanitizer build
# make bench : build and run the benchmarks
JOBS  ?= $(shell nproc)
ifeq ($(SAN),1)
BUILD := build-san
CMAKE_FLAGS := -DQV_SANITIZE=ON -DQV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
else
BUILD := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
EXAMPLE := resources/examples/respirometry-run.KXdata

.PHONY: all bootstrap configure build run test bench clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: bootstrap $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/quorvelant $(wildcard $(EXAMPLE))

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	cmake --build $(BUILD) --target benches -j $(JOBS)
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

clean:
	rm -rf build build-san
