# Host tree: the fake machine and the native tests.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KS_FAKE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/fake/*.cpp)
add_library(ks_fake STATIC ${KS_FAKE_SOURCES})
target_link_libraries(ks_fake PUBLIC ks_common)

file(GLOB_RECURSE KS_NATIVE_TESTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/tests/native/*.cpp ${CMAKE_SOURCE_DIR}/tests/contract/*.cpp)
add_executable(ks_native_tests ${KS_NATIVE_TESTS})
target_include_directories(ks_native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(ks_native_tests PRIVATE KS_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
target_link_libraries(ks_native_tests PRIVATE ks_all ks_fake GTest::gtest_main)
gtest_discover_tests(ks_native_tests DISCOVERY_TIMEOUT 60)

# Benchmarks (run on demand, see the README).
include(${CMAKE_SOURCE_DIR}/cmake/bench.cmake)

# The value database generator (scripts/make_value_database.sh runs it).
add_executable(ks_make_database EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/scripts/make_value_database.cpp)
target_link_libraries(ks_make_database PRIVATE ks_se)
