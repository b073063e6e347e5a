# is_command, commands, procs and functions.
puts [is_command set][is_command ::set][is_command nosuch]
# patterns match without regard to case and list names in table order
puts [commands cmdc*]
puts [commands UNDEF]
puts [commands ?lias]
puts "<[commands nomatch*]>"
alias aaa_x puts
alias aaa_y puts
puts [commands aaa*]
puts [functions]
puts [functions s*]
puts [functions *S*]
puts "<[functions zz*]>"
# procs lists only procedures; with none the result is left as it was
set r before
procs
