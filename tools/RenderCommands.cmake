# SPDX-License-Identifier: GPL-3.0-or-later
# kvtool render and report draw pages with Qt; only kvtool-pages, which runs them, loads it.
add_library(kvtool_pages_lib OBJECT ${CMAKE_CURRENT_LIST_DIR}/RenderCommands.cpp)
target_link_libraries(kvtool_pages_lib PUBLIC kvtool_lib analysis_pages analysis_report Qt6::Gui Qt6::PrintSupport)

add_executable(kvtool-pages ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(kvtool-pages PRIVATE kvtool_pages_lib kvtool_lib)
