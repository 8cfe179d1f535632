# Install step of the debug-symbols package: the debug information of the
# program built at ${tanshuku_program}, copied out by ${tanshuku_objcopy} (the
# objcopy of the program's processor) and kept where the debuggers and addr2line
# look for it: /usr/lib/debug/.build-id/xx/rest-of-the-build-id.debug.
execute_process(COMMAND readelf -n ${tanshuku_program} OUTPUT_VARIABLE notes COMMAND_ERROR_IS_FATAL ANY)
if(NOT notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  message(FATAL_ERROR "${tanshuku_program} carries no build ID")
endif()
set(directory "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/debug/.build-id/${CMAKE_MATCH_1}")
file(MAKE_DIRECTORY ${directory})
message(STATUS "Installing: ${directory}/${CMAKE_MATCH_2}.debug")
execute_process(COMMAND ${tanshuku_objcopy} --only-keep-debug --compress-debug-sections ${tanshuku_program}
                        ${directory}/${CMAKE_MATCH_2}.debug COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD ${directory}/${CMAKE_MATCH_2}.debug PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ
     WORLD_READ)
