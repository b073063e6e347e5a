# mismatched quotes
puts "a
puts b
