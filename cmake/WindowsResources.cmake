# Resource scripts are UTF-8 in the repository; windres reads only the ANSI code page, so each
# script is converted to GBK first and compiled with "#pragma code_page(936)" inside. Both programs
# also find the packed skin (resources/skin) on the include path; further arguments are folders
# where the script's files are also looked for.
function(qivyun_add_resources target script)
  get_filename_component(name ${script} NAME_WE)
  get_filename_component(dir ${script} DIRECTORY)
  set(gbk ${CMAKE_CURRENT_BINARY_DIR}/${name}.gbk.rc)
  set(obj ${CMAKE_CURRENT_BINARY_DIR}/${name}.res.o)
  set(skin ${CMAKE_SOURCE_DIR}/resources/skin)
  file(GLOB deps ${dir}/* ${skin}/*.zor)
  set(includes -I ${dir} -I ${skin})
  foreach(extra ${ARGN})
    list(APPEND includes -I ${extra})
    file(GLOB extraDeps ${extra}/*)
    list(APPEND deps ${extraDeps})
  endforeach()
  add_custom_command(
    OUTPUT ${obj}
    COMMAND iconv -f UTF-8 -t CP936 ${script} -o ${gbk}
    COMMAND ${CMAKE_RC_COMPILER} --codepage=936 ${includes} -I ${CMAKE_SOURCE_DIR}/src -O coff -i ${gbk} -o ${obj}
    DEPENDS ${script} ${deps}
    COMMENT "Compiling resources ${name}"
    VERBATIM)
  target_sources(${target} PRIVATE ${obj})
endfunction()
