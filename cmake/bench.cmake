# Every bench/<topic>/CMakeLists.txt, in the tree being configured; a topic
# tests CMAKE_CROSSCOMPILING for what belongs to the Windows tree. Benchmark
# targets are not built by default: scripts under bench/ build what they run.
file(GLOB KS_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*/CMakeLists.txt)
foreach(bench IN LISTS KS_BENCHES)
  get_filename_component(dir ${bench} DIRECTORY)
  get_filename_component(topic ${dir} NAME)
  add_subdirectory(${dir} ${CMAKE_BINARY_DIR}/bench/${topic} EXCLUDE_FROM_ALL)
endforeach()
