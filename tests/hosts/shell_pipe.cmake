# The shell on a pipe (zorak -i, and cli run by a script), the configuration
# file named by ZORAK_CONFIG, and the error message of a script that ends in
# an error nobody printed.
file(MAKE_DIRECTORY ${WORK})

# Runs the host with the given standard input; checks status, output and
# (when not "*") standard error.
function(expect_shell label input status_expected out_expected err_expected)
  file(WRITE ${WORK}/input.txt "${input}")
  execute_process(COMMAND ${EMULATOR} ${ARGN} INPUT_FILE ${WORK}/input.txt
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  string(REPLACE "\r" "" out "${out}")
  string(REPLACE "\r" "" err "${err}")
  if(NOT status EQUAL status_expected OR NOT out STREQUAL out_expected
     OR (NOT err_expected STREQUAL "*" AND NOT err STREQUAL err_expected))
    message(FATAL_ERROR "${label}: status ${status} (want ${status_expected}), output:\n${out}\n"
      "wanted:\n${out_expected}\nerror output:\n${err}\nwanted:\n${err_expected}")
  endif()
endfunction()

set(banner_re "^Zorak [^\n]*\n")
# Each line runs and reports its code; an empty line is an empty script; an
# error does not end the shell; exit 3 ends it with status 3.
file(WRITE ${WORK}/input.txt "prompt {Z$g}\nputs hi\n\nerror boom\nset a 7\nexit 3\nputs never\n")
execute_process(COMMAND ${EMULATOR} ${ZORAK} -i INPUT_FILE ${WORK}/input.txt
  OUTPUT_VARIABLE out RESULT_VARIABLE status)
string(REPLACE "\r" "" out "${out}")
# The first prompt names the user and the host; the rest follow "Z$g".
string(FIND "${out}" "> " first)
math(EXPR first "${first} + 2")
string(SUBSTRING "${out}" ${first} -1 body)
set(want "[0:ok]\nZ> hi\n[0:ok]\nZ> [0:ok]\nZ> [1:error]\nZ> [0:ok]\nZ> ")
if(NOT status EQUAL 3 OR NOT out MATCHES "${banner_re}" OR NOT body STREQUAL want)
  message(FATAL_ERROR "shell: status ${status} (want 3), output:\n${out}\nwanted after the banner and first prompt:\n${want}")
endif()

# cli ends with code 1 for a non-zero exit value; its result is the last
# result, so a bare exit after a result of 7 gives 7.
expect_shell("cli exit value" "set a 7\nexit\n" 0
  "> [0:ok]\n> \ncode 1 result 7\n" "*"
  ${ZORAK} -c "prompt {\$g}\nset c [catch cli]\nputs \"\\ncode \$c result [set a]\"")
# At the end of input the shell ends with exit value 0 and code 0.
expect_shell("end of input" "puts x\n" 0 "> x\n[0:ok]\n> fgets returned NULL in CLI\ncode 0\n" "*"
  ${ZORAK} -c "prompt {\$g}\nputs \"code [catch cli]\"")
# With the echo option on, the shell prints each non-empty result.
expect_shell("echo" "option echo on\nset a 5\nputs {}\n" 0
  "> [0:ok]\n> 5\n[0:ok]\n> \n[0:ok]\n> fgets returned NULL in CLI\n" "*"
  ${ZORAK} -c "prompt {\$g}\ncli")
# A backslash sequence typed while escape is off gets a note first.
expect_shell("escape note" "puts {a\\\\nb}\n" 0
  "> Note: Backslash escapes are disabled in the CLI with autoexec ON + escape OFF\na\\\\nb\n[0:ok]\n> fgets returned NULL in CLI\n"
  "*" ${ZORAK} -c "prompt {\$g}\ncli")

# An error nobody printed reaches standard error; a reported one is printed
# once, on standard output.
expect_shell("unprinted error" "" 1 "" "zorak: boom\n" ${ZORAK} -c "error boom")
expect_shell("printed error" "" 1
  "eval: Command or proc 'nosuch' was not found (autoexec is OFF)\n\n" ""
  ${ZORAK} -c "option autoexec off\nnosuch")
file(WRITE ${WORK}/fails.tcl "puts before\nerror {failed in a file}\n")
expect_shell("unprinted error in a file" "" 1 "before\n" "zorak: failed in a file\n"
  ${ZORAK} ${WORK}/fails.tcl)

# ZORAK_CONFIG names the configuration file: reset reads section [Config],
# booleans are yes/true/1, a value ends at ";", other sections do not count.
file(WRITE ${WORK}/zorak.ini
  "[Other]\nEnablePreprocessor = yes\n[ config ]\n  EnablePreprocessor = \"no\" ; comment\nStackTrace=TRUE\nConsoleEcho=1;\nVerbose=\n[Next]\nAutoExec=no\n")
expect_shell("configuration" "" 0 "OFF ON ON ON\n" "*"
  ${CMAKE_COMMAND} -E env ZORAK_CONFIG=${WORK}/zorak.ini ${EMULATOR} ${ZORAK} -c
  "option preprocessor reset\noption stacktrace reset\noption echo reset\noption autoexec reset\nputs \"[option preprocessor] [option stacktrace] [option echo] [option autoexec]\"")
expect_shell("configuration missing" "" 0 "ON\n" "*"
  ${CMAKE_COMMAND} -E env ZORAK_CONFIG=${WORK}/none.ini ${EMULATOR} ${ZORAK} -c
  "option preprocessor reset\nputs [option preprocessor]")

# The shell's help names "/?" as the host's help switch on Windows.
execute_process(COMMAND ${EMULATOR} ${ZORAK} /? OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out MATCHES "^Usage: zorak")
  message(FATAL_ERROR "/?: status ${status}, output:\n${out}")
endif()
