# The web edition: build-web/rally.html with rally.js, rally.wasm and rally.data (the data/ folder,
# which the page loads before the game starts). The page's table of controls is written by the
# build: web_controls prints its rows from the table of controls, run under Node.js.
set_target_properties(rally PROPERTIES SUFFIX ".html")
# EM_ASM and EM_JS write JavaScript in C++ macros, which -Wpedantic would take for C++.
target_compile_options(rally_web PRIVATE -Wno-gnu-zero-variadic-macro-arguments
                                         -Wno-dollar-in-identifier-extension)

add_executable(web_controls src/web/controls_page.cpp)
target_link_libraries(web_controls PRIVATE PkgConfig::SDL)
target_include_directories(web_controls PRIVATE src)
set_target_properties(web_controls PROPERTIES SUFFIX ".js")
target_link_options(web_controls PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1)
set(page ${CMAKE_CURRENT_BINARY_DIR}/shell.html)
find_program(RALLY_NODE node REQUIRED)
add_custom_command(OUTPUT ${page}
  COMMAND ${RALLY_NODE} $<TARGET_FILE:web_controls> > controls.html
  COMMAND ${CMAKE_COMMAND} -DPAGE=${PROJECT_SOURCE_DIR}/src/web/shell.html -DROWS=controls.html
          -DVERSION=${PROJECT_VERSION} -DOUT=${page} -P ${PROJECT_SOURCE_DIR}/cmake/web_page.cmake
  DEPENDS web_controls src/web/shell.html cmake/web_page.cmake)
add_custom_target(web_page DEPENDS ${page})
add_dependencies(rally web_page)

# ASYNCIFY lets the game's loops sleep (emscripten_sleep) and give the browser its turn.
target_link_options(rally PRIVATE -sASYNCIFY -sMINIFY_HTML=0 "--shell-file=${page}"
                    "--preload-file=${PROJECT_SOURCE_DIR}/data@/data" --use-preload-plugins)
set_property(TARGET rally APPEND PROPERTY LINK_DEPENDS ${page})
