# Two commands do everything on a fresh Debian machine:
#   make run    installs what is missing, builds, starts Varnolek
#   make test   installs what is missing, builds, runs every test with CTest
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: all deps build run test bench clean

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
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/ktable_build 1000

clean:
	rm -rf $(BUILD)
