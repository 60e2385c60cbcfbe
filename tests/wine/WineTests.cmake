# The Wine tier, registered in the native build so that one ctest run covers both tiers.
# One prefix, one wineserver and one Xvfb for the whole run (fixtures); the tests take a
# lock because they share the prefix and Wine's per-application settings.
set(PARCELKIT_HARNESS ${CMAKE_CURRENT_SOURCE_DIR}/wine/harness)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

add_test(NAME wine.start COMMAND ${PARCELKIT_HARNESS}/start-wine.sh)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME wine.stop COMMAND ${PARCELKIT_HARNESS}/stop-wine.sh)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

add_test(NAME wine.platform
         COMMAND ${PARCELKIT_HARNESS}/wine-run.sh
                 ${PARCELKIT_WINE_BUILD}/tests/parcelkit_wine_tests.exe --gtest_brief=1)
set_tests_properties(wine.platform PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                     TIMEOUT 300)

# The same program told by Wine that it runs on Windows 98: the 9x family is detected.
add_test(NAME wine.platform.win98
         COMMAND ${PARCELKIT_HARNESS}/with-windows-version.sh parcelkit_wine_tests.exe win98
                 ${PARCELKIT_HARNESS}/wine-run.sh
                 ${PARCELKIT_WINE_BUILD}/tests/parcelkit_wine_tests.exe --gtest_brief=1
                 --gtest_filter=Win32SystemInfo.ReportsTheFamilyWineWasAskedFor)
set_tests_properties(wine.platform.win98 PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                     ENVIRONMENT PARCELKIT_EXPECT_FAMILY=98 TIMEOUT 300)

# Every case file under wine/cases is one test: a setup folder, a command line and what
# must be on disk, in the registry and in uninstall.ini afterwards.
file(GLOB PARCELKIT_WINE_CASES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/wine/cases/*.json)
foreach(case_file ${PARCELKIT_WINE_CASES})
    get_filename_component(case_name ${case_file} NAME_WE)
    add_test(NAME wine.case.${case_name}
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/run_case.py ${case_file}
                     --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                     --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                     --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwnotes.exe 01-core
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwhelper.exe 01-core)
    set_tests_properties(wine.case.${case_name} PROPERTIES FIXTURES_REQUIRED wine
                         RESOURCE_LOCK wine TIMEOUT 300)
endforeach()

# The windows on screens of 96, 120, 144 and 192 dpi, in English and the built-in Chinese texts:
# the layout table scaled by dpi/96, and no text cut.
add_test(NAME wine.dpi_layout
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/dpi_layout_test.py
                 --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                 --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe)
set_tests_properties(wine.dpi_layout PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                     TIMEOUT 300)

# The uninstaller on an installation laid out by hand: silently, and through its window.
# Silently with a regedit.exe left beside the uninstaller, which must not start it.
add_test(NAME wine.uninstall.silent
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/uninstaller_test.py
                 --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                 --plant ${PARCELKIT_WINE_BUILD}/tests)
add_test(NAME wine.uninstall.window
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/uninstaller_test.py
                 --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                 --driver ${PARCELKIT_WINE_BUILD}/tests/uninstaller_driver.exe)
add_test(NAME wine.uninstall.after_install
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/uninstaller_after_install_test.py
                 --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                 --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                 --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe)
set_tests_properties(wine.uninstall.silent wine.uninstall.window wine.uninstall.after_install
                     PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 300)

# The record while setup.exe /s writes it: read over and over, and killed at three moments;
# and a second run of the same product while one runs.
add_test(NAME wine.record_under_kill
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/record_kill_test.py
                 ${PARCELKIT_WINE_BUILD}/src/setup.exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe)
set_tests_properties(wine.record_under_kill PROPERTIES FIXTURES_REQUIRED wine
                     RESOURCE_LOCK wine TIMEOUT 600)

# The installed-programs entry over three installations with one id: overwritten values,
# and a destination field that starts at the earlier installation's directory.
add_test(NAME wine.installed_programs
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/installed_programs_test.py
                 --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                 --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                 --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe)
set_tests_properties(wine.installed_programs PROPERTIES FIXTURES_REQUIRED wine
                     RESOURCE_LOCK wine TIMEOUT 300)

# Install, then uninstall.exe /s: files, registry and system.ini as before, except what the
# record leaves by design. The demo, and a folder with every kind of record (also on 9x).
foreach(scenario demo records records98)
    add_test(NAME wine.uninstall.snapshot.${scenario}
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/uninstall_snapshot_test.py
                     ${scenario}
                     --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                     --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                     --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwnotes.exe 01-core
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwhelper.exe 01-core)
    set_tests_properties(wine.uninstall.snapshot.${scenario} PROPERTIES FIXTURES_REQUIRED wine
                         RESOURCE_LOCK wine TIMEOUT 300)
endforeach()

# Through the uninstaller's window: one of two components, then the other; and a file held
# open, which goes at the restart with the finish text saying so.
foreach(script uninstall_components uninstall_locked)
    add_test(NAME wine.${script}
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/${script}_test.py
                     --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                     --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                     --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe
                     --uninstaller-driver ${PARCELKIT_WINE_BUILD}/tests/uninstaller_driver.exe)
    set_tests_properties(wine.${script} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                         TIMEOUT 300)
endforeach()

# Both builds of the checker on the same folders (the demo and the broken ones): the
# Windows build under Wine prints byte for byte what the Linux build prints.
add_test(NAME wine.checker.same_output
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/checker/check_folders.py
                 ${CMAKE_CURRENT_SOURCE_DIR}/checker/broken_folders.json
                 --checker $<TARGET_FILE:parcelkit-check>
                 --windows-checker ${PARCELKIT_WINE_BUILD}/src/parcelkit-check.exe)
set_tests_properties(wine.checker.same_output PROPERTIES FIXTURES_REQUIRED wine
                     RESOURCE_LOCK wine TIMEOUT 600)

# setup.exe /s on setup folders that are not as they should be: malformed ones made by the
# test, one row each; seeded mutations of the example folder (the seed is printed, and
# PARCELKIT_MUTATION_SEED replays a run); a full disk, a 2 MB tmpfs mapped as a drive (skipped
# where none may be mounted). None may crash or wait, each ends with 1603 or installs what is
# sound, and no record names a file that is not there.
foreach(script malformed_setup mutations full_disk)
    add_test(NAME wine.${script}
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wine/${script}_test.py
                     --setup-exe ${PARCELKIT_WINE_BUILD}/src/setup.exe
                     --uninstall-exe ${PARCELKIT_WINE_BUILD}/src/uninstall.exe
                     --driver ${PARCELKIT_WINE_BUILD}/tests/pkdriver.exe
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwnotes.exe 01-core
                     --payload ${PARCELKIT_WINE_BUILD}/examples/payload/nwhelper.exe 01-core)
    set_tests_properties(wine.${script} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                         SKIP_RETURN_CODE 77 TIMEOUT 900)
endforeach()

# The shipped program itself: PE32, system DLLs only, manifest, icon and version.
add_test(NAME build.setup_exe
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/build/check_setup_exe.py
                 ${PARCELKIT_PRODUCT_BUILD}/src/setup.exe)
add_test(NAME build.uninstall_exe
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/build/check_setup_exe.py
                 ${PARCELKIT_PRODUCT_BUILD}/src/uninstall.exe)
