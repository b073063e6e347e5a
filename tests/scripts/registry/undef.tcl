# undef removes commands by name, or by a wildcard pattern with -glob.
alias zz1 puts
alias zz2 puts
alias ZZ3 puts
undef zz1
puts [is_command zz1]
# -nocomplain skips names that are not commands
undef nosuch zz2 -NoComplain
puts [is_command zz2]
# -glob matches without regard to case and answers the names removed
alias zx_a puts
alias zx_b puts
puts [undef -glob zz* -nocomplain]
puts [undef -glob ZX_?]
puts "none: [undef -glob nomatch*]"
# -proc limits the pattern to procedures; aliases of built-ins are none
alias zy_a puts
puts "procs: [undef -glob zy_* -proc]"
puts [is_command zy_a]
# failures, seen through cmdcount's variable
cmdcount {undef nosuch} msg
puts "missing: $msg"
cmdcount {undef -glob} msg
puts "no pattern: $msg"
# the failing command itself ends the script with code 1
undef -glob ""
