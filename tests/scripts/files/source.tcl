# source runs a file now, with argv and argc describing it for the run
option autoexec off
puts "result: [source data/lib_args.tcl x y]"
puts "variables it set stay: $sourced_value"
puts "missing: [catch {source missing.tcl}] $::errorMsg"
puts "preprocessor setting kept: [option preprocessor]"
source
