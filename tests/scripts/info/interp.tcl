# info about the interpreter itself: summary, names, counts and constants.
# the summary opens with the version and names the program and the count
puts [lrange [info] 0 2]
puts "[in [info] Executable:*] [in [info] Commands:*] [in [info] Nothing:*]"
# commands, procs and functions as the stand-alone commands give them
proc zz_one {} {}
proc zz_two {} {}
puts [info procs zz*]
puts [eq [info commands] [commands]]
puts [info commands info*]
puts [eq [info functions] [functions]]
puts [eq [info procs] [procs]]
# cmdcount grows with every command run
set before [info cmdcount]
set x 1; set x 2
puts [- [info cmdcount] $before]
puts "[info patchlevel] [info tclversion] [info is_dll]"
# the script and its folder (a full path ending in this test's folder)
puts [info script]
puts [lindex [split [info scriptpath] {/\\}] end]
# exe_name and the plug-in folder
puts [eq [info nameofexecutable] $exe_name]
puts [eq [info executablename] $exe_name]
puts [lindex [split [info lib] {/\\}] end]
# words are compared ignoring case
puts [info TclVersion]
catch {info frobnicate}
catch {info frobnicate now}
# args needs a procedure name
info args
