# A room of the program's own code as a static library of its files (the
# headers listed too), and the charset of its texts.

# Screen texts are UTF-8 in the source and code page 932 (Shift-JIS) in the
# program: every target whose texts are screens links this, privately.
add_library(tanshuku_screen_texts INTERFACE)
if(EMSCRIPTEN)
  # Emscripten's clang cannot turn UTF-8 texts into code page 932 as GCC
  # does: such a target is compiled from copies of its files whose non-ASCII
  # characters are written as the escapes of their code page 932 bytes, the
  # same bytes GCC makes (web/make_code_page_932_source.cpp).
  target_compile_options(tanshuku_screen_texts INTERFACE -Wno-invalid-source-encoding)
  set(TANSHUKU_HOST_CXX g++ CACHE STRING "The build machine's own C++ compiler")
  set(TANSHUKU_SOURCE_COPIER ${PROJECT_BINARY_DIR}/make_code_page_932_source)
  add_custom_command(OUTPUT ${TANSHUKU_SOURCE_COPIER}
                     COMMAND ${TANSHUKU_HOST_CXX} -std=c++20 -O2 -o ${TANSHUKU_SOURCE_COPIER}
                             ${PROJECT_SOURCE_DIR}/web/make_code_page_932_source.cpp
                     DEPENDS ${PROJECT_SOURCE_DIR}/web/make_code_page_932_source.cpp)
  add_custom_target(tanshuku_source_copier DEPENDS ${TANSHUKU_SOURCE_COPIER})
  set(TANSHUKU_SOURCE_COPIES ${PROJECT_BINARY_DIR}/code_page_932)
else()
  target_compile_options(tanshuku_screen_texts INTERFACE -finput-charset=UTF-8 -fexec-charset=CP932)
endif()

# tanshuku_program_library(NAME FILE...): the library NAME of the FILEs,
# named relative to the calling folder.
function(tanshuku_program_library name)
  set(files ${ARGN})
  if(EMSCRIPTEN)
    set(files)
    foreach(file ${ARGN})
      file(RELATIVE_PATH path ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${file})
      set(copy ${TANSHUKU_SOURCE_COPIES}/${path})
      get_filename_component(folder ${copy} DIRECTORY)
      add_custom_command(OUTPUT ${copy}
                         COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                         COMMAND ${TANSHUKU_SOURCE_COPIER} ${PROJECT_SOURCE_DIR}/${path} ${copy}
                         DEPENDS ${TANSHUKU_SOURCE_COPIER} ${PROJECT_SOURCE_DIR}/${path})
      list(APPEND files ${copy})
    endforeach()
  endif()
  # A room of headers alone is an interface library: the rooms that include
  # them compile their texts (its copies in the WebAssembly build, which the
  # copies' folder of those rooms finds first).
  if(NOT ARGN MATCHES "\\.cpp(;|$)")
    add_library(${name} INTERFACE ${files})
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    if(EMSCRIPTEN)
      add_dependencies(${name} tanshuku_source_copier)
    endif()
    return()
  endif()
  add_library(${name} STATIC ${files})
  if(EMSCRIPTEN)
    add_dependencies(${name} tanshuku_source_copier)
    # The copies first: every include of the program's headers finds them.
    target_include_directories(${name} BEFORE PUBLIC ${TANSHUKU_SOURCE_COPIES})
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE tanshuku_screen_texts)
  # The program throws no exceptions, so none of the C++ exception runtime
  # is linked in. (The unwind tables that the error report walks stay.)
  target_compile_options(${name} PRIVATE -fno-exceptions)
endfunction()
