# Windows build: tolmaro.exe and the tests that drive the real dialog
# under Wine. Texts in the resource script are UTF-8, stored as code page 1252.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c65001")
set(CMAKE_RC_COMPILE_OBJECT
    "<CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> -I ${CMAKE_SOURCE_DIR} -O coff <SOURCE> <OBJECT>")

# Everything of the program except its entry and its modal prompts, which
# the tests replace with scripted answers.
add_library(tolmaro_win STATIC
    ui/captions.cpp
    ui/filedialog.cpp
    ui/pages.cpp
    ui/status.cpp
    flights/filepage.cpp
    flights/flightbook.cpp
    flights/flightview.cpp
    flights/walks.cpp
    pilot/pilotpage.cpp
    settings/settingspages.cpp
    waypoints/importpage.cpp
    waypoints/waypointpage.cpp
    app/about.cpp
    app/dialog.cpp
    app/instrument.cpp
    app/preview.cpp
)
target_link_libraries(tolmaro_win PUBLIC tolmaro_core comctl32 comdlg32 shell32 gdi32 user32)

# The exported degrees must be the double quotient, rounded once: x87 code
# divides in extended precision and rounds twice.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set_source_files_properties(waypoints/wptformat.cpp PROPERTIES COMPILE_OPTIONS "-msse2;-mfpmath=sse")
endif()

# windres does not report the files the script names; rebuild on their change.
file(GLOB resource_files ${CMAKE_SOURCE_DIR}/resources/*)
set_source_files_properties(resources/tolmaro.rc PROPERTIES OBJECT_DEPENDS "${resource_files}")

set(static_options -static -static-libgcc -static-libstdc++)

add_executable(tolmaro WIN32 app/main.cpp ui/prompts.cpp resources/tolmaro.rc)
target_link_libraries(tolmaro tolmaro_win)
target_link_options(tolmaro PRIVATE ${static_options})

# The program file carries no debug sections. They go to tolmaro.exe.debug
# beside it, which the file names in its debug link, so that a crash address
# can still be resolved: addr2line -f -C -e tolmaro.exe.debug ADDRESS.
# Debug information changes no generated code.
#
# Two builds of the same sources in different folders give the same bytes:
# the debug information names no folder outside the source folder (the debug
# link holds a checksum of the debug file, so its paths count too), and the
# PE time stamp, which ld, strip and objcopy would otherwise set to the time
# of the run, is the release date (SOURCE_DATE_EPOCH), as tools/build/version.py
# reads it from resources/version.h.
execute_process(COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/build/version.py
                OUTPUT_VARIABLE release_epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/resources/version.h ${CMAKE_SOURCE_DIR}/tools/build/version.py)
set(with_release_time ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch})

# The sources are named from the build folder (build/win32), which the debug
# information names as ".": the names resolve from where the program lies.
# GCC tries the map given last first, and the build folder lies inside the
# source folder.
file(RELATIVE_PATH source_from_build ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR})
string(REGEX REPLACE "/$" "" source_from_build "${source_from_build}")
foreach(target tolmaro_core tolmaro_win tolmaro)
    target_compile_options(${target} PRIVATE -g -fno-exceptions -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=${source_from_build}/
                           -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
endforeach()
string(JOIN " " link_launcher ${with_release_time})
set_property(TARGET tolmaro PROPERTY RULE_LAUNCH_LINK "${link_launcher}")
add_custom_command(TARGET tolmaro POST_BUILD
    COMMAND ${with_release_time} ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:tolmaro> $<TARGET_FILE:tolmaro>.debug
    COMMAND ${with_release_time} ${CMAKE_STRIP} --strip-all $<TARGET_FILE:tolmaro>
    COMMAND ${with_release_time} ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE:tolmaro>.debug $<TARGET_FILE:tolmaro>
    VERBATIM)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)
enable_testing()
set(win_test_sources
    tests/common/files.cpp
    tests/common/degrees_test.cpp
    tests/win/harness.cpp
    tests/win/scripted_prompts.cpp
    tests/win/locate_test.cpp
    tests/win/files_test.cpp
    tests/win/flightbook_test.cpp
    tests/win/flightview_test.cpp
    tests/win/import_test.cpp
    tests/win/pages_test.cpp
    tests/win/pilot_test.cpp
    tests/win/settingspages_test.cpp
    tests/win/waypoints_test.cpp
)
add_executable(win_tests ${win_test_sources} resources/tolmaro.rc)
target_link_libraries(win_tests tolmaro_win gtest gtest_main)
# The sample instrument the tests copy, made by its generator: git keeps no
# empty folder, and the generator alone knows the sample's.
set(sample_instrument ${CMAKE_BINARY_DIR}/sample-instrument)
add_custom_command(OUTPUT ${sample_instrument}/SETUP/setupdata.txt
    COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/samples/make_sample_instrument.py --out ${sample_instrument}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/samples/make_sample_instrument.py)
add_custom_target(sample_instrument DEPENDS ${sample_instrument}/SETUP/setupdata.txt)
add_dependencies(win_tests sample_instrument)
target_compile_definitions(win_tests PRIVATE TOLMARO_SAMPLE_DIR="${sample_instrument}")
# The end-to-end tests start the real program from the same folder.
add_dependencies(win_tests tolmaro)
target_link_options(win_tests PRIVATE ${static_options})
# One Wine process per test: every test starts the program from scratch.
gtest_add_tests(TARGET win_tests SOURCES ${win_test_sources})

# The full copy's benchmark: the real dialog with scripted prompts.
add_executable(copy_bench bench/copy_bench.cpp tests/win/scripted_prompts.cpp resources/tolmaro.rc)
target_link_libraries(copy_bench tolmaro_win psapi)
target_link_options(copy_bench PRIVATE ${static_options})
