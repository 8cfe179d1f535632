# After CPack has built the Debian packages: adds the field Built-Using to
# the program's package, naming the source packages of the static libraries
# that its executable carries (${CPACK_TANSHUKU_BUILT_USING}).
foreach(package ${CPACK_PACKAGE_FILES})
  if(NOT package MATCHES "/tanshuku_[^/]*\\.deb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${tree}/DEBIAN/control control)
  string(REPLACE "\nDescription:" "\nBuilt-Using: ${CPACK_TANSHUKU_BUILT_USING}\nDescription:"
         control "${control}")
  file(WRITE ${tree}/DEBIAN/control "${control}")
  execute_process(COMMAND dpkg-deb --root-owner-group -b ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
