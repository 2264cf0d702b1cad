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

.PHONY: test demo deps build build-asan build-release package fuzz clean screenshots bench

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
FUZZ_SRC := tests/server/fuzz/request_fuzzer.cpp server/request_decoder.cpp server/rpc_dispatch.cpp server/packet.cpp \
  server/dataset_catalog.cpp server/stored_value.cpp server/reply_buffers.cpp $(wildcard wire/*.cpp)
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
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS) -LE gui) && \
	scripts/run-fuzz.sh build-fuzz/request_fuzzer tests/server/fuzz/corpus 60

# The programs a person runs, optimized with debug information, without
# tests or benchmarks, in a folder of their own.
RELEASE_TARGETS := zor12200-server zor-host zor-script Pkg_zor12200
build-release: deps
	@cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOR_WERROR=OFF \
	  -DZOR_WITH_TESTS=OFF -DZOR_WITH_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr $(LAUNCHER) >/dev/null
	@cmake --build build-release -j $(JOBS) --target $(RELEASE_TARGETS)

demo: build-release
	@build-release/desktop/zor-host --demo --user demo --branch 0001 --open

# Two Debian packages (server, desktop) in build-release/.
package: build-release
	@cmake --build build-release -j $(JOBS)
	@cd build-release && cpack -G DEB >/dev/null && ls -1 $(CURDIR)/build-release/*.deb

# One picture of the window per tab and state (docs/screenshots, shown in
# the README): the window tour replayed into the host offscreen, with a
# demo database of its own.
screenshots: build
	@mkdir -p docs/screenshots
	@tmp=$$(mktemp -d); trap 'rm -rf "$$tmp"' EXIT; \
	cd docs/screenshots && QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$$tmp" XDG_CONFIG_HOME="$$tmp" \
	  ../../build/desktop/zor-host --demo --branch 0001 --script ../../tests/desktop/window_tour.zs \
	  --screenshot 09-janela-ao-final.png && \
	QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$$tmp" ../../build/desktop/zor-host \
	  --preview "$$(ls "$$tmp"/zor12200/relatorios/*.pdf | head -1)" --screenshot 10-visualizacao-do-relatorio.png

# The benchmarks, optimized (-O3) in a folder of their own, each printing its
# ratios against a raw baseline of the same run (docs/performance.md).
# With ZOR_TEST_PG_URL set they run on PostgreSQL too.
BENCH_TARGETS := packet_bench context_load_bench save_bench
BENCH_ARGS ?= --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
bench: deps
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOR_WERROR=OFF \
	  -DZOR_WITH_TESTS=OFF -DZOR_WITH_DESKTOP=OFF $(LAUNCHER) >/dev/null
	@cmake --build build-bench -j $(JOBS) --target $(BENCH_TARGETS)
	@for b in $(BENCH_TARGETS); do echo "== $$b"; build-bench/bench/$$b $(BENCH_ARGS) || exit 1; done

clean:
	rm -rf build build-asan build-release build-bench build-fuzz
