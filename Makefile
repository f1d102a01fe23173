# Two commands do everything on a fresh Debian machine:
#   make run    installs what is missing, builds, starts Varnolek
#   make test   installs what is missing, builds, runs every test with CTest
# and, for a Debian machine:
#   make package        the package ./build/varnolek_VERSION_ARCH.deb, built in Release
#                       in a tree of its own (build-package/), so the test build stays
#   make check-package  builds the package and checks its contents, lintian and a run
BUILD ?= build
PACKAGE_BUILD ?= build-package
JOBS  ?= $(shell nproc)

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
SANITIZE_BUILD ?= build-sanitize

.PHONY: all deps build run test bench clean package check-package fuzz test-sanitize

all: build

deps:
	bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/varnolek

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	bash bench/startup.sh $(BUILD)
	bash bench/cli_batch.sh $(BUILD)
	bash bench/hostile_inputs.sh $(BUILD)
	bash bench/montecarlo.sh $(BUILD)
	bash bench/sweep_memory.sh $(BUILD)
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/ktable_build 1000
	./$(BUILD)/bench/frequency_fit
	./$(BUILD)/bench/monthly_file
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/zone_table
	bash bench/spreadsheet.sh $(BUILD)

# The package is compiled with Debian's hardening flags, as dpkg-buildflags
# gives them to every package (fortified functions, stack protector, full RELRO).
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	      -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	      -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	      -DCMAKE_MODULE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	      -DVARNOLEK_PACKAGE_DIR=$(abspath $(BUILD))
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

check-package:
	bash scripts/check-package.sh


# libFuzzer targets (fuzz/), built with clang into their own directory, each
# run for FUZZ_SECONDS; prints the executions of every target.
fuzz:
	bash scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DVARNOLEK_FUZZ=ON \
	  -DVARNOLEK_CORE_ONLY=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Every test under AddressSanitizer and UBSan, in its own build directory;
# the first finding stops the test that made it.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DVARNOLEK_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=halt_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
