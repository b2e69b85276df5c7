# make run  : install what is missing, build, create the database if missing, start the program
# make test : the same set-up, then build and run every test
# make bench: the same set-up, then build and run the benchmarks
# make sanitize: the same set-up, then build (in build-asan) and run every test under the
#             address, leak and undefined-behaviour sanitizers; any finding fails its test
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS  ?= $(shell nproc)
PKGS  := cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-noto-cjk fonts-ipafont-gothic \
         libsqlite3-dev qt6-translations-l10n poppler-utils libcups2-dev cups printer-driver-cups-pdf
SUDO  := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: setup build run test bench sanitize clean

setup:
	@missing=""; for p in $(PKGS); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/app/vanrek

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

bench: build
	cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@set -e; for b in $(BUILD)/bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b"; fi; done

# Any finding ends its process with an error; leaks inside system libraries are listed in
# tools/lsan.supp. The set-up tool the build runs is checked too.
SAN_ENV := ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
sanitize: setup
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANREK_SANITIZE=ON \
	    $$(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >/dev/null
	$(SAN_ENV) cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
