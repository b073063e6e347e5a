# console move without a position is an invalid command.
puts before
console move
puts "not reached"
