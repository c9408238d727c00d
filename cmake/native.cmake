# Native tree: portable logic, unit tests under sanitizers, benchmarks.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)

set(KESTIL_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)

kestil_portable_library(kestil_portable_san)
target_compile_options(kestil_portable_san PUBLIC ${KESTIL_SANITIZE})
target_link_options(kestil_portable_san PUBLIC ${KESTIL_SANITIZE})

kestil_portable_library(kestil_portable)
target_compile_options(kestil_portable PRIVATE -O2)

add_executable(kestil_native_tests
  tests/native/codec_test.cpp
  tests/native/utf8_test.cpp
  tests/native/utf16_test.cpp
  tests/native/encoding_test.cpp
  tests/native/edit_contract_test.cpp
  tests/native/options_test.cpp
  tests/native/tag_commands_test.cpp
  tests/native/css_declaration_test.cpp
  tests/native/recent_files_test.cpp
  tests/native/snippet_menu_test.cpp
  tests/native/tools_test.cpp
  tests/native/gradient_test.cpp
  tests/native/undo_history_test.cpp
  tests/native/text_search_test.cpp
  tests/native/print_layout_test.cpp
  tests/native/text_rules_test.cpp
  tests/native/file_text_test.cpp
  tests/native/surface_text_test.cpp
  tests/native/tag_match_test.cpp
  tests/native/file_name_test.cpp
  tests/native/markup_check_test.cpp
)
target_include_directories(kestil_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(kestil_native_tests PRIVATE KESTIL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
target_compile_options(kestil_native_tests PRIVATE ${KESTIL_WARNINGS})
target_link_libraries(kestil_native_tests PRIVATE kestil_portable_san GTest::gtest GTest::gtest_main)
add_test(NAME native_tests COMMAND kestil_native_tests --gtest_brief=1)

# The UTF-8 codec once more without its AVX2 code, as processors without it
# run it: the byte-at-a-time code alone, over every test.
add_executable(kestil_utf8_scalar_tests tests/native/utf8_test.cpp src/base/utf8.cpp
               src/base/utf8_avx2.cpp)
target_include_directories(kestil_utf8_scalar_tests PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_compile_definitions(kestil_utf8_scalar_tests PRIVATE KESTIL_NO_AVX2)
target_compile_options(kestil_utf8_scalar_tests PRIVATE ${KESTIL_WARNINGS} ${KESTIL_SANITIZE})
target_link_options(kestil_utf8_scalar_tests PRIVATE ${KESTIL_SANITIZE})
target_link_libraries(kestil_utf8_scalar_tests PRIVATE GTest::gtest GTest::gtest_main)
add_test(NAME utf8_scalar_tests COMMAND kestil_utf8_scalar_tests --gtest_brief=1)

add_executable(kestil_codec_bench bench/native/codec_bench.cpp bench/sample_text.cpp)
target_include_directories(kestil_codec_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_compile_options(kestil_codec_bench PRIVATE ${KESTIL_WARNINGS} -O2)
target_link_libraries(kestil_codec_bench PRIVATE kestil_portable benchmark::benchmark)

add_executable(kestil_tag_match_bench bench/native/tag_match_bench.cpp)
target_compile_options(kestil_tag_match_bench PRIVATE ${KESTIL_WARNINGS} -O2)
target_link_libraries(kestil_tag_match_bench PRIVATE kestil_portable benchmark::benchmark)

add_executable(kestil_markup_check_bench bench/native/markup_check_bench.cpp)
target_compile_options(kestil_markup_check_bench PRIVATE ${KESTIL_WARNINGS} -O2)
target_link_libraries(kestil_markup_check_bench PRIVATE kestil_portable benchmark::benchmark)
