# The record files of the remedy database.
foreach(format remedy repertory plant_entry name score principle)
  qv_add_fuzz_target(fuzz_${format}_records ${CMAKE_CURRENT_LIST_DIR}/fuzz_${format}_records.cpp)
  target_link_libraries(fuzz_${format}_records PRIVATE qv_remedies)
endforeach()
