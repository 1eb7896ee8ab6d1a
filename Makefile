# The two commands of the README, and the builds behind them.
.PHONY: run test exe dist fuzz bench resources clean

# Installs what is missing, builds and starts tolmaro.exe on the sample
# instrument (drive E: under Wine); without a display, saves screenshots.
run:
	@tools/run-demo.sh

# Installs what is missing, builds everything and runs every test suite.
test:
	@tools/run-tests.sh

# Only the program: build/win32/tolmaro.exe
exe:
	@tools/install-deps.sh && tools/build.sh win32

# The release: build/dist/tolmaro-<version>-win32.zip and its SHA256SUMS.
dist:
	@tools/install-deps.sh && tools/build.sh win32 tolmaro && python3 tools/make_dist.py

# Longer fuzzing runs: make fuzz SECONDS=600
SECONDS ?= 300
fuzz:
	@tools/install-deps.sh && tools/build.sh fuzz && tools/run-fuzz.sh $(SECONDS)

bench:
	@tools/install-deps.sh && tools/run-bench.sh

# Remakes the icon, pictures and clips from their generators.
resources:
	@tools/make_resources.sh

clean:
	rm -rf build
