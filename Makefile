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

.PHONY: all deps build run test bench clean package check-package

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
	bash bench/montecarlo.sh $(BUILD)
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/ktable_build 1000
	./$(BUILD)/bench/frequency_fit

# The package is compiled with Debian's hardening flags, as dpkg-buildflags
# gives them to every package (fortified functions, stack protector, full RELRO).
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

package: deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	      -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
	      -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)" \
	      -DVARNOLEK_PACKAGE_DIR=$(abspath $(BUILD))
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

check-package:
	bash scripts/check-package.sh

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD)
