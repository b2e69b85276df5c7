# make run  : install what is missing, build, create the database if missing, start the program
# make test : the same set-up, then build and run every test
# make bench: the same set-up, then build and run the benchmarks
BUILD ?= build
JOBS  ?= $(shell nproc)
PKGS  := cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev fonts-noto-cjk fonts-ipafont-gothic \
         libsqlite3-dev qt6-translations-l10n poppler-utils libcups2-dev cups printer-driver-cups-pdf
SUDO  := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: setup build run test bench clean

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

clean:
	rm -rf $(BUILD)
