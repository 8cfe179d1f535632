# The design side of tanshuku-nec, which needs no solver: the options and
# their checks, the questions on a terminal, menu 1's coil, the resonance and
# bandwidth maths, the coil as wound, and the writers of its files. It builds
# on the program's formulas, number reader and fixed-point writer, and on the
# front end's line editor and terminal; nothing of the program includes it.
add_library(tanshuku_nec_design STATIC
  ${CMAKE_CURRENT_LIST_DIR}/bandwidth.cpp
  ${CMAKE_CURRENT_LIST_DIR}/coil_as_wound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/design_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/design_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_output.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_result.cpp
  ${CMAKE_CURRENT_LIST_DIR}/maa_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_four_efficiency.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu_one_coil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/option_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/questions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resonance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/segment_series.cpp
  ${CMAKE_CURRENT_LIST_DIR}/segmentation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/solver_figures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sweep_csv.cpp
  ${CMAKE_CURRENT_LIST_DIR}/swr_plot.cpp)
target_include_directories(tanshuku_nec_design PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tanshuku_nec_design PUBLIC tanshuku_calculators tanshuku_terminal)
# Its own texts are UTF-8, as the user's terminal shows them.
target_compile_options(tanshuku_nec_design PRIVATE -fexec-charset=UTF-8)

# The program, built beside tanshuku and tanshuku-utf8.
add_executable(tanshuku-nec ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(tanshuku-nec PRIVATE tanshuku_nec_design)
target_compile_options(tanshuku-nec PRIVATE -fexec-charset=UTF-8)
target_compile_definitions(tanshuku-nec PRIVATE TANSHUKU_VERSION="${PROJECT_VERSION}")
set_target_properties(tanshuku-nec PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
