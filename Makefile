# Shardfall: the two commands that matter are `make run` and `make test`.
# Both install what is missing (scripts/bootstrap), configure, build and
# generate the data first.

BUILD_DIR   ?= build
ASAN_DIR    ?= build-asan
FUZZ_DIR    ?= build-fuzz
WEB_DIR     ?= build-web
WEB_PORT    ?= 8023
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
  CMAKE_FLAGS += -DSHARDFALL_WERROR=ON
endif
# A new build folder is made for Ninja when it is installed (it keeps both
# cores busy across the libraries' boundaries); a folder keeps the generator
# it was first made with.
generator = $(if $(wildcard $(1)/CMakeCache.txt),,$(if $(shell command -v ninja),-G Ninja))

.PHONY: all run test build bench clean bootstrap configure test-asan levels-report kill-test fuzz install package soak \
  guard-update update-po \
  web web-serve web-test

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD_DIR) $(call generator,$(BUILD_DIR)) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-game $(BUILD_DIR)/dist

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The whole test suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
test-asan: bootstrap
	@cmake -S . -B $(ASAN_DIR) $(call generator,$(ASAN_DIR)) -DCMAKE_BUILD_TYPE=Debug -DSHARDFALL_SANITIZE=ON -DSHARDFALL_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_DIR) -j $(JOBS)
	@ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# The whole program under the sanitizers for MINUTES minutes: the demo plays
# every mode in turn, the program restarted between sessions so that each
# goes on from the last one's save (scripts/soak says what fails it).
MINUTES ?= 60
soak: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
soak: bootstrap
	@cmake -S . -B $(ASAN_DIR) $(call generator,$(ASAN_DIR)) -DCMAKE_BUILD_TYPE=Debug -DSHARDFALL_SANITIZE=ON -DSHARDFALL_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(ASAN_DIR) --target shardfall_play game_data levels -j $(JOBS)
	@scripts/soak $(ASAN_DIR) $(MINUTES)

# Every parser of a file the game reads, fuzzed for FUZZ_SECONDS each under
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from the generated
# data (FUZZ_ONLY="tga wav" runs only those). Built with clang in its own
# folder, so it never touches the ordinary build.
FUZZ_ONLY ?=
fuzz: build
	@cmake -S . -B $(FUZZ_DIR) $(call generator,$(FUZZ_DIR)) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DSHARDFALL_FUZZ=ON -DSHARDFALL_BENCH=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzzers -j $(JOBS)
	@scripts/run-fuzz $(FUZZ_DIR) $(BUILD_DIR)/dist $(FUZZ_SECONDS) $(FUZZ_ONLY)

# The frame-exact guard's list rewritten from a fresh run of every journey
# (tests/guard/): for a commit that changes what the player sees or hears
# on purpose. `make test` compares with the list.
guard-update: build
	@tests/guard/run-guard.sh update $(BUILD_DIR)/dist/shardfall $(BUILD_DIR)/dist $(BUILD_DIR)/guard-update

# Every quest level played by the autoplayer from many seeds, at the board
# speeds of the game's data: win rate and time used per level (SEEDS=n to
# change how many).
SEEDS ?= 20
levels-report: configure
	@cmake --build $(BUILD_DIR) --target levels_report game_data -j $(JOBS)
	@$(BUILD_DIR)/tools/levelc/levels_report --data $(BUILD_DIR)/dist levels $(SEEDS)

# The game killed at random moments of its exit write-back, 300 times: only
# the old game.ini or the new one may be left (make test runs 30).
kill-test: build
	@tests/scenarios/exit_write_back_kill.sh $(BUILD_DIR)/dist/shardfall $(BUILD_DIR)/kill-test 300

# The game installed under PREFIX (DESTDIR is honoured as usual): the
# program in games/, the data in share/games/shardfall/, the desktop entry,
# the icons and the manual page (packaging/CMakeLists.txt).
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the same tree under /usr, in $(BUILD_DIR)/package/,
# and the check of its listing and desktop entry.
package: build
	@rm -f $(BUILD_DIR)/package/*.deb
	@cd $(BUILD_DIR) && cpack -G DEB
	@scripts/check-package $(BUILD_DIR)/package/*.deb

# The template catalogue renewed from the generator's texts and merged into
# every translation (po/README): new texts come untranslated, changed ones
# fuzzy, until a translator has seen them.
update-po: build
	@cp $(BUILD_DIR)/shardfall.pot po/shardfall.pot
	@for po in po/*.po; do [ -e "$$po" ] || continue; \
	  msgmerge --quiet --update --backup=none "$$po" po/shardfall.pot || exit 1; done
	@scripts/check-catalogues po || true

bench: build
	@scripts/run-benchmarks $(BUILD_DIR)

# The game as a static web page in $(WEB_DIR)/site: the libraries built once
# from Debian's source packages, then the game with Emscripten and its data
# beside it (scripts/web-build says how).
web:
	@scripts/web-build $(BUILD_DIR) $(WEB_DIR)

# The site on http://127.0.0.1:$(WEB_PORT)/ (loopback only).
web-serve: web
	@node tests/web/serve.mjs $(WEB_DIR)/site $(WEB_PORT)

# The page played in headless Chromium through Playwright (tests/web/).
web-test: web
	@tests/web/run $(WEB_DIR) $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR) $(WEB_DIR)
