# pipe runs a line through /bin/sh: children see setenv's changes, and the
# output comes back whole, without its last line end only.
option autoexec off
setenv ZK_CHILD {seen by the child}
puts <[pipe {echo "$ZK_CHILD"}]>
setenv ZK_CHILD
puts <[pipe {echo "${ZK_CHILD-unset}"}]>
# Several lines, blank lines kept inside, bytes that the shell prints as is.
puts <[pipe {printf 'a\n\nb\n\n'}]>
puts <[pipe {printf 'no line end'}]>
# Standard error is not captured; the exit code fails the command.
puts "code [catch {pipe {echo out; echo err >&2; exit 4}}]"
puts "code [catch {pipe no_such_program_zk 2>/dev/null}]"
