# The weighing window: shift context and keys, the receipts grid, the village lookup.
foreach(_t tst_window tst_grid tst_lookup)
  tarvolen_test(${_t} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${_t}.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tst_window_fixture.h LIBS tvweighing)
endforeach()
