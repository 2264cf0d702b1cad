# The two commands: `make test` and `make demo`. Everything else is CMake.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
PG_DIR ?= /tmp/zor-test-pg-$(shell id -u)
PG_PORT ?= 55433
# ccache, when present, lets several checkouts share compiled objects.
CCACHE := $(shell command -v ccache)
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
LAUNCHER := $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE))

.PHONY: test demo deps build build-asan fuzz clean

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOR_WERROR=ON $(LAUNCHER) >/dev/null
	@cmake --build build -j $(JOBS)

build-asan: deps
	@cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOR_SANITIZE=ON \
	  -DZOR_WITH_DESKTOP=OFF -DZOR_WITH_BENCH=OFF $(LAUNCHER) >/dev/null
	@cmake --build build-asan -j $(JOBS)

# The libFuzzer target over the request and delta decoders (clang).
FUZZ_SRC := tests/server/fuzz/request_fuzzer.cpp server/request_decoder.cpp server/packet.cpp \
  server/dataset_catalog.cpp
fuzz: deps
	@mkdir -p build-fuzz
	@clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. $(FUZZ_SRC) -o build-fuzz/request_fuzzer

# Runs every test in the normal build, then the non-GUI tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, with a throwaway
# PostgreSQL cluster for the tests that need one.
test: build build-asan fuzz
	@url=$$(scripts/pg-cluster.sh start $(PG_DIR) $(PG_PORT)); \
	trap 'scripts/pg-cluster.sh stop $(PG_DIR)' EXIT; \
	export ZOR_TEST_PG_URL="$$url" QT_QPA_PLATFORM=offscreen; \
	(cd build && ctest --output-on-failure -j $(JOBS)) && \
	(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) -LE gui) && \
	scripts/run-fuzz.sh build-fuzz/request_fuzzer tests/server/fuzz/corpus 60

demo: build
	@if [ -x build/desktop/zor-host ]; then build/desktop/zor-host --demo; \
	else echo "The desktop host is not built yet: make demo needs the Qt front end." >&2; exit 1; fi

clean:
	rm -rf build build-asan build-fuzz
