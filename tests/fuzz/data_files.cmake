# The files of the data directory the program reads, besides the correction
# tables: the archives and the place and time-regime tables.
foreach(format archive_files place_tables)
  qv_add_fuzz_target(fuzz_${format} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${format}.cpp)
endforeach()
target_link_libraries(fuzz_archive_files PRIVATE qv_archive)
target_link_libraries(fuzz_place_tables PRIVATE qv_atlas)

# The start-up's record of the program files (MANIFEST and VERSION).
qv_add_fuzz_target(fuzz_data_manifest ${CMAKE_CURRENT_LIST_DIR}/fuzz_data_manifest.cpp)
target_link_libraries(fuzz_data_manifest PRIVATE qv_datatemplate)

# The exchange files of subjects (AAF and CSV).
qv_add_fuzz_target(fuzz_exchange_files ${CMAKE_CURRENT_LIST_DIR}/fuzz_exchange_files.cpp)
target_link_libraries(fuzz_exchange_files PRIVATE qv_exchange)
