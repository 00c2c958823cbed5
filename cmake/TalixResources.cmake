# Resource modules from .rc scripts, built with the LLVM resource tools:
#   llvm-rc (UTF-8 scripts) -> .res -> llvm-cvtres -> COFF object -> lld-link /dll /noentry
# The result is a genuine resource-only PE module, as a Windows toolchain would make it.

# talix_compile_rc(<out_res_var> <rc file> [INCLUDES dirs...] [DEPENDS files...])
# Compiles an .rc script to a .res file in the build tree; sets <out_res_var> to its path.
function(talix_compile_rc out_var rc_file)
  cmake_parse_arguments(ARG "" "" "INCLUDES;DEPENDS" ${ARGN})
  get_filename_component(rc_abs ${rc_file} ABSOLUTE)
  get_filename_component(rc_name ${rc_file} NAME_WE)
  get_filename_component(rc_dir ${rc_abs} DIRECTORY)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${rc_dir})
  set(res ${CMAKE_BINARY_DIR}/res/${rel}/${rc_name}.res)
  set(include_args /I ${rc_dir})
  foreach(inc ${ARG_INCLUDES})
    list(APPEND include_args /I ${inc})
  endforeach()
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res/${rel}
    COMMAND ${LLVM_RC} -C 65001 ${include_args} /FO ${res} ${rc_abs}
    DEPENDS ${rc_abs} ${ARG_DEPENDS}
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
  set(${out_var} ${res} PARENT_SCOPE)
endfunction()

# talix_add_resource_module(<target> <rc file> OUTPUT <path of the module> [INCLUDES ...] [DEPENDS ...])
# Builds a resource-only PE module (no code, no entry point) from an .rc script.
function(talix_add_resource_module target rc_file)
  cmake_parse_arguments(ARG "" "OUTPUT" "INCLUDES;DEPENDS" ${ARGN})
  talix_compile_rc(res ${rc_file} INCLUDES ${ARG_INCLUDES} DEPENDS ${ARG_DEPENDS})
  get_filename_component(out_dir ${ARG_OUTPUT} DIRECTORY)
  set(obj ${res}.obj)
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${LLVM_CVTRES} /machine:x64 /out:${obj} ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${LLD_LINK} /dll /noentry /machine:x64 /nologo /out:${ARG_OUTPUT} ${obj}
    DEPENDS ${res}
    COMMENT "Linking resource module ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
