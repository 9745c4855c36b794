# bench_memory: resident memory of the weighing window after its first receipt and after 1,000,
# each entered with the keys an operator uses, so that every field is entered and left.
add_executable(bench_memory ${CMAKE_CURRENT_LIST_DIR}/bench_memory.cpp
  ${CMAKE_SOURCE_DIR}/tests/weighing/tst_window_fixture.h)
target_include_directories(bench_memory PRIVATE ${CMAKE_SOURCE_DIR}/tests/weighing)
target_link_libraries(bench_memory PRIVATE tvweighing testkit)
