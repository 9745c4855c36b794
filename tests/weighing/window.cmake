# The weighing window: shift context and keys, the receipts grid, the village lookup.
set(_here ${CMAKE_CURRENT_LIST_DIR})

tarvolen_test(tst_window SOURCES ${_here}/tst_window.cpp ${_here}/tst_window_fixture.h
  LIBS tvweighing)
tarvolen_test(tst_grid SOURCES ${_here}/tst_grid.cpp ${_here}/tst_window_fixture.h
  LIBS tvweighing)
tarvolen_test(tst_lookup SOURCES ${_here}/tst_lookup.cpp ${_here}/tst_window_fixture.h
  LIBS tvweighing)
