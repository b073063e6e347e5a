# console without a subcommand is the wrong-arguments report (code 6).
puts before
console
puts "not reached"
