# The correction tables of the ephemeris and the data directory's record.
qv_add_fuzz_target(fuzz_correction_tables ${CMAKE_CURRENT_LIST_DIR}/fuzz_correction_tables.cpp)
target_link_libraries(fuzz_correction_tables PRIVATE qv_ephemeris)
