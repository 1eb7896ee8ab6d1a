# Native build: the core's tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, libFuzzer targets (clang), benchmarks.
option(TOLMARO_SANITIZE "Build with AddressSanitizer and UBSan" ON)
option(TOLMARO_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(TOLMARO_BENCH "Build the benchmarks (Google Benchmark) instead of the tests" OFF)

if(TOLMARO_FUZZ)
    set(sanitizers -fsanitize=fuzzer-no-link,address,undefined)
elseif(TOLMARO_SANITIZE)
    set(sanitizers -fsanitize=address,undefined)
endif()
# On the core itself, and through it on every program that links it.
if(sanitizers)
    target_compile_options(tolmaro_core PUBLIC ${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(tolmaro_core PUBLIC ${sanitizers} -fno-sanitize-recover=all)
endif()

if(TOLMARO_FUZZ)
    foreach(target setupfile pilotfile waypoints language flightpaths flightlog flighttrace gpx cup compegps)
        add_executable(fuzz_${target} fuzz/fuzz_${target}.cpp)
        target_link_libraries(fuzz_${target} tolmaro_core)
        target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    endforeach()
    return()
endif()

if(TOLMARO_BENCH)
    find_package(benchmark REQUIRED)
    add_executable(waypoints_bench bench/waypoints_bench.cpp)
    target_link_libraries(waypoints_bench tolmaro_core benchmark::benchmark)
    add_executable(flightbook_bench bench/flightbook_bench.cpp)
    target_link_libraries(flightbook_bench tolmaro_core)
    add_executable(flighttrace_bench bench/flighttrace_bench.cpp)
    target_link_libraries(flighttrace_bench tolmaro_core)
    add_executable(import_bench bench/import_bench.cpp)
    target_link_libraries(import_bench tolmaro_core)
    return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()
add_executable(native_tests
    tests/common/files.cpp
    tests/common/degrees_test.cpp
    tests/native/scratch.cpp
    tests/native/aboutstream_test.cpp
    tests/native/devpath_test.cpp
    tests/native/flightlog_test.cpp
    tests/native/flightpaths_test.cpp
    tests/native/flighttrace_test.cpp
    tests/native/setupfile_test.cpp
    tests/native/texts_test.cpp
    tests/native/pilotfile_test.cpp
    tests/native/waypoints_test.cpp
    tests/native/import_test.cpp
)
target_link_libraries(native_tests tolmaro_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(native_tests)

# Writes pilot files for the check with an independent IGC reader.
add_executable(write_pilot_file tests/checks/drivers/write_pilot_file.cpp)
target_link_libraries(write_pilot_file tolmaro_core)

# Exports waypoint stores for the check with independent readers.
add_executable(write_waypoint_file tests/checks/drivers/write_waypoint_file.cpp)
target_link_libraries(write_waypoint_file tolmaro_core)

# Reads waypoint files as the page does, for the check with GPSBabel,
# ElementTree and csv, and the round trip of the export.
add_executable(read_waypoint_file tests/checks/drivers/read_waypoint_file.cpp)
target_link_libraries(read_waypoint_file tolmaro_core)

# Lists flight logs as the flight book does, for the check with GPSBabel and csv.
add_executable(list_flights tests/checks/drivers/list_flights.cpp)
target_link_libraries(list_flights tolmaro_core)

# Prints the flight view's numbers, for the check with an independent IGC reader.
add_executable(flight_numbers tests/checks/drivers/flight_numbers.cpp)
target_link_libraries(flight_numbers tolmaro_core)
