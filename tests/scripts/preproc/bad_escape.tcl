# a hex escape with one digit
puts "\x4"
