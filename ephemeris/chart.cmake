# The chart computation of the current subject. It reads the archive of the
# current subject and the settings in force, so it sits above qv_archive and
# qv_chart_settings, apart from the ephemeris library itself.
add_library(qv_chart STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chart_computation.cpp
)
target_include_directories(qv_chart PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_chart PUBLIC qv_archive qv_chart_settings qv_ephemeris qv_base)
