# make run: install what is missing, build, start Tintview under Wine.
# make test: install what is missing, build every target, run every test.
PRESETS := host win64 win32

.PHONY: run test build deps bench clean

deps:
	@tools/install-deps.sh

build: deps
	@for preset in $(PRESETS); do \
		[ -f build/$$preset/CMakeCache.txt ] || cmake --preset $$preset >/dev/null || exit 1; \
		cmake --build --preset $$preset || exit 1; \
	done

test: build
	@tools/run-tests.sh $(PRESETS)

run: deps
	@[ -f build/host/CMakeCache.txt ] || cmake --preset host >/dev/null
	@[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
	@cmake --build --preset host --target artwork helpc >/dev/null
	@cmake --build --preset win64 --target Tintview >/dev/null
	@tools/run-tintview.sh build/win64/bin/Tintview.exe

bench: deps
	@[ -f build/host/CMakeCache.txt ] || cmake --preset host >/dev/null
	@[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
	@cmake --build --preset host >/dev/null && cmake --build --preset win64 --target prismel_bench >/dev/null
	@tools/run-bench.sh

clean:
	rm -rf build
