# kvtool render and report draw pages with Qt; only these two commands start a GUI application.
target_sources(kvtool_lib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/RenderCommands.cpp)
target_link_libraries(kvtool_lib PUBLIC analysis_pages Qt6::Gui Qt6::PrintSupport)
