# What only Windows compiles, checked on every other build by the MinGW-w64
# compiler, syntax only: a change made on Linux that breaks it fails the
# build here, not forty minutes into ./windows.sh. The check reads the
# machine's own Qt headers, which MinGW parses as Windows ones.
if(NOT WIN32)
  find_program(KOB_MINGW_CXX x86_64-w64-mingw32-g++-posix)
  find_program(KOB_MINGW_RC x86_64-w64-mingw32-windres)
  if(NOT KOB_MINGW_CXX OR NOT KOB_MINGW_RC)
    message(FATAL_ERROR "The MinGW-w64 compiler checks the sources compiled only for Windows: tools/paquets.sh installs it.")
  endif()
  # kob_expression(variable fin folders...): a regular expression for these
  # folders, followed by `fin`.
  function(kob_expression variable fin)
    set(dossiers)
    foreach(dossier ${ARGN})
      string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" dossier "${dossier}")
      list(APPEND dossiers "${dossier}")
    endforeach()
    list(JOIN dossiers "|" dossiers)
    set(${variable} "^(${dossiers})${fin}" PARENT_SCOPE)
  endfunction()
  # The host's own system folders (its C library) stay out of MinGW's way;
  # the others than the project's are Qt's, whose warnings are not ours.
  kob_expression(KOB_INCLUDES_HOTE "/?$" ${CMAKE_CXX_IMPLICIT_INCLUDE_DIRECTORIES})
  kob_expression(KOB_INCLUDES_PROJET "(/|$)" ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
endif()

# kob_verifie_windows(source CIBLE target | LIENS libraries... [INCLUDES folders...] [DEFINITIONS definitions...]):
# `source` compiled as for Windows, with the include folders and definitions
# of `target`, or of what links `libraries`.
# kob_verifie_windows(script.rc [DEPENDS files...]): the executable's resource
# script compiled by windres, with the files it reads.
# Nothing on Windows, where the real compilers build them.
function(kob_verifie_windows source)
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 1 V "" "CIBLE" "LIENS;INCLUDES;DEFINITIONS;DEPENDS")
  get_filename_component(chemin ${source} ABSOLUTE)
  get_filename_component(nom ${source} NAME_WE)
  get_filename_component(fichier ${source} NAME)
  set(dossier ${CMAKE_CURRENT_BINARY_DIR}/verification_windows/${nom})
  set(commandes)
  set(depfile)
  if(source MATCHES "\\.rc$")
    list(APPEND commandes COMMAND ${KOB_MINGW_RC} -O res -i ${chemin} -o ${dossier}/${nom}.res)
  else()
    if(V_CIBLE)
      set(includes "$<TARGET_PROPERTY:${V_CIBLE},INCLUDE_DIRECTORIES>")
      set(definitions "$<TARGET_PROPERTY:${V_CIBLE},COMPILE_DEFINITIONS>")
    else()
      add_library(verification_windows_${nom} INTERFACE)
      target_link_libraries(verification_windows_${nom} INTERFACE ${V_LIENS})
      target_include_directories(verification_windows_${nom} INTERFACE ${V_INCLUDES})
      target_compile_definitions(verification_windows_${nom} INTERFACE ${V_DEFINITIONS})
      set(includes "$<TARGET_PROPERTY:verification_windows_${nom},INTERFACE_INCLUDE_DIRECTORIES>")
      set(definitions "$<TARGET_PROPERTY:verification_windows_${nom},INTERFACE_COMPILE_DEFINITIONS>")
    endif()
    set(includes "$<FILTER:${includes},EXCLUDE,${KOB_INCLUDES_HOTE}>")
    set(projet "$<FILTER:${includes},INCLUDE,${KOB_INCLUDES_PROJET}>")
    set(qt "$<FILTER:${includes},EXCLUDE,${KOB_INCLUDES_PROJET}>")
    file(STRINGS ${chemin} inclut_moc REGEX "#include \"${nom}\\.moc\"")
    if(inclut_moc)
      # moc sees the Windows branches of the classes it reads.
      list(APPEND commandes COMMAND Qt6::moc -DQ_OS_WIN -o ${dossier}/${nom}.moc ${chemin})
    endif()
    list(APPEND commandes COMMAND ${KOB_MINGW_CXX} -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic
      # A function of a header whose signature changed is a new function here:
      # the missing declaration tells it.
      -Werror=missing-declarations
      # As Qt for Windows gives them to the program.
      -DUNICODE -D_UNICODE
      "-D$<JOIN:${definitions},$<SEMICOLON>-D>"
      -I${dossier} "-I$<JOIN:${projet},$<SEMICOLON>-I>" "-isystem$<JOIN:${qt},$<SEMICOLON>-isystem>"
      -MD -MF ${dossier}/${nom}.d -MT ${dossier}/${nom}.verifie
      ${chemin})
    set(depfile DEPFILE ${dossier}/${nom}.d)
  endif()
  add_custom_command(OUTPUT ${dossier}/${nom}.verifie
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dossier}
    ${commandes}
    COMMAND ${CMAKE_COMMAND} -E touch ${dossier}/${nom}.verifie
    DEPENDS ${chemin} ${V_DEPENDS}
    ${depfile}
    COMMENT "Vérification pour Windows : ${fichier}"
    COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_target(verification_windows_${nom}_faite ALL DEPENDS ${dossier}/${nom}.verifie)
endfunction()
