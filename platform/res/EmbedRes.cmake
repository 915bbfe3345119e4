# Helpers that turn .rc scripts into resources at build time:
#   mensora_compile_rc(OUT_RES <file.res> RC <file.rc> [INCLUDE_DIRS ...] [DEPENDS ...])
#     runs llvm-rc on a UTF-8 script. The script comes after "--": llvm-rc
#     takes any argument starting with "/" for an option, so a checkout under
#     /ci or /usr/src would otherwise read as the /c or /u flag.
#   mensora_link_resource_dll(OUT_DLL <file.dll> RES <file.res> [MACHINE x64|x86|arm64])
#     links a resource-only DLL with lld-link (no entry point, reproducible).
#   mensora_embed_res(TARGET <tgt> RC <file.rc> SYMBOL <name> [INCLUDE_DIRS ...] [DEPENDS ...])
#     compiles the script and adds to <tgt> a source that defines
#     `std::span<const std::byte> mensora_res_blobs::<name>()` (4-byte
#     aligned), declared in the generated header "<name>.h"; pass the span to
#     res::RegisterEmbeddedModule.
find_program(MENSORA_LLVM_RC NAMES llvm-rc llvm-rc-14 llvm-rc-15 llvm-rc-16 REQUIRED)
find_program(MENSORA_LLD_LINK NAMES lld-link lld-link-14 lld-link-15 lld-link-16 REQUIRED)
set(MENSORA_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_res_blob.cmake CACHE INTERNAL "")

function(mensora_compile_rc)
  cmake_parse_arguments(ARG "" "OUT_RES;RC" "INCLUDE_DIRS;DEPENDS" ${ARGN})
  set(includes)
  foreach(dir ${ARG_INCLUDE_DIRS})
    list(APPEND includes /I ${dir})
  endforeach()
  get_filename_component(rcdir ${ARG_RC} DIRECTORY)
  get_filename_component(outdir ${ARG_OUT_RES} DIRECTORY)
  file(MAKE_DIRECTORY ${outdir})
  add_custom_command(
    OUTPUT ${ARG_OUT_RES}
    COMMAND ${MENSORA_LLVM_RC} /C 65001 /I ${rcdir} ${includes} /fo ${ARG_OUT_RES} -- ${ARG_RC}
    DEPENDS ${ARG_RC} ${ARG_DEPENDS}
    WORKING_DIRECTORY ${rcdir}
    COMMENT "Compiling resources ${ARG_RC}"
    VERBATIM)
endfunction()

function(mensora_link_resource_dll)
  cmake_parse_arguments(ARG "" "OUT_DLL;RES;MACHINE" "" ${ARGN})
  if(NOT ARG_MACHINE)
    set(ARG_MACHINE x64)
  endif()
  get_filename_component(outdir ${ARG_OUT_DLL} DIRECTORY)
  get_filename_component(stem ${ARG_OUT_DLL} NAME_WE)
  get_filename_component(resdir ${ARG_RES} DIRECTORY)
  add_custom_command(
    OUTPUT ${ARG_OUT_DLL}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${outdir}
    COMMAND ${MENSORA_LLD_LINK} /dll /noentry /machine:${ARG_MACHINE} /brepro
            /implib:${resdir}/${stem}.lib /out:${ARG_OUT_DLL} ${ARG_RES}
    DEPENDS ${ARG_RES}
    COMMENT "Linking resource DLL ${stem}.dll"
    VERBATIM)
endfunction()

function(mensora_embed_res)
  cmake_parse_arguments(ARG "" "TARGET;RC;SYMBOL" "INCLUDE_DIRS;DEPENDS" ${ARGN})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/embedded_res)
  set(res ${gen}/${ARG_SYMBOL}.res)
  set(cpp ${gen}/${ARG_SYMBOL}.cpp)
  mensora_compile_rc(OUT_RES ${res} RC ${ARG_RC}
                     INCLUDE_DIRS ${ARG_INCLUDE_DIRS} DEPENDS ${ARG_DEPENDS})
  add_custom_command(
    OUTPUT ${cpp} ${gen}/${ARG_SYMBOL}.h
    COMMAND ${CMAKE_COMMAND} -DIN=${res} -DOUT_DIR=${gen} -DSYMBOL=${ARG_SYMBOL}
            -P ${MENSORA_EMBED_SCRIPT}
    DEPENDS ${res} ${MENSORA_EMBED_SCRIPT}
    COMMENT "Embedding ${ARG_SYMBOL}.res"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${cpp})
  target_include_directories(${ARG_TARGET} PRIVATE ${gen})
endfunction()
