# The two commands of the README, and the builds behind them.
.PHONY: run test exe dist fuzz bench resources clean

# Installs what is missing, builds and starts tolmaro.exe on the sample
# instrument (drive E: under Wine); without a display, saves screenshots.
run:
	@tools/demo/run_demo.sh

# Installs what is missing, builds everything and runs every test suite.
test:
	@tests/run_tests.sh

# Only the program: build/win32/tolmaro.exe
exe:
	@tools/build/install_deps.sh && tools/build/build.sh win32

# The release: build/dist/tolmaro-<version>-win32.zip and its SHA256SUMS.
dist:
	@tools/build/install_deps.sh && tools/build/build.sh win32 tolmaro && python3 tools/build/make_dist.py

# Longer fuzzing runs: make fuzz SECONDS=600
SECONDS ?= 300
fuzz:
	@tools/build/install_deps.sh && tools/build/build.sh fuzz && fuzz/run_fuzz.sh $(SECONDS)

bench:
	@tools/build/install_deps.sh && bench/run_bench.sh

# Remakes the icon, pictures and clips from their generators.
resources:
	@tools/assets/make_resources.sh

clean:
	rm -rf build
