# puts with five arguments after the command is an error naming the count.
puts first
puts a b c d e
puts "not reached"
