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
  # One rule per .res, however many targets embed or link the same script.
  get_property(declared GLOBAL PROPERTY TALIX_RC_RULE_${res} SET)
  set(${out_var} ${res} PARENT_SCOPE)
  if(declared)
    return()
  endif()
  set_property(GLOBAL PROPERTY TALIX_RC_RULE_${res} 1)
  add_custom_command(OUTPUT ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res/${rel}
    COMMAND ${LLVM_RC} -C 65001 ${include_args} /FO ${res} -- ${rc_abs}
    DEPENDS ${rc_abs} ${ARG_DEPENDS}
    WORKING_DIRECTORY ${rc_dir}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
endfunction()

# talix_add_resource_module(<target> <rc file> OUTPUT <path of the module>
#                           [MACHINE x64|x86] [INCLUDES ...] [DEPENDS ...])
# Builds a resource-only PE module (no code, no entry point) from an .rc script:
# PE32+ by default, PE32 with MACHINE x86.
function(talix_add_resource_module target rc_file)
  cmake_parse_arguments(ARG "" "OUTPUT;MACHINE" "INCLUDES;DEPENDS" ${ARGN})
  if(NOT ARG_MACHINE)
    set(ARG_MACHINE x64)
  endif()
  talix_compile_rc(res ${rc_file} INCLUDES ${ARG_INCLUDES} DEPENDS ${ARG_DEPENDS})
  get_filename_component(out_dir ${ARG_OUTPUT} DIRECTORY)
  set(obj ${res}.${target}.obj)
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${LLVM_CVTRES} /machine:${ARG_MACHINE} /out:${obj} ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${LLD_LINK} /dll /noentry /machine:${ARG_MACHINE} /nologo /implib:${obj}.lib /out:${ARG_OUTPUT} ${obj}
    DEPENDS ${res}
    COMMENT "Linking resource module ${ARG_OUTPUT}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${ARG_OUTPUT})
endfunction()

# talix_embed_resources(<target> <rc file> [INCLUDES dirs...] [DEPENDS files...])
# Compiles an .rc script and embeds the .res in the ELF module <target> (a shared library
# or an executable), in its read-only section "talix_rsrc". A generated C file holds the
# section (.incbin of the .res) and a constructor that registers the section's bounds with
# the platform, so FindResourceW, LoadStringW and the version functions see them; the
# generated file names the .res's MD5, so a compiler cache never reuses a stale object.
# <target> is linked with talix-platform (the registration function lives there).
function(talix_embed_resources target rc_file)
  cmake_parse_arguments(ARG "" "" "INCLUDES;DEPENDS" ${ARGN})
  talix_compile_rc(res ${rc_file} INCLUDES ${ARG_INCLUDES} DEPENDS ${ARG_DEPENDS})
  set(embed_c ${res}.${target}.c)
  add_custom_command(OUTPUT ${embed_c}
    COMMAND ${CMAKE_COMMAND} -DRES=${res} -DOUT=${embed_c}
            -P ${TALIX_RESOURCES_SCRIPT_DIR}/TalixEmbedRes.cmake
    DEPENDS ${res} ${TALIX_RESOURCES_SCRIPT_DIR}/TalixEmbedRes.cmake
    COMMENT "Embedding resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${embed_c})
  set_source_files_properties(${embed_c} PROPERTIES OBJECT_DEPENDS ${res})
  target_link_libraries(${target} PRIVATE talix-platform)
endfunction()
set(TALIX_RESOURCES_SCRIPT_DIR ${CMAKE_CURRENT_LIST_DIR})
