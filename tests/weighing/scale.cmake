# The scale links: the serial and network links against a scale the test plays, and against the
# built simulated scale.
tarvolen_test(tst_scale_links SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_scale_links.cpp LIBS tvweighing)
add_dependencies(tst_scale_links tarvolen-scale-sim)
