# The scale links: weight parsing, the serial and network links against a scale the test plays,
# and the simulated scale on its own and with the weighing window.
set(_here ${CMAKE_CURRENT_LIST_DIR})

tarvolen_test(tst_scale_parsing SOURCES ${_here}/tst_scale_parsing.cpp LIBS tvweighing)
tarvolen_test(tst_serial_link SOURCES ${_here}/tst_serial_link.cpp ${_here}/tst_scale_desk.h
  LIBS tvweighing)
tarvolen_test(tst_network_link SOURCES ${_here}/tst_network_link.cpp ${_here}/tst_scale_desk.h
  LIBS tvweighing)
tarvolen_test(tst_scalesim SOURCES ${_here}/tst_scalesim.cpp ${_here}/tst_scale_desk.h
  LIBS tvweighing)
add_dependencies(tst_scalesim tarvolen-scale-sim)
