# Installs the build folder BUILD_DIR into a scratch prefix and checks that the
# program lands in bin/ and runs, the compressed manual page in share/man/man1/,
# the bash completion and the documents.
set(prefix ${BUILD_DIR}/install-layout-check)
file(REMOVE_RECURSE ${prefix})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/cut2edl share/man/man1/cut2edl.1.gz share/bash-completion/completions/cut2edl
             share/doc/cut2edl/copyright share/doc/cut2edl/changelog.gz)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND ${prefix}/bin/cut2edl --version OUTPUT_VARIABLE printed RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT printed STREQUAL "cut2edl ${VERSION}\n")
  message(FATAL_ERROR "installed program printed \"${printed}\" (status ${result})")
endif()
file(REMOVE_RECURSE ${prefix})
