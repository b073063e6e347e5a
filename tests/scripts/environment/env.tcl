# The process environment and the env array kept in step, the process
# identities, the last system error and the memory figures.
option autoexec off
# setenv sets both; getenv reads the process environment.
puts [setenv ZK_GREETING {hello [world] $x}]
puts "$env(ZK_GREETING) | [getenv ZK_GREETING]"
# Inside a procedure the global env array is set all the same.
proc change {} { setenv ZK_GREETING inside }
change
puts "$env(ZK_GREETING) | [getenv ZK_GREETING]"
# An empty value is kept as set; no value removes the variable and the element.
setenv ZK_EMPTY ""
puts "[info exists env(ZK_EMPTY)] <[getenv ZK_EMPTY]>"
setenv ZK_GREETING
puts "[info exists env(ZK_GREETING)] [getenv ZK_GREETING gone]"
puts "code [catch {getenv ZK_GREETING}]"
# Names the environment cannot hold.
puts "code [catch {setenv a=b 1}] [catch {setenv {} 1}] [catch {getenv {}}]"
# Identities are positive numbers; this process is running, a freed id is not.
puts "[expr {[pid] > 0}] [expr {[tid] > 0}] [expr {[getsid] >= 0}] [is_active [pid]]"
puts "[is_active 0] [is_active -5] [is_active 99999999999]"
puts "code [catch {is_active me}]"
# The last system error can be set and read back, and has a text.
win_error -set 2
puts [get_win_error]
puts [expr {[string length [win_error 2]] > 0}]
puts "code [catch {win_error x}] [catch {win_error -5}] [catch {win_error -bad 2}]"
# pipe returns the output without its last line end; a failing command is an error.
puts "<[pipe echo one two]>"
puts "code [catch {pipe exit 3}]"
# The memory figures.
puts "[checkheap] [expr {[mem_used] > 0}] [expr {[sysfree] > 0}]"
# elevate runs only with rights the process has already.
puts [expr {[catch {elevate exit 0} m] != [is_elevated]}]
