# An unknown console subcommand names itself in the error.
puts before
console nosuch
puts "not reached"
