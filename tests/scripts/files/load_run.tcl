# load reads a program into the script buffer or a variable; run runs it
option autoexec off
puts "nothing loaded: [catch {run}]"
load
load data/prog -quiet text
puts "into a variable: $text"
load
load data/prog
load
set leftover 1
run
puts "missing: [catch {load nosuch}] $::errorMsg"
load -clear
load
# run with a file loads it and hands it its arguments
run data/prog_args.tcl a
