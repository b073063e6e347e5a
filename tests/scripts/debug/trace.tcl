# trace prints an Exec line before and a Retn line after each traced command.
trace list
trace add set
trace add set
trace add puts
trace list
set a 1
puts [set b {x y}]
# an empty result shows as {}
set c ""
trace remove set
trace list
puts "only puts now"
# "*" traces every command; removing "*" clears everything
trace add *
is_command set
trace remove *
trace list
set d "not traced"
# another subcommand with enough words reports and still succeeds
trace what ever
puts "code ok"
# trace alone is a wrong argument count
trace
