# make run: install what is missing, build, start Tintview under Wine.
# make test: install what is missing, build every target, run every test.
# make dist: install what is missing, build what ships, make build/dist/Prismel-1.0-setup.exe,
#   the portable build/dist/Prismel-1.0-portable.zip, and winget's and Scoop's manifests for
#   them (build/dist/winget, build/dist/scoop), which download them from RELEASE_URL.
# make bench: Tintview's figures beside a bare dialog's.
# make fuzz: run each fuzz target for FUZZ_SECONDS (as many at a time as the machine has
#   cores), growing build/sanitize/fuzz.
PRESETS := host win64 win32 sanitize
FUZZ_SECONDS := 300
# Where the released files are to be downloaded from: by default the about box's address.
RELEASE_URL ?= http://prismel.example/
# Builds and test runs use every core the machine has (CMake and CTest read these).
export CMAKE_BUILD_PARALLEL_LEVEL ?= $(shell nproc)
export CTEST_PARALLEL_LEVEL ?= $(shell nproc)

.PHONY: run test build deps bench dist fuzz clean

# $(call configure,<preset>): configures the preset's build folder unless it is configured.
configure = [ -f build/$(1)/CMakeCache.txt ] || cmake --preset $(1) >/dev/null

deps:
	@scripts/install-deps.sh

build: deps
	@for preset in $(PRESETS); do \
		$(call configure,$$preset) || exit 1; \
		cmake --build --preset $$preset || exit 1; \
	done

test: build
	@scripts/run-tests.sh $(PRESETS)

fuzz:
	@$(MAKE) --no-print-directory build PRESETS=sanitize
	@PRISMEL_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset sanitize -L fuzz \
		--timeout $$(($(FUZZ_SECONDS) + 120))

# The Windows builds run the host build's tools, so the host build comes first.
run: deps
	@$(call configure,host)
	@cmake --build --preset host --target artwork helpc >/dev/null
	@$(call configure,win64)
	@cmake --build --preset win64 --target Tintview >/dev/null
	@scripts/run-tintview.sh build/win64/bin/Tintview.exe

bench: deps
	@$(call configure,host)
	@cmake --build --preset host >/dev/null
	@$(call configure,win64)
	@cmake --build --preset win64 --target prismel_bench >/dev/null
	@scripts/run-bench.sh

# Only what ships, and the host tools that draw its pictures and compile its help.
dist: deps
	@$(call configure,host)
	@cmake --build --preset host --target artwork helpc
	@$(call configure,win64)
	@$(call configure,win32)
	@cmake --build --preset win64 --target Tintview
	@cmake --build --preset win32 --target Tintview uninstall
	@setup=$$(installer/make-setup.sh build/dist build/win64/bin build/win32/bin) && \
		portable=$$(installer/make-portable.sh build/dist build/win64/bin build/win32/bin) && \
		installer/make-manifests.sh build/dist "$$setup" "$$portable" "$(RELEASE_URL)" && \
		stat -c '%s bytes  %n' "$$setup" "$$portable" \
			build/win64/bin/Tintview.exe build/win64/bin/Mousetap.dll \
			build/win32/bin/Tintview.exe build/win32/bin/Mousetap.dll build/win32/bin/uninstall.exe

clean:
	rm -rf build
