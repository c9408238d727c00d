# Windows tree: kestil.exe and the Windows tests, run through Wine by CTest.
set(KESTIL_WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 shlwapi advapi32 winspool)
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
add_link_options(-static -static-libgcc -static-libstdc++)

kestil_portable_library(kestil_portable)

add_library(kestil_win STATIC
  src/fw/text.cpp
  src/fw/registry_profile.cpp
  src/fw/command.cpp
  src/fw/ui.cpp
  src/fw/file_io.cpp
  src/fw/app.cpp
  src/fw/document.cpp
  src/fw/edit_view.cpp
  src/fw/frame.cpp
  src/fw/dialog.cpp
  src/fw/shell_registration.cpp
  src/fw/printing.cpp
  src/view/edit_control.cpp
  src/view/kestil_view.cpp
  src/frame/kestil_doc.cpp
  src/frame/main_frame.cpp
  src/snippets/regstr_dialogs.cpp
  src/view/tool_dialogs.cpp
  src/gradient/gradient_dlg.cpp
  src/app/kestil_app.cpp
)
target_include_directories(kestil_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(kestil_win PRIVATE ${KESTIL_WARNINGS})
target_link_libraries(kestil_win PUBLIC kestil_portable ${KESTIL_WIN_LIBS})

add_executable(kestil WIN32 src/app/main.cpp src/res/kestil.rc)
target_compile_options(kestil PRIVATE ${KESTIL_WARNINGS})
target_link_options(kestil PRIVATE -municode)
target_link_libraries(kestil PRIVATE kestil_win)

# GoogleTest from the system's source copy, built with the cross compiler; on
# Windows itself (MSYS2) the installed package.
set(KESTIL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(EXISTS ${KESTIL_GTEST_SOURCE}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KESTIL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()

add_executable(kestil_win_tests
  tests/win/text_core_test.cpp
  tests/win/edit_control_test.cpp
  tests/win/win_test_util.cpp
)
target_include_directories(kestil_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(kestil_win_tests PRIVATE ${KESTIL_WARNINGS})
target_link_libraries(kestil_win_tests PRIVATE kestil_win gtest gtest_main)
add_test(NAME win_text_core COMMAND kestil_win_tests --gtest_brief=1)
set_tests_properties(win_text_core PROPERTIES TIMEOUT 600)

add_executable(kestil_win_app_tests
  tests/win/resources_test.cpp
  tests/win/main_window_test.cpp
  tests/win/dialog_test.cpp
  tests/win/snippets_test.cpp
  tests/win/tools_test.cpp
  tests/win/gradient_dialog_test.cpp
  tests/win/editing_test.cpp
  tests/win/hostile_registry_test.cpp
  tests/win/file_faults_test.cpp
  tests/win/dialog_driver.cpp
  tests/win/app_fixture.cpp
  tests/win/win_test_util.cpp
  src/res/kestil.rc
)
target_include_directories(kestil_win_app_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src/res)
target_compile_options(kestil_win_app_tests PRIVATE ${KESTIL_WARNINGS})
target_link_libraries(kestil_win_app_tests PRIVATE kestil_win gtest gtest_main)
add_test(NAME win_main_window COMMAND kestil_win_app_tests --gtest_brief=1)
set_tests_properties(win_main_window PROPERTIES TIMEOUT 600)

# Killed by the app tests in the middle of its saves.
add_executable(kestil_save_victim tests/win/save_victim.cpp)
target_include_directories(kestil_save_victim PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_options(kestil_save_victim PRIVATE ${KESTIL_WARNINGS})
target_link_options(kestil_save_victim PRIVATE -municode)
target_link_libraries(kestil_save_victim PRIVATE kestil_win)
add_dependencies(kestil_win_app_tests kestil_save_victim)

add_executable(kestil_win_bench bench/win/insert_bench.cpp bench/sample_text.cpp)
target_include_directories(kestil_win_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_compile_options(kestil_win_bench PRIVATE ${KESTIL_WARNINGS})
target_link_libraries(kestil_win_bench PRIVATE kestil_win)
target_link_options(kestil_win_bench PRIVATE -municode)

# Helper of scripts/screenshots: drives the program from outside.
add_executable(kestil_drive tools/drive.cpp)
target_link_options(kestil_drive PRIVATE -municode)

add_executable(kestil_startup_bench bench/win/startup_bench.cpp bench/sample_text.cpp)
target_include_directories(kestil_startup_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_compile_options(kestil_startup_bench PRIVATE ${KESTIL_WARNINGS})
target_link_options(kestil_startup_bench PRIVATE -municode)
target_link_libraries(kestil_startup_bench PRIVATE kestil_win)

# The release package, unpacked and started under Wine.
add_test(NAME package COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package_test.sh)
set_tests_properties(package PROPERTIES TIMEOUT 300)
