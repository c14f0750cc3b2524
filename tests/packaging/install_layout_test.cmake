# Installs each component of a build into a folder of its own and checks that every file
# lands in the package it belongs to: no file without a component (it would be in neither
# package), and each package's manual page, completion, desktop files and documents where
# Debian looks for them.
#   cmake -DBUILD=<build folder> -DWORK=<scratch folder> -DGUI=ON|OFF -P install_layout_test.cmake
file(REMOVE_RECURSE ${WORK})

function(install_component component result)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/${component}/usr
                          --component ${component}
                  OUTPUT_QUIET RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cmake --install --component ${component} failed")
  endif()
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${WORK}/${component}
       ${WORK}/${component}/*)
  list(SORT files)
  set(${result} ${files} PARENT_SCOPE)
endfunction()

install_component(Unspecified unspecified)
if(unspecified)
  message(FATAL_ERROR "installed without a component: ${unspecified}")
endif()

set(expected_cli
    usr/bin/toluvek-cli
    usr/share/bash-completion/completions/toluvek-cli
    usr/share/doc/toluvek-cli/changelog.gz
    usr/share/doc/toluvek-cli/copyright
    usr/share/man/man1/toluvek-cli.1.gz
    usr/share/zsh/vendor-completions/_toluvek-cli)
set(expected_gui
    usr/bin/toluvek
    usr/share/applications/io.github.toluvek.toluvek.desktop
    usr/share/doc/toluvek/changelog.gz
    usr/share/doc/toluvek/copyright
    usr/share/man/man1/toluvek.1.gz
    usr/share/metainfo/io.github.toluvek.toluvek.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected_gui usr/share/icons/hicolor/${size}x${size}/apps/toluvek.png)
endforeach()

set(components cli)
if(GUI)
  list(APPEND components gui)
endif()
foreach(component ${components})
  install_component(${component} installed)
  list(SORT expected_${component})
  if(NOT installed STREQUAL expected_${component})
    string(REPLACE ";" "\n  " got "${installed}")
    string(REPLACE ";" "\n  " want "${expected_${component}}")
    message(FATAL_ERROR "component ${component} installs\n  ${got}\ninstead of\n  ${want}")
  endif()
endforeach()

# The completion scripts are the program's own, and the manual pages readable.
file(READ ${WORK}/cli/usr/share/bash-completion/completions/toluvek-cli bash)
if(NOT bash MATCHES "complete -F _toluvek_cli toluvek-cli")
  message(FATAL_ERROR "the bash completion does not register for toluvek-cli")
endif()
file(READ ${WORK}/cli/usr/share/zsh/vendor-completions/_toluvek-cli zsh)
if(NOT zsh MATCHES "^#compdef toluvek-cli\n")
  message(FATAL_ERROR "the zsh completion does not start with #compdef toluvek-cli")
endif()
file(REMOVE_RECURSE ${WORK})
