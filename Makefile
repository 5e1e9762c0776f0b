# The two everyday commands: `make run` and `make test`. Both install what is missing first.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench fuzz format clean install uninstall

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILDTYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/namedays

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# For the user alone, into ~/.local; PREFIX=... (on the command line or in the environment)
# names another place. The script keeps the lists the user edited or added.
install: build
	scripts/install $(BUILD)

uninstall:
	scripts/install --uninstall

bench: build
	cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/bench_*; do \
	    [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	    echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; \
	done
	@echo "== bench/start_to_window.sh"; bash bench/start_to_window.sh $(BUILD)

fuzz: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DNAMEDAYS_FUZZ=ON
	cmake --build $(BUILD)-fuzz --target fuzzers

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
