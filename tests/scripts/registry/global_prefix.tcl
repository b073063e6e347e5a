# A leading :: finds the global command, and the command sees its own name:
# ! and ~ share one handler, and are the first and last names of the table
puts [::! 0]/[! 0]
puts [::~ 0]/[~ 0]
# the same for other handlers that serve two names
set x 5
::decr x
puts $x
puts [::max 1 5]/[::min 1 5]
# a prefixed name that is no command keeps its prefix in the message
option autoexec off
::nosuch
