# Embedding data files into an executable: each file becomes a generated C++
# source holding its bytes and registering them under a name at start-up.
# Done by CMake itself (no outside tool); a changed input regenerates its source.

set(QV_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)

# qv_embed_resources(TARGET NAME=FILE ...): FILE (relative to the current source
# folder, or absolute) is found at run time as FindResource("NAME").
function(qv_embed_resources target)
  foreach(pair ${ARGN})
    string(FIND "${pair}" "=" eq)
    if(eq LESS 1)
      message(FATAL_ERROR "qv_embed_resources: expected NAME=FILE, got '${pair}'")
    endif()
    string(SUBSTRING "${pair}" 0 ${eq} name)
    math(EXPR from "${eq} + 1")
    string(SUBSTRING "${pair}" ${from} -1 file)
    if(NOT IS_ABSOLUTE "${file}")
      set(file ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    endif()
    string(MAKE_C_IDENTIFIER "${target}_${name}" ident)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${ident}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DNAME=${name} -DIDENT=${ident}
              -P ${QV_EMBED_SCRIPT}
      DEPENDS ${file} ${QV_EMBED_SCRIPT}
      COMMENT "Embedding ${name}"
      VERBATIM)
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()
