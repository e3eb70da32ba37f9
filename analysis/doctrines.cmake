# The doctrines applied to the chart: aspects, subdivisions, dignities and
# exchanges, substance and humours, affinities, planetary hour and masters,
# chart-master scoring, chart keys and attribution texts.
add_library(qv_analysis STATIC
  ${CMAKE_CURRENT_LIST_DIR}/chart_codes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/aspects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/subdivisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dignities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/substance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/affinities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/planetary_hour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_master.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dominant_chart.cpp
)
target_include_directories(qv_analysis PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_analysis PUBLIC qv_chart_settings qv_ephemeris qv_base)

# The generator of the exchange files and of the table of year masters.
if(QV_BUILD_TOOLS)
  add_executable(write_analysis_data ${CMAKE_SOURCE_DIR}/tools/analysis_data/write_analysis_data.cpp)
  target_link_libraries(write_analysis_data PRIVATE qv_analysis)
endif()
