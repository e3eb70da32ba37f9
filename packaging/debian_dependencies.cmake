# Read by cpack as it makes each package. The Debian package's dependencies
# on shared libraries come from dpkg-shlibdeps run on the program's own
# executables, which are known, rather than from CPack's search of every
# installed file for ELF objects: that search starts two processes for each
# of the template's 250 files and took most of the packaging time.
if(CPACK_GENERATOR STREQUAL "DEB")
  find_program(qv_shlibdeps dpkg-shlibdeps)
  if(NOT qv_shlibdeps)
    message(FATAL_ERROR "dpkg-shlibdeps is needed for the Debian package (package dpkg-dev)")
  endif()
  # dpkg-shlibdeps runs beside a debian/control, which may be empty.
  file(MAKE_DIRECTORY "${CPACK_QV_SHLIBDEPS_DIR}/debian")
  file(TOUCH "${CPACK_QV_SHLIBDEPS_DIR}/debian/control")
  execute_process(COMMAND ${qv_shlibdeps} -O ${CPACK_QV_EXECUTABLES}
                  WORKING_DIRECTORY "${CPACK_QV_SHLIBDEPS_DIR}"
                  OUTPUT_VARIABLE qv_shlibs RESULT_VARIABLE qv_result ERROR_VARIABLE qv_error
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT qv_result EQUAL 0)
    message(FATAL_ERROR "dpkg-shlibdeps failed: ${qv_error}")
  endif()
  string(REGEX REPLACE "^.*Depends=" "" qv_shlibs "${qv_shlibs}")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${qv_shlibs}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
endif()
