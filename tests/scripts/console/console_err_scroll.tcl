# console scroll with fewer than four numbers falls through to the unknown-subcommand error.
puts before
console scroll 1 2 3
puts "not reached"
