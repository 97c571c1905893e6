# make run: install what is missing, build, start Tintview under Wine.
# make test: install what is missing, build every target, run every test.
# make fuzz: run each fuzz target for FUZZ_SECONDS (two at a time), growing build/sanitize/fuzz.
PRESETS := host win64 win32 sanitize
FUZZ_SECONDS := 300

.PHONY: run test build deps clean fuzz

deps:
	@tools/install-deps.sh

build: deps
	@for preset in $(PRESETS); do \
		[ -f build/$$preset/CMakeCache.txt ] || cmake --preset $$preset >/dev/null || exit 1; \
		cmake --build --preset $$preset || exit 1; \
	done

test: build
	@tools/run-tests.sh $(PRESETS)

fuzz:
	@$(MAKE) --no-print-directory build PRESETS=sanitize
	@PRISMEL_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset sanitize -L fuzz \
		--timeout $$(($(FUZZ_SECONDS) + 120))

run: deps
	@[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
	@cmake --build --preset win64 --target Tintview
	@tools/run-tintview.sh build/win64/bin/Tintview.exe

clean:
	rm -rf build
