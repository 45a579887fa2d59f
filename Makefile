# Tabi: the two commands a newcomer needs are `make play` and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
PREFIX     ?= /usr/local
DESTDIR    ?=

SOURCES     = git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h'

.PHONY: all build deps play install test bench fuzz format format-check clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target tabi

play: build
	@tools/play.sh $(BUILD)/tabi

# The prefix is compiled in as well, where tabi looks for the demo last.
install: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target tabi
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

test: deps
	@$(MAKE) --no-print-directory format-check
	@cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABI_SANITIZE=ON -DTABI_FUZZ=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j$(JOBS)
	@cd $(TEST_BUILD) && ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTABI_BENCHMARKS=ON -DTABI_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j$(JOBS)
	@tools/run-benchmarks.sh $(BENCH_BUILD)

# The script fuzzer gets FUZZ_SECONDS; the replay and picture fuzzers, whose
# inputs are simpler, half of it each.
fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABI_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target script_fuzzer replay_fuzzer picture_fuzzer
	@tools/run-fuzzer.sh $(FUZZ_BUILD)/script_fuzzer $(FUZZ_SECONDS) tests/fuzz/script.dict \
		tests/fuzz/corpus demo/script
	@tools/run-fuzzer.sh $(FUZZ_BUILD)/replay_fuzzer $$(($(FUZZ_SECONDS) / 2)) tests/fuzz/replay.dict \
		tests/fuzz/replays demo/playthrough.txt
	@tools/run-fuzzer.sh $(FUZZ_BUILD)/picture_fuzzer $$(($(FUZZ_SECONDS) / 2)) tests/fuzz/picture.dict \
		tests/fuzz/pictures demo/image/m0.png demo/image/m3.png demo/image/dia.png

format:
	@$(SOURCES) | xargs clang-format -i

# Fails on any source that `make format` would change, naming the lines.
format-check:
	@$(SOURCES) | xargs clang-format --dry-run -Werror

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
