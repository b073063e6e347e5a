# exec and @ run a command line through the system's command interpreter
# and give back its exit code; the child prints on our standard output.
puts "exit code: [exec exit 3]"
puts "through @: [@ exit 4]"
puts "success: [exec echo hello from a child]"
# With autoexec off an unknown command is an error, not a program.
option autoexec off
puts "code [catch {nosuch_program_zk a b}]"
option autoexec on
# exec with no command line shows the usage and stops the script.
exec
