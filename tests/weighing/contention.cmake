# Desks and programs that use one database at once: the peer program they run as the other
# desks, four desks adding at once, and the window waiting for a busy database.
add_executable(db_peer ${CMAKE_CURRENT_LIST_DIR}/db_peer.cpp)
target_link_libraries(db_peer PRIVATE tvweighing)
foreach(_t tst_contention tst_contention_window)
  tarvolen_test(${_t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_contention.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvweighing tvscale Qt6::Network)
  target_include_directories(${_t} PRIVATE ${CMAKE_SOURCE_DIR}/tests/scale)
  add_dependencies(${_t} db_peer)
endforeach()
target_compile_definitions(tst_contention_window PRIVATE WINDOW_WAITS)
