# Rebuilds the import library of zorak.dll. The DLL exports its __stdcall
# functions under plain names (linked with --kill-at), and an import library
# made by the linker then lacks the decorated names ("_zorak_command@20")
# that a host compiled against zorak.h asks for. dlltool's --kill-at makes
# one that maps each decorated name to the plain export.
#   -DDEF=<the linker's --output-def> -DDLL=<dll name> -DIMPLIB=<output>
#   -DDLLTOOL=<dlltool>
file(STRINGS ${DEF} lines)
set(decorated "EXPORTS\n")
foreach(line ${lines})
  # "    zorak_command = zorak_command@20 @8"
  if(line MATCHES "^[ \t]*[A-Za-z_][A-Za-z0-9_]*[ \t]*=[ \t]*([A-Za-z_][A-Za-z0-9_]*@[0-9]+)")
    string(APPEND decorated "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
set(stdcall_def ${DEF}.stdcall)
file(WRITE ${stdcall_def} "${decorated}")
execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${stdcall_def} --dllname ${DLL}
  --output-lib ${IMPLIB} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dlltool failed (${status})")
endif()
