# Installs the Python component of BUILD_DIR under DESTDIR and imports the package from
# DESTDIR/SITE in a fresh interpreter, its build-tree copy kept off the path.
file(REMOVE_RECURSE ${DESTDIR})
set(ENV{DESTDIR} ${DESTDIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component python
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(site ${DESTDIR}${SITE})
set(ENV{PYTHONPATH} ${site})
execute_process(
  COMMAND ${PYTHON} -c "import os, sys, toluvek
assert os.path.dirname(toluvek.__file__) == os.path.join(sys.argv[1], 'toluvek'), toluvek.__file__
gas = toluvek.Mixture(CH4=1.0)
assert gas.properties(T=300.0).ok and toluvek._core.__file__.startswith(sys.argv[1])
print(toluvek.__file__)" ${site}
  WORKING_DIRECTORY ${DESTDIR} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the installed package could not be imported from ${site}")
endif()
