# make run   : install what is missing, build, start the program on the example recording
# make test  : install what is missing, build, run every test (offscreen); SAN=1 for the sanitizer build,
#              RELEASE=1 for the Release build; WERROR=1 makes compiler warnings errors
# make bench : build and run the benchmarks
JOBS  ?= $(shell nproc)
WERROR ?= 0
ifeq ($(SAN),1)
BUILD := build-san
CMAKE_FLAGS := -DQV_SANITIZE=ON -DQV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
else ifeq ($(RELEASE),1)
BUILD := build-release
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release
else
BUILD := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
CMAKE_FLAGS += -DQV_WERROR=$(if $(filter 1,$(WERROR)),ON,OFF)
EXAMPLE := resources/examples/respirometry-run.KXdata

.PHONY: all bootstrap configure build run test bench clean

all: build

bootstrap:
	@scripts/bootstrap

# cmake runs again when the build folder was configured with other flags than these.
configure: bootstrap
	@mkdir -p $(BUILD)
	@if [ ! -f $(BUILD)/build.ninja ] || [ "$$(cat $(BUILD)/make-flags 2>/dev/null)" != "$(CMAKE_FLAGS)" ]; then \
	  echo "cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)"; \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) && echo "$(CMAKE_FLAGS)" > $(BUILD)/make-flags; \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/quorvelant $(wildcard $(EXAMPLE))

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The benchmark programs are the ones the build defines; each prints its ratios to its bounds.
bench: build
	cmake --build $(BUILD) --target run_benches -j $(JOBS)

clean:
	rm -rf build build-san build-release build-install
