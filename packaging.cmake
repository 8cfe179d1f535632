# What `cmake --install` puts under the prefix, and the package that CPack
# builds from it: the Debian packages (the `package` workflow), or for the
# Windows build a ZIP file (the `windows-package` workflow).
set(CPACK_PACKAGE_NAME tanshuku)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})

# The notices of the libraries linked into the executables: a text of ours
# that names them and their sources, then each library's own notice file.
# Arguments: the file to write, the libraries and the source packages (one a
# line), then the notice files.
function(tanshuku_third_party_notices output libraries sources)
  set(VERSION ${PROJECT_VERSION})
  set(LIBRARIES "${libraries}")
  set(SOURCES "${sources}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/third-party-notices.txt ${output} @ONLY)
  foreach(notice ${ARGN})
    file(READ ${notice} text)
    file(APPEND ${output} "\n\n==== ${notice} ====\n\n${text}")
  endforeach()
endfunction()

# The Debian source package and version that an installed package was built
# from, as "NAME (= VERSION)".
function(tanshuku_source_of package variable)
  execute_process(COMMAND dpkg-query -W "-f=\${source:Package} (= \${source:Version})" ${package}
                  OUTPUT_VARIABLE source RESULT_VARIABLE failed ERROR_QUIET)
  if(failed)
    set(source "${package} (not installed here)")
  endif()
  set(${variable} "${source}" PARENT_SCOPE)
endfunction()

# For a cross compiler's library package, built from the same sources as the
# target's own: the source package and version named SOURCE in its field
# Built-Using, as "SOURCE (= VERSION)".
function(tanshuku_built_from package source variable)
  execute_process(COMMAND dpkg-query -W "-f=\${Built-Using}" ${package}
                  OUTPUT_VARIABLE built_using RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND built_using MATCHES "(^|, )(${source} \\(= [^)]+\\))")
    set(${variable} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  else()
    set(${variable} "${source} (${package} not installed here)" PARENT_SCOPE)
  endif()
endfunction()

if(WIN32)
  install(TARGETS tanshuku RUNTIME DESTINATION .)
  install(FILES packaging/windows/README.txt LICENSE DESTINATION .)
  # The MinGW-w64 runtime, and GCC's runtime libraries: libgcc and libstdc++
  # (GPL 3 with the GCC Runtime Library Exception) and libquadmath (LGPL 2.1).
  tanshuku_source_of(mingw-w64-common mingw_runtime)
  tanshuku_source_of(gcc-mingw-w64-base gcc_runtime)
  tanshuku_third_party_notices(${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt
    "  the MinGW-w64 runtime (ZPL 2.1 and others, below)\n  GCC's libgcc and libstdc++ (GPL 3 with the GCC Runtime Library Exception)\n  GCC's libquadmath (LGPL 2.1 or later)"
    "  ${mingw_runtime}\n  ${gcc_runtime}"
    /usr/share/doc/mingw-w64-common/copyright /usr/share/doc/gcc-mingw-w64-base/copyright
    /usr/share/common-licenses/LGPL-2.1)
  if(TANSHUKU_PAGE_SITE)
    # The page, the forgiving way to use the program on Windows (README.txt):
    # opened from its file in any browser, offline. Its scripts carry
    # xterm.js and its fit addon (npm, in the web build's tree) and
    # Emscripten's runtime and libraries, and nec2c, which its check of a design runs:
    # their notices follow the program's. The folder takes the site's files
    # as the web build lists them (site-files.txt beside the site), and
    # nothing else that lies in it.
    get_filename_component(web_build ${TANSHUKU_PAGE_SITE} DIRECTORY)
    set(site_list ${web_build}/site-files.txt)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${site_list})
    file(STRINGS ${site_list} site_files)
    list(TRANSFORM site_files PREPEND ${TANSHUKU_PAGE_SITE}/)
    install(FILES ${site_files} DESTINATION page)
    set(xterm_packages ${web_build}/web/npm/node_modules/@xterm)
    tanshuku_source_of(emscripten emscripten_source)
    tanshuku_source_of(nec2c nec2c_source)
    file(APPEND ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt "\n\n==== The page (folder page) ====\n\n\
The page's scripts carry xterm.js and its fit addon (MIT licence; npm's\n\
@xterm/xterm and @xterm/addon-fit, whose versions web/package-lock.json\n\
names), the runtime and libraries of Emscripten (MIT, University of\n\
Illinois/NCSA, Apache 2.0 with LLVM exception and others; the Debian\n\
source package ${emscripten_source}), and nec2c, the NEC2 solver of the\n\
page's check of a design, compiled as a program of its own from the\n\
Debian source package ${nec2c_source}: nec2c is public domain, and its authors\n\
ask: \"please keep any software incorporating nec2c in Public Domain or\n\
at least use an open license like GPL or BSD\"; tanshuku is under the MIT\n\
licence.\n\
Their notices follow.")
    foreach(notice ${xterm_packages}/xterm/LICENSE ${xterm_packages}/addon-fit/LICENSE
                   /usr/share/doc/emscripten/copyright /usr/share/doc/nec2c/copyright)
      file(READ ${notice} text)
      file(APPEND ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt "\n\n==== ${notice} ====\n\n${text}")
    endforeach()
    # The ZIP, unpacked: the program runs under Wine as the one built, and
    # the page is there whole and starts opened from its file.
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      enable_testing()
      add_test(NAME WindowsPackage.UnpacksAndRuns
               COMMAND ${PROJECT_SOURCE_DIR}/tests/windows_package_test ${CMAKE_BINARY_DIR}
                       ${TANSHUKU_PAGE_SITE} ${site_list} ${CMAKE_CROSSCOMPILING_EMULATOR})
    endif()
  endif()
  install(FILES ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tanshuku-${CPACK_PACKAGE_VERSION}-win64)
  include(CPack)
  return()
endif()

include(GNUInstallDirs)

# The packages' Debian architecture, that of the programs: CPack would take
# the build machine's, which a cross build's are not.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "aarch64")
  set(TANSHUKU_DEBIAN_ARCHITECTURE arm64)
else()
  set(TANSHUKU_DEBIAN_ARCHITECTURE amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TANSHUKU_DEBIAN_ARCHITECTURE})

# Two packages: tanshuku, everything a user runs and reads, and
# tanshuku-dbgsym, the programs' debug information, with which addr2line
# resolves the places of a run-time error report of the installed program.
# tanshuku-nec, the NEC2 check, is a program of the first: it runs nec2c,
# which the package recommends, and gnuplot for its plot, which it suggests.
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME program)

# The programs go in stripped as Debian strips them (by the binary tools of
# the programs' processor); their build IDs stay, by which addr2line finds
# their debug information.
function(tanshuku_install_stripped target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(CODE "execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                  --strip-unneeded \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\"
                  COMMAND_ERROR_IS_FATAL ANY)")
  install(CODE "set(tanshuku_program \"$<TARGET_FILE:${target}>\")
                set(tanshuku_objcopy \"${CMAKE_OBJCOPY}\")" COMPONENT dbgsym)
  install(SCRIPT packaging/debug-symbols.cmake COMPONENT dbgsym)
endfunction()
tanshuku_install_stripped(tanshuku)
tanshuku_install_stripped(tanshuku-utf8)
tanshuku_install_stripped(tanshuku-nec)
# Its documents are those of tanshuku, which it depends on.
file(CREATE_LINK tanshuku ${CMAKE_BINARY_DIR}/tanshuku-dbgsym SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/tanshuku-dbgsym DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc
        COMPONENT dbgsym)

# The program is a static position-independent executable on purpose (see
# tanshuku_link_whole); lintian takes one without shared libraries for a
# library without its prerequisites. The reasons are in the file.
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME tanshuku)

# Manual pages and the changelog go in compressed, as Debian keeps them.
# gzip -n leaves out the name and time, so that the package is reproducible.
set(TANSHUKU_COMPRESSED)
function(tanshuku_compress source output)
  add_custom_command(OUTPUT ${output} COMMAND gzip -9 -n -c ${source} > ${output}
                     DEPENDS ${source})
  set(TANSHUKU_COMPRESSED ${TANSHUKU_COMPRESSED} ${output} PARENT_SCOPE)
endfunction()
file(GLOB TANSHUKU_MANUALS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1
     ${PROJECT_SOURCE_DIR}/man/*/*.1)
foreach(page ${TANSHUKU_MANUALS})
  file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/man ${page})
  get_filename_component(language ${relative} DIRECTORY)
  get_filename_component(name ${relative} NAME)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man/${language})
  tanshuku_compress(${page} ${CMAKE_BINARY_DIR}/man/${relative}.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${relative}.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man1)
endforeach()
tanshuku_compress(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(compressed_documents ALL DEPENDS ${TANSHUKU_COMPRESSED})
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence as a machine-readable Debian copyright file: its text after the
# copyright line, indented, with " ." for the blank lines.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE TANSHUKU_LICENSE)
string(REGEX REPLACE "^.*Copyright \\(c\\) ([^\n]*)\n\n" "" TANSHUKU_LICENSE_TERMS
       "${TANSHUKU_LICENSE}")
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" TANSHUKU_HOLDER "${TANSHUKU_LICENSE}")
set(TANSHUKU_HOLDER ${CMAKE_MATCH_1})
string(REGEX REPLACE "\n+$" "" TANSHUKU_LICENSE_TERMS "${TANSHUKU_LICENSE_TERMS}")
string(REPLACE "\n\n" "\n.\n" TANSHUKU_LICENSE_TERMS "${TANSHUKU_LICENSE_TERMS}")
string(REPLACE "\n" "\n " TANSHUKU_LICENSE_TERMS "${TANSHUKU_LICENSE_TERMS}")
file(WRITE ${CMAKE_BINARY_DIR}/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: tanshuku\n\n"
     "Files: *\n"
     "Copyright: ${TANSHUKU_HOLDER}\n"
     "License: Expat\n"
     " ${TANSHUKU_LICENSE_TERMS}\n")
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The program carries the GNU C Library (LGPL 2.1 or later) and GCC's libgcc
# and libstdc++ (GPL 3 with the GCC Runtime Library Exception): their notices
# beside the copyright file, and their source packages in Built-Using, which
# CPack does not write: packaging/built-using.cmake adds it to the package.
# A cross build takes them from the cross compiler's library packages.
if(CMAKE_CROSSCOMPILING)
  tanshuku_built_from(libc6-dev-${TANSHUKU_DEBIAN_ARCHITECTURE}-cross glibc glibc_source)
  tanshuku_built_from(libstdc++-12-dev-${TANSHUKU_DEBIAN_ARCHITECTURE}-cross gcc-12 gcc_source)
else()
  tanshuku_source_of(libc6-dev glibc_source)
  tanshuku_source_of(libstdc++-12-dev gcc_source)
endif()
tanshuku_third_party_notices(${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES
  "  the GNU C Library (LGPL 2.1 or later)\n  GCC's libgcc and libstdc++ (GPL 3 with the GCC Runtime Library Exception)"
  "  ${glibc_source}\n  ${gcc_source}"
  /usr/share/doc/libc6/copyright /usr/share/doc/libstdc++6/copyright)
install(FILES ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(CPACK_TANSHUKU_BUILT_USING "${glibc_source}, ${gcc_source}")
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/built-using.cmake)

# The users' documents, in the tree in which their links point: the READMEs
# with the picture of the page, the accuracy pages, their plots and the
# sample NEC2 decks they link to.
install(FILES README.md README.ja.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES docs/images/page.png DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs/images)
install(FILES docs/accuracy.md docs/accuracy.ja.md DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(DIRECTORY docs/accuracy/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs/accuracy
        FILES_MATCHING PATTERN "*.png" PATTERN "*.nec")

set(CPACK_PACKAGE_CONTACT "tanshuku developers <tanshuku@users.noreply.example>")
# Each description is its summary line and then its paragraphs.
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION "design aid for shortened (loaded) HF antennas
tanshuku is an interactive console program, in Japanese, that computes the
numbers a shortened antenna needs, so that little cutting and trying is left
at the end of the build.

It gives the element's characteristic impedance and the loading-coil
inductance for base or centre loading, the inductance or the turns of a
single-layer coil, the feed-point impedance of a conductor, the radiation
efficiency of a loaded element and the length of a half-wave dipole, and
guides through the design in three pages.

Its screens are Shift-JIS; tanshuku-utf8 starts it on a UTF-8 terminal, or
with UTF-8 pipes and files, converting both ways.

tanshuku-nec puts a design of the loading-coil calculator through the NEC2
solver nec2c and shows both answers side by side: the coil that really
resonates the element, where the calculator's coil lands, the efficiency
with the losses, the bandwidth and the turns to wind; it writes the model
for NEC2 and MMANA-GAL.

Manual pages in English and Japanese and accuracy pages that measure each
formula against exact values and NEC2 come with them.")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS nec2c)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SUGGESTS "gnuplot-nox | gnuplot")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program dbgsym)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME tanshuku)
set(CPACK_DEBIAN_PROGRAM_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_NAME tanshuku-dbgsym)
set(CPACK_DEBIAN_DBGSYM_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_SECTION debug)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_DBGSYM_PACKAGE_DEPENDS "tanshuku (= ${CPACK_PACKAGE_VERSION})")
set(CPACK_COMPONENT_DBGSYM_DESCRIPTION "debug symbols for tanshuku
The debug information of the programs tanshuku, tanshuku-utf8 and
tanshuku-nec. With it, addr2line names the function and source line of each
place in a run-time error report of the installed program.")
set(CPACK_GENERATOR DEB)
include(CPack)
