# With autoexec off and no `unknown` command, a missing command fails.
option autoexec off
puts before
nosuchcmd arg
puts never
