# The two commands of the README:
#   make run    installs what is missing, builds, and opens the desktop program on the
#               bundled FENU5 example (without a display: a summary, a model run with a small
#               results table, the network picture and, when the program can, a results chart)
#   make test   installs what is missing, builds with AddressSanitizer and
#               UndefinedBehaviorSanitizer, and runs the whole suite through ctest
# and, for developers:
#   make fuzz   runs every fuzz target for FUZZ_SECONDS (default 60) each
#   make bench  builds and runs the benchmarks (release build)
#   make package builds the Debian package (CPack) into build/package and checks it

SHELL := /bin/bash
DEBIAN_PACKAGES := cmake ninja-build g++ make googletest libgtest-dev libbenchmark-dev \
  libjemalloc-dev qt6-base-dev libqt6charts6-dev qt6-svg-dev qt6-charts-dev libgl-dev rcs xvfb \
  clang libclang-rt-14-dev locales desktop-file-utils appstream shared-mime-info dpkg-dev file
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
EXAMPLE := examples/fenu5_river/river.orb

.PHONY: run test deps locale fuzz bench package clean

run: deps
	cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVO_BUILD_TESTS=OFF
	cmake --build build/release -j $(JOBS)
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  build/release/bin/orvobuilder $(EXAMPLE); \
	else \
	  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running without windows."; \
	  echo; tools/first_run build/release/bin $(EXAMPLE); \
	fi

test: deps locale
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVO_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

# Only calls apt-get when a package is missing, so a warm machine pays nothing.
deps:
	@missing=""; for p in $(DEBIAN_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

# The locale-independence test needs a comma-decimal locale to switch to.
locale:
	@if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$$'; then \
	  echo "generating de_DE.UTF-8"; \
	  $(SUDO) sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen && \
	  $(SUDO) locale-gen >/dev/null || echo "could not generate de_DE.UTF-8; its test will skip"; \
	fi

fuzz: deps
	CC=clang CXX=clang++ cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/fuzz -j $(JOBS)
	@for target in build/fuzz/fuzz_*; do \
	  name=$$(basename $$target); corpus=build/fuzz/corpus/$$name; \
	  mkdir -p $$corpus && cp -n fuzz/corpus/$$name/* $$corpus/ 2>/dev/null; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build/fuzz/ $$corpus || exit 1; \
	done

bench: deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVO_BUILD_TESTS=OFF -DORVO_BUILD_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	build/bench/bin/orvo_bench

# Not part of make test: a release build of its own and the package check take a while.
package: deps
	cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVO_BUILD_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build/package -j $(JOBS)
	cd build/package && cpack -G DEB
	tools/check_package build/package/orvobuilder_*.deb

clean:
	rm -rf build
